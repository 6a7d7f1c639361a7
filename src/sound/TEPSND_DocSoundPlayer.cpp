#include "sound/TEPSND_DocSoundPlayer.h"
#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "platform/QtAudioDevice.h"
#include "sound/SoundListener.h"
#include "sound/TEP_SoundFrm.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

TEPSND_DocSoundPlayer::TEPSND_DocSoundPlayer(
    Messenger& messenger, const Clock& clock, std::unique_ptr<AudioDevice> device)
    : m_messenger(messenger)
    , m_clock(clock)
    , m_device(std::move(device))
{ }

TEPSND_DocSoundPlayer::~TEPSND_DocSoundPlayer() = default;

bool TEPSND_DocSoundPlayer::Create(const QString& workDir)
{
    Q_ASSERT(!m_window);
    if (m_window)
        return true;
    if (workDir.isEmpty() || !QFileInfo(workDir).isDir()) {
        m_messenger.ShowMessage(QStringLiteral("Répertoire inconnu : %1.").arg(MessageText::Quoted(workDir)));
        return false;
    }
    if (!m_device)
        m_device = std::make_unique<QtAudioDevice>();
    m_serverFound = m_device->IsAvailable();
    m_window = std::make_unique<TEP_SoundFrm>(workDir, std::move(m_device), m_clock, m_messenger);
    TEP_SoundFrm& window = *m_window;
    window.FileNameProvider = [this] { return ChosenFileName(); };
    window.RecordingConfirmation = [this](QString& target) { return ConfirmRecording(target); };
    window.AfterSave = [this] { SoundsChanged(); };
    window.EndOfPlay = [this] { m_currentSound = NoSound; };
    window.Delete = [this] { DeleteChosen(); };
    window.SoundFailed = [this](const QString& reason) { SoundFailed(reason); };
    window.Choose = [this](int kind) { ChooseSound(kind); };
    window.SetRecorder(m_recorder);
    ChooseSound(NoSound);
    RefreshIndicators();
    if (!m_serverFound)
        m_messenger.ShowMessage(QStringLiteral("Aucun serveur de son n'a été trouvé : les consignes et les aides "
                                               "sonores des documents ne pourront être ni écoutées ni enregistrées."));
    return true;
}

void TEPSND_DocSoundPlayer::SetDocument(TEP_Doc* document)
{
    Q_ASSERT(m_window);
    if (!m_window)
        return;
    Stop();
    m_document = document;
    ChooseSound(document ? (m_lastChosen == Help ? Help : Instruction) : NoSound);
    RefreshIndicators();
}

void TEPSND_DocSoundPlayer::Play(QChar letter)
{
    const QChar upper = letter.toUpper();
    const int kind = upper == QLatin1Char('A') ? Help : upper == QLatin1Char('C') ? Instruction : NoSound;
    if (kind == NoSound) {
        Stop();
        return;
    }
    if (kind == m_currentSound)
        return;
    if (!Has(kind)) {
        Stop();
        m_messenger.Beep();
        return;
    }
    PlaySound(kind);
}

void TEPSND_DocSoundPlayer::PlaySound(int kind)
{
    if (!m_window || (kind != Instruction && kind != Help) || kind == m_currentSound)
        return;
    ChooseSound(kind);
    if (!Has(kind))
        return;
    m_currentSound = kind;
    const QString file = PathOf(kind);
    if (m_window->Open(file, true))
        return;
    m_currentSound = NoSound;
    m_window->Stop();
    if (!QFileInfo::exists(file))
        m_messenger.Beep();
}

void TEPSND_DocSoundPlayer::ChooseSound(int kind)
{
    if (!m_window)
        return;
    m_currentSound = NoSound;
    m_window->Stop();
    m_window->SetCompact(m_compact);
    if (!m_document || (kind != Instruction && kind != Help)) {
        m_chosen = NoSound;
        m_window->SetButtons(false, false, false, false, false);
        m_window->ShowChoice(false, false);
        return;
    }
    m_chosen = kind;
    m_lastChosen = kind;
    m_window->ShowChoice(kind == Instruction, kind == Help);
    if (Has(kind))
        m_window->SetButtons(true, true, true, true, true);
    else
        m_window->SetButtons(false, false, false, true, false);
}

