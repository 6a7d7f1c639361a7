#pragma once

#include "params/Outcome.h"

#include <QString>
#include <QStringList>

// What the conversion of data written by versions before 4.00 found and did,
// as it is shown: the messages of `outcome`, one message box each, then, when
// there are report lines, the text viewer titled ViewerTitle.
struct MigrationReport {
    // Saved in the data root when there is something to report.
    static inline const QString FileName = QStringLiteral("Transfert400.txt");
    static inline const QString ViewerTitle = QStringLiteral("Erreurs et remarques du tranfert ver la version 400.");

    // Older data were found: the general file held an old heading.
    bool oldDataFound = false;
    // 200 or 205 when the general settings were kept under an old heading.
    int oldVersion = 0;
    // The notice that the data are being brought up to date, when they were.
    QString announcement;
    // The errors and remarks, one a line.
    QStringList lines;
    // A file could not be moved or written, or a binder not made (the lines
    // tell which); remarks alone leave it false.
    bool hasErrors = false;
    // The report file, when there was something to report.
    QString reportPath;
    // The messages to show, in order; a failure when the general file could
    // not be read or written.
    Outcome outcome;

    bool HasReport() const { return !lines.isEmpty(); }

    // A file that could not be moved or written; the system's reason, when
    // known, follows on its own line.
    void Error(const QString& message, const QString& cause = QString())
    {
        lines << message;
        if (!cause.isEmpty())
            lines << QStringLiteral("    Cause : %1.").arg(cause);
        hasErrors = true;
    }
    void Error(const QStringList& messages)
    {
        lines << messages;
        hasErrors = hasErrors || !messages.isEmpty();
    }
    void Remark(const QString& message) { lines << message; }
};
