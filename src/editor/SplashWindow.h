#pragma once

#include <QDialog>
#include <QTimer>

class Clock;
class QLabel;
class QProgressBar;

// The window shown while the program starts: the program's pictures, "Appuyez
// sur une touche", a bar that grows by one every 700 ms and the version. It
// closes by itself on the 21st tick, or at once on a key or a click.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int TickMs = 700;
    static constexpr int Steps = 20;
    static inline const QString Version = QStringLiteral("Version 4.00");

    explicit SplashWindow(const Clock& clock, QWidget* parent = nullptr);

    // Starts the ticks and shows the window modally, centred on the screen.
    int Run();
    // One tick of the timer: the clock decides whether 700 ms have passed.
    void Tick();
    // Starts counting without showing the window (Run does it; the tests
    // call it and then tick).
    void StartTicking();
    int Position() const;
    bool IsTicking() const { return m_timer.isActive(); }
    bool IsClosed() const { return m_closed; }
    QWidget* Panel() const { return m_panel; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CloseSplash();

    const Clock& m_clock;
    QWidget* m_panel;
    QProgressBar* m_bar;
    QTimer m_timer;
    qint64 m_lastStep = 0;
    bool m_closed = false;
};