bool TEPSND_DocSoundPlayer::HasInstruction() const
{
    return m_document && m_document->HasInstructionSound();
}

bool TEPSND_DocSoundPlayer::HasHelp() const
{
    return m_document && m_document->HasHelpSound();
}

bool TEPSND_DocSoundPlayer::Has(int kind) const
{
    return kind == Instruction ? HasInstruction() : kind == Help ? HasHelp() : false;
}

QString TEPSND_DocSoundPlayer::PathOf(int kind) const
{
    if (!m_document)
        return QString();
    return kind == Instruction ? m_document->InstructionSoundPath() : m_document->HelpSoundPath();
}

void TEPSND_DocSoundPlayer::AttachPanel(QWidget* host, const QPoint& position)
{
    if (m_window)
        m_window->AttachPanel(host, position);
}

void TEPSND_DocSoundPlayer::DetachPanel()
{
    if (m_window)
        m_window->DetachPanel();
}

void TEPSND_DocSoundPlayer::Stop()
{
    m_currentSound = NoSound;
    if (m_window)
        m_window->Stop();
}

void TEPSND_DocSoundPlayer::SetRecorder(bool recorder)
{
    m_recorder = recorder;
    if (m_window)
        m_window->SetRecorder(recorder);
}

void TEPSND_DocSoundPlayer::SetCompact(bool compact)
{
    m_compact = compact;
    if (m_window)
        m_window->SetCompact(compact);
}

void TEPSND_DocSoundPlayer::AddListener(SoundListener* listener)
{
    Q_ASSERT(listener);
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void TEPSND_DocSoundPlayer::RemoveListener(SoundListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

QString TEPSND_DocSoundPlayer::ChosenFileName() const
{
    const QString file = PathOf(m_chosen);
    return m_chosen != NoSound && QFileInfo::exists(file) ? file : QString();
}

bool TEPSND_DocSoundPlayer::ConfirmRecording(QString& target)
{
    if (!m_document || m_chosen == NoSound)
        return false;
    const QString which = m_chosen == Instruction ? QStringLiteral("la CONSIGNE") : QStringLiteral("l'AIDE");
    if (!m_messenger.AskYesNo(
            QStringLiteral("Etes-vous prêt à démarrer l'enregistrement de %1 du document ?").arg(which)))
        return false;
    target = PathOf(m_chosen);
    return true;
}

void TEPSND_DocSoundPlayer::DeleteChosen()
{
    if (!m_document || m_chosen == NoSound)
        return;
    const int kind = m_chosen;
    if (!m_messenger.AskYesNo(kind == Instruction
                ? QStringLiteral("Voulez-vous supprimer la consigne audio du document ?")
                : QStringLiteral("Voulez-vous supprimer l'aide audio du document ?")))
        return;
    const QString file = PathOf(kind);
    m_currentSound = NoSound;
    m_window->Stop();
    m_window->SetFileName(QString());
    if (!QFile::remove(file) && QFileInfo::exists(file)) {
        m_messenger.ShowMessage(
            QStringLiteral("Impossible de supprimer le fichier : %1.").arg(MessageText::Quoted(file)));
        return;
    }
    SoundsChanged();
    ChooseSound(kind);
}

// The worksheet's files are read again, so that every indicator (the panel's
// labels, the selection screen, the palette, the toolbar) shows the sounds
// as they now are on disk.
void TEPSND_DocSoundPlayer::SoundsChanged()
{
    if (!m_document)
        return;
    if (const Outcome refreshed = m_document->EPDoc_RefreshFiles(); refreshed.HasMessages())
        m_messenger.ShowMessages(refreshed.Messages());
    RefreshIndicators();
    TEP_Doc* document = m_document;
    if (OnSoundChanged)
        OnSoundChanged(document);
    const std::vector<SoundListener*> listeners = m_listeners;
    for (SoundListener* listener : listeners)
        listener->SoundsChanged(document);
}

void TEPSND_DocSoundPlayer::RefreshIndicators()
{
    if (m_window)
        m_window->ShowAvailable(HasInstruction(), HasHelp());
}

void TEPSND_DocSoundPlayer::SoundFailed(const QString& reason)
{
    m_currentSound = NoSound;
    if (m_recorder)
        m_messenger.ShowMessage(reason);
    else
        m_messenger.Beep();
}
