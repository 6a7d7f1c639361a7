#pragma once

#include "ScanResult.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

class Clock;

// The external capture program of a data root, "ADCap_32.exe": started
// with the path of the page it must write as its only argument and the data
// root as its working folder. It writes the page as "$tempbmp$.bmp", or a
// cancellation or errors into "ADCapErrors.txt". While it runs, a poll every
// 500 ms lets the screen stay alive; the files are read once it has ended.
class ExternalCapture : public QObject {
    Q_OBJECT

public:
    static constexpr int PollInterval = 500; // milliseconds

    static QString ProgramName() { return QStringLiteral("ADCap_32.exe"); }
    static QString BitmapName() { return QStringLiteral("$tempbmp$.bmp"); }
    static QString ErrorsName() { return QStringLiteral("ADCapErrors.txt"); }

    ExternalCapture(const QString& dataRoot, const Clock& clock, QObject* parent = nullptr);
    // A program still running is stopped.
    ~ExternalCapture() override;

    // The capture program of a data root: an executable file of that name,
    // letter case ignored (the data root is often shared with Windows PCs);
    // empty when there is none.
    static QString FindProgram(const QString& dataRoot);

    bool IsRunning() const { return m_running; }
    // Removes the files of an earlier run and starts the program; false with
    // the French message when it cannot, or while a capture runs.
    bool Start(QString* error = nullptr);
    // Stops the program; the capture finishes as cancelled.
    void Cancel();
    // One look at the program, when the poll interval has passed on the
    // clock (the timer only schedules).
    void Poll();

signals:
    // Each poll while the program runs.
    void Waiting();
    // Once per start: the page, a cancellation, the program's errors, or
    // nothing written.
    void Finished(const ScanResult& result);

private:
    QString FilePath(const QString& name) const;
    bool RemoveEarlierFiles(QString* error) const;
    void OnProcessEnded();
    void Finish(const ScanResult& result);
    ScanResult ReadResult() const;
    ScanResult ReadErrors() const;
    ScanResult ReadBitmap() const;

    QString m_dataRoot;
    const Clock& m_clock;
    QProcess m_process;
    QTimer m_pollTimer;
    qint64 m_lastPoll = 0;
    bool m_running = false;
};
