#pragma once

#include "platform/AudioDevice.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class Messenger;
class QWidget;
class SoundListener;
class TEP_Doc;
class TEP_SoundFrm;

// The sounds of the open worksheet: the instruction ("_C.wav") and the
// help ("_A.wav"). Pupils play them by key or command; teachers record,
// replay and delete them on the sound panel the selection screen hosts.
// One instance lives for the whole run; it holds the worksheet it is given
// until told otherwise, so whoever frees a worksheet first gives it none.
class TEPSND_DocSoundPlayer {
public:
    enum Sound { NoSound = 0, Instruction = 1, Help = 2 };

    // Without a device the sound server is used through Qt.
    TEPSND_DocSoundPlayer(Messenger& messenger, const Clock& clock, std::unique_ptr<AudioDevice> device = nullptr);
    ~TEPSND_DocSoundPlayer();
    TEPSND_DocSoundPlayer(const TEPSND_DocSoundPlayer&) = delete;
    TEPSND_DocSoundPlayer& operator=(const TEPSND_DocSoundPlayer&) = delete;

    // Creates the sound window; false (with its message) when the working
    // directory does not exist. Without a sound server the program goes on
    // without sounds, after one message.
    bool Create(const QString& workDir);
    void SetDocument(TEP_Doc* document);
    // "A" plays the help, "C" the instruction; any other letter stops.
    void Play(QChar letter);
    void PlaySound(int kind);
    void ChooseSound(int kind);
    bool HasInstruction() const;
    bool HasHelp() const;
    void AttachPanel(QWidget* host, const QPoint& position);
    void DetachPanel();
    // Stops whatever plays (the selection screen closes, a worksheet opens).
    void Stop();

    // The recorder (settings mode) or the player (pupil mode).
    void SetRecorder(bool recorder);
    void SetCompact(bool compact);
    bool Compact() const { return m_compact; }

    // Called after a sound was recorded or deleted, as the listeners are.
    std::function<void(TEP_Doc*)> OnSoundChanged;
    void AddListener(SoundListener* listener);
    void RemoveListener(SoundListener* listener);

    TEP_Doc* Document() const { return m_document; }
    int CurrentSound() const { return m_currentSound; }
    int ChosenSound() const { return m_chosen; }
    bool SoundServerFound() const { return m_serverFound; }
    // The sound window once created (the tests and the host look at it).
    TEP_SoundFrm* Window() const { return m_window.get(); }

private:
    bool Has(int kind) const;
    QString PathOf(int kind) const;
    QString ChosenFileName() const;
    bool ConfirmRecording(QString& target);
    void DeleteChosen();
    void SoundsChanged();
    void RefreshIndicators();
    void SoundFailed(const QString& reason);

    Messenger& m_messenger;
    const Clock& m_clock;
    std::unique_ptr<AudioDevice> m_device; // until the window takes it
    std::unique_ptr<TEP_SoundFrm> m_window;
    std::vector<SoundListener*> m_listeners;
    TEP_Doc* m_document = nullptr;
    int m_currentSound = NoSound;
    int m_chosen = NoSound; // the "X" shown, NoSound when none
    int m_lastChosen = Instruction; // kept across worksheets
    bool m_compact = false;
    bool m_recorder = false;
    bool m_serverFound = true;
};
