#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class AudioDevice;
class Clock;
class Messenger;
class QDialog;
class QFrame;
class QLabel;
class QSlider;
class QToolButton;

// The sound window: it holds the sound panel (moved into a host panel of
// the selection screen), the media player device and the 100 ms timer that
// moves the progress bar. It plays, pauses, stops, records into the
// recording template and saves recordings; what a sound means for a
// worksheet is the sound player's business, told through the callbacks.
class TEP_SoundFrm : public QWidget {
    Q_OBJECT

public:
    enum Button { PlayButton = 0, PauseButton = 1, StopButton = 2, RecordButton = 7 };
    static constexpr int FullWidth = 313;
    static constexpr int CompactWidth = 225;
    static constexpr int PanelHeight = 84;
    static constexpr int TimerPeriodMs = 100;
    static constexpr int RecordingBarMax = 10;
    static constexpr int IdleBarMax = 1000;

    TEP_SoundFrm(const QString& workDir, std::unique_ptr<AudioDevice> device, const Clock& clock, Messenger& messenger,
        QWidget* parent = nullptr);
    ~TEP_SoundFrm() override;

    // "<working directory>/$ardoisine$.wav"
    static QString TempFileIn(const QString& workDir);

    // Callbacks installed by the sound player.
    std::function<QString()> FileNameProvider; // the chosen sound, when it exists
    std::function<bool(QString& target)> RecordingConfirmation; // false cancels
    std::function<void()> RecordingWait; // unset: the modal wait window
    std::function<void()> AfterSave;
    std::function<void()> EndOfPlay; // also when a play is stopped or fails
    std::function<void()> Delete;
    // A sound cannot be opened or played: the reason in French.
    std::function<void(const QString&)> SoundFailed;
    // A click on the choice of the instruction (1) or of the help (2).
    std::function<void(int kind)> Choose;

    bool Open(const QString& file, bool play);
    void Stop();
    void ButtonClick(int button);
    void Timer1Timer();

    void SetButtons(bool play, bool pause, bool stop, bool record, bool del);
    void ShowChoice(bool instruction, bool help);
    void ShowAvailable(bool instruction, bool help);
    void SetCompact(bool compact);
    // The recorder (settings mode) shows record and delete; the player
    // (pupil mode) never does, so a pupil cannot erase an instruction.
    void SetRecorder(bool recorder);
    void AttachPanel(QWidget* host, const QPoint& position);
    void DetachPanel();
    // Stops and lets the audio streams go; the panel stays.
    void ReleaseAudio();

    QFrame* MainPnl() const { return m_mainPnl; }
    AudioDevice* Device() const { return m_device.get(); }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    QString TempFile() const { return m_tempFile; }
    bool Playing() const { return m_playing; }
    bool Recording() const { return m_recording; }
    int BarPosition() const;
    int BarMaximum() const;
    bool IsRecorder() const { return m_recorder; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPanel();
    QToolButton* MakeButton(const char* name, int glyph, const QString& title, const QString& description, int x);
    void BuildChoice();
    void Record();
    void StopRecording();
    bool MakeTemplate(QString& error);
    void RunRecordingWait();
    void PlayEnded();
    void DeviceFailed(const QString& reason);
    void VolumeMoved(int position);
    void SetBar(int maximum, int position);

    std::unique_ptr<AudioDevice> m_device;
    const Clock& m_clock;
    Messenger& m_messenger;
    QString m_tempFile;
    QString m_fileName;
    bool m_playing = false;
    bool m_recording = false;
    bool m_recorder = true;
    bool m_compact = false;
    qint64 m_recordStartTick = 0;
    QString m_failure; // what the device reported while recording

    QTimer Timer1;
    QFrame* m_mainPnl = nullptr;
    QToolButton* SoundStartBtn = nullptr;
    QToolButton* SoundPauseBtn = nullptr;
    QToolButton* SoundStopBtn = nullptr;
    QToolButton* SoundRecordBtn = nullptr;
    QToolButton* SoundDelBtn = nullptr;
    QSlider* MediaTBar = nullptr;
    QSlider* VolumeTBar = nullptr;
    QFrame* OrdersAndHelpPnl = nullptr;
    QLabel* OrdersSoundPnl = nullptr;
    QLabel* OrdersSoundLblPnl = nullptr;
    QLabel* HelpSoundPnl = nullptr;
    QLabel* HelpSoundLblPnl = nullptr;
    QPointer<QWidget> m_host;
    QPointer<QDialog> m_wait;
};
