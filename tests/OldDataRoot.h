#pragma once

#include "JpegFixtures.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>

// Data roots as versions before 4.00 left them, made by the tests, and a
// way to compare whole data roots byte for byte.
namespace OldDataRoot {

inline bool Write(const QString& root, const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(root).filePath(name);
    return QDir().mkpath(QFileInfo(path).path()) && TestFiles::WriteBytes(path, bytes);
}

// A school's data root: the general settings and the one set of user
// settings under `heading` ("ARDOISINE" for version 2.05, "ARDOISINER" for
// 2.00), four binders (one naming a missing worksheet, one without a name,
// one without worksheets), and the users' folders:
// - paul: his own settings file and two work files;
// - Marie: no settings file, work files in other letter case;
// - léo: his settings file, a work file and a file of his own (notes.doc);
// - zoé: no settings file, but "Zoé.conf" already made by the new version;
// - anna: a work file whose new place is already taken.
inline bool BuildSchool(const QString& root, const QString& heading = QStringLiteral("ARDOISINE"))
{
    const QByteArray jpeg = JpegFixtures::Jpeg(40, 56, 150);
    const QString sheets = QStringLiteral("Documents/Fiches/");
    const QString names = QStringLiteral("Documents/Noms/");
    const QStringList general {"[" + heading + "]", "USENAMES=YES", "DOCSROOTNAME=Fiches de la classe",
        "CONFIGKW=tfdsfu", "PrinterResDiv=2", "FONTS=Arial,Courier New", "TEXTFONTNAME=Courier New", "TEXTFONTSIZE=14",
        "ITPENSIZE=9", "SCANALLOWED=YES", "[LNK.1]", "NAME=Maths", "DOC=Calcul;Géométrie", "[LNK.2]", "NAME=Lecture",
        "DOC=Conte", "DOC=Fantôme", "[lnk.3]", "NAME=", "DOC=Poème", "[LNK.4]", "NAME=Vide"};
    bool ok = Write(root, "Ardoisine.txt", TestFiles::CrLf(general));
    for (const char* picture : {"Calcul.jpg", "Géométrie.JPG", "Conte.jpeg", "Poème.jpg", "Dictée.jpg"})
        ok = ok && Write(root, sheets + QString::fromUtf8(picture), jpeg);
    ok = ok && Write(root, sheets + "Calcul_C.wav", "RIFF son")
        && Write(root, sheets + "Conte_BKL.txt", TestFiles::CrLf({"[BKL]", "ITEMS="}))
        && Write(root, sheets + "Dictée_anna.txt", "travail d'anna, version 4\r\n");
    const auto work = [](const QString& who, const QString& sheet) {
        return TestFiles::CrLf({"[ROOT]", "WORK=" + who + " " + sheet});
    };
    ok = ok && Write(root, names + "paul/paul.conf", TestFiles::CrLf({"[ARDOISINE]", "TEXTFONTSIZE=20"}))
        && Write(root, names + "paul/Calcul.txt", work("paul", "Calcul"))
        && Write(root, names + "paul/Conte.txt", work("paul", "Conte"))
        && Write(root, names + "Marie/DICTÉE.TXT", work("Marie", "Dictée"))
        && Write(root, names + "Marie/géométrie.txt", work("Marie", "Géométrie"))
        && Write(root, names + "léo/léo.conf", TestFiles::CrLf({"[ARDOISINE]", "TEXTFONTSIZE=24"}))
        && Write(root, names + "léo/Poème.txt", work("léo", "Poème"))
        && Write(root, names + "léo/notes.doc", "notes de léo")
        && Write(root, names + "Zoé.conf", TestFiles::CrLf({"[ARDOISINE]", "TEXTFONTSIZE=32"}))
        && Write(root, names + "zoé/Calcul.txt", work("zoé", "Calcul"))
        && Write(root, names + "anna/Dictée.txt", work("anna", "Dictée"));
    return ok;
}

// Every file (with its bytes) and folder (ending with "/") under a root,
// by path relative to it.
inline QMap<QString, QByteArray> Snapshot(const QString& root)
{
    QMap<QString, QByteArray> entries;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isDir())
            entries.insert(base.relativeFilePath(path) + QLatin1Char('/'), QByteArray());
        else
            entries.insert(base.relativeFilePath(path), TestFiles::ReadBytes(path));
    }
    return entries;
}

// The differences between two snapshots, one a line, for a failure message.
inline QString Differences(const QMap<QString, QByteArray>& expected, const QMap<QString, QByteArray>& actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (!actual.contains(it.key()))
            lines << QStringLiteral("missing: ") + it.key();
        else if (actual.value(it.key()) != it.value())
            lines << QStringLiteral("different: ") + it.key();
    for (auto it = actual.cbegin(); it != actual.cend(); ++it)
        if (!expected.contains(it.key()))
            lines << QStringLiteral("unexpected: ") + it.key();
    return lines.join(QLatin1Char('\n'));
}

inline bool CopyTree(const QString& from, const QString& to)
{
    const QMap<QString, QByteArray> entries = Snapshot(from);
    bool ok = QDir().mkpath(to);
    for (auto it = entries.cbegin(); it != entries.cend() && ok; ++it)
        ok = it.key().endsWith(QLatin1Char('/')) ? QDir().mkpath(QDir(to).filePath(it.key()))
                                                 : Write(to, it.key(), it.value());
    return ok;
}

} // namespace OldDataRoot
