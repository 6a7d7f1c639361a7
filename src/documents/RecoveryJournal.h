#pragma once

#include "params/Outcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimer>

class Clock;
class Messenger;
class TEP_Doc;

// Keeps a copy of the open work beside the work file while a pupil works,
// so that a power cut, a crash or a PC switched off at the wall loses at
// most the last few seconds: "<worksheet>_<user>.recup", written through
// the safe-save helper a little after a change (never while a key is being
// handled: the editor only marks the work as changed, a timer writes), and
// removed once the work is saved or left unchanged.
//
// The name ends in neither ".jpg"/".jpeg" nor ".txt", so the documents tree
// never takes it for a worksheet nor the work-file listing for a pupil's
// work, and it is not a temporary of the safe-save helper, which other PCs
// clean up at their start.
//
// The file is the work's definition text behind a heading saying when and
// on which PC it was written, with the number of lines and a checksum of
// them: a file damaged on the disk or cut short by a copy is told apart from
// a readable one and never loaded over good work.
class RecoveryJournal {
public:
    // A change is in the file at most DelayMs + TickMs after it was made;
    // the file is never written twice within DelayMs.
    static constexpr qint64 DelayMs = 2000;
    static constexpr int TickMs = 250;
    static constexpr qint64 LatestMs = DelayMs + TickMs;
    static inline const QString Extension = QStringLiteral(".recup");
    static inline const QString Heading = QStringLiteral("[RECUPERATION]");
    static inline const QString Question
        = QStringLiteral("Un travail non enregistré a été retrouvé (%1, poste %2). Voulez-vous le reprendre ?");

    struct Found {
        enum State { None, Readable, Damaged };
        State state = None;
        QString path;
        QDateTime written; // local time of the PC that wrote it
        QString host;
        QStringList lines; // the work's definition text
        QString problem; // why a damaged file cannot be read
        // Written after the work file (or there is no work file).
        bool newerThanWork = false;
    };

    explicit RecoveryJournal(const Clock& clock);
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // "<folder>/<worksheet>_<user>.recup".
    static QString PathFor(const TEP_Doc& document);
    static bool IsJournalName(const QString& fileName);
    // A copy kept aside ("… 2026-12-10 11h32.recup", "… 11h32 (2).recup").
    static bool IsKeptAsideName(const QString& fileName);
    // What the folder holds for the document's current user.
    static Found Inspect(const TEP_Doc& document);
    // The file bytes for a definition text written at a time on a host.
    static QByteArray Compose(const QStringList& lines, const QDateTime& written, const QString& host);
    // Reads what Compose wrote; false and *problem when the file is damaged.
    static bool Parse(const QByteArray& bytes, Found& found, QString* problem);
    // Moves a journal out of the way under a dated name the teacher can
    // find ("<worksheet>_<user> 2026-12-10 11h32.recup"), never over another
    // file; *keptAs receives the new path.
    static bool KeepAside(const QString& path, const QDateTime& written, QString* keptAs, QString* cause = nullptr);

    // At the opening of a loaded worksheet: a journal newer than the work is
    // offered to the pupil. Yes puts it in place of the loaded work (the
    // next save writes it); No keeps it aside. A damaged one is kept aside
    // and told about; one older than the work is kept aside without a word.
    Outcome Offer(TEP_Doc& document, Messenger& messenger);

    // Watches a loaded worksheet until Stop or Discard; the document must
    // stay loaded meanwhile.
    void Start(TEP_Doc* document);
    // The work changed: written at the next tick after DelayMs from the
    // last write. Cheap: only a mark.
    void NoteChange() { m_changed = true; }
    // A tick of the timer (public for tests, which move a fake clock).
    void Tick();
    // Writes the current work now when it differs from what the file holds.
    Outcome WriteNow();
    // Stops watching; the file stays (the work is not saved).
    void Stop();
    // The work was saved or left unchanged: the file goes.
    Outcome Discard();

    bool IsWatching() const { return m_document != nullptr; }
    bool HasPendingChange() const { return m_changed; }
    int Writes() const { return m_writes; }
    // The last write failure (French), empty after a good write.
    QString LastError() const { return m_lastError; }
    // The host name written into the file.
    static QString HostName();

private:
    const Clock& m_clock;
    QTimer m_timer;
    TEP_Doc* m_document = nullptr;
    QString m_path;
    QStringList m_written; // what the file holds, as far as this object knows
    bool m_fileExists = false;
    bool m_changed = false;
    qint64 m_lastWrite = 0;
    int m_writes = 0;
    QString m_lastError;
};
