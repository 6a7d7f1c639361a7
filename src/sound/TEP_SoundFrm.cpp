#include "sound/TEP_SoundFrm.h"
#include "documents/FileNameRules.h"
#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "params/SafeSave.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "platform/WavFile.h"
#include "sound/RecordingWaitDialog.h"
#include "sound/SoundPanelLook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

using SoundPanelLook::Glyph;

TEP_SoundFrm::TEP_SoundFrm(const QString& workDir, std::unique_ptr<AudioDevice> device, const Clock& clock,
    Messenger& messenger, QWidget* parent)
    : QWidget(parent)
    , m_device(std::move(device))
    , m_clock(clock)
    , m_messenger(messenger)
    , m_tempFile(TempFileIn(workDir))
{
    Q_ASSERT(m_device);
    setObjectName(QStringLiteral("TEP_SoundFrm"));
    BuildPanel();
    m_device->OnPlayEnded = [this] { PlayEnded(); };
    m_device->OnFailure = [this](const QString& reason) { DeviceFailed(reason); };
    Timer1.setInterval(TimerPeriodMs);
    connect(&Timer1, &QTimer::timeout, this, &TEP_SoundFrm::Timer1Timer);
    Timer1.start();
    // The sound server's client must not outlive the application object.
    if (QCoreApplication* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &TEP_SoundFrm::ReleaseAudio);
}

TEP_SoundFrm::~TEP_SoundFrm()
{
    ReleaseAudio();
    m_device->OnPlayEnded = nullptr;
    m_device->OnFailure = nullptr;
    DetachPanel();
    if (QFileInfo::exists(m_tempFile))
        QFile::remove(m_tempFile);
}

QString TEP_SoundFrm::TempFileIn(const QString& workDir)
{
    return FileNameRules::Join(workDir, QStringLiteral("$ardoisine$.wav"));
}

void TEP_SoundFrm::BuildPanel()
{
    m_mainPnl = new QFrame(this);
    m_mainPnl->setObjectName(QStringLiteral("MainPnl"));
    m_mainPnl->setFrameShape(QFrame::StyledPanel);
    m_mainPnl->setAccessibleName(QStringLiteral("Sons du document"));
    m_mainPnl->setAccessibleDescription(QStringLiteral("Ecouter, enregistrer ou supprimer la consigne et l'aide"));
    m_mainPnl->hide();
    SoundStartBtn = MakeButton(
        "SoundStartBtn", int(Glyph::Play), QStringLiteral("Ecouter"), QStringLiteral("Ecouter le son choisi"), 0);
    SoundPauseBtn = MakeButton(
        "SoundPauseBtn", int(Glyph::Pause), QStringLiteral("Pause"), QStringLiteral("Mettre le son en pause"), 1);
    SoundStopBtn = MakeButton("SoundStopBtn", int(Glyph::Stop), QStringLiteral("Arrêter"),
        QStringLiteral("Arrêter le son ou l'enregistrement"), 2);
    SoundRecordBtn = MakeButton("SoundRecordBtn", int(Glyph::Record), QStringLiteral("Enregistrer"),
        QStringLiteral("Enregistrer le son choisi au micro"), 3);
    SoundDelBtn = MakeButton("SoundDelBtn", int(Glyph::Delete), QStringLiteral("Supprimer"),
        QStringLiteral("Supprimer le son choisi du document"), 4);
    connect(SoundStartBtn, &QToolButton::clicked, this, [this] { ButtonClick(PlayButton); });
    connect(SoundPauseBtn, &QToolButton::clicked, this, [this] { ButtonClick(PauseButton); });
    connect(SoundStopBtn, &QToolButton::clicked, this, [this] { ButtonClick(StopButton); });
    connect(SoundRecordBtn, &QToolButton::clicked, this, [this] { ButtonClick(RecordButton); });
    connect(SoundDelBtn, &QToolButton::clicked, this, [this] {
        if (!m_recording && Delete)
            Delete();
    });

    MediaTBar = new QSlider(Qt::Horizontal, m_mainPnl);
    MediaTBar->setObjectName(QStringLiteral("MediaTBar"));
    MediaTBar->setGeometry(8, 44, 178, 28);
    MediaTBar->setEnabled(false);
    MediaTBar->setTickPosition(QSlider::TicksBelow);
    MediaTBar->setAccessibleName(QStringLiteral("Progression"));
    MediaTBar->setAccessibleDescription(QStringLiteral("Secondes jouées, ou secondes d'enregistrement"));
    SetBar(IdleBarMax, 0);

    VolumeTBar = new QSlider(Qt::Vertical, m_mainPnl);
    VolumeTBar->setObjectName(QStringLiteral("VolumeTBar"));
    VolumeTBar->setGeometry(192, 6, 20, 72);
    VolumeTBar->setRange(0, AudioDevice::MaxVolume);
    VolumeTBar->setPageStep(AudioDevice::MaxVolume / 10);
    VolumeTBar->setInvertedAppearance(true); // the top is the loudest
    VolumeTBar->setFocusPolicy(Qt::NoFocus);
    VolumeTBar->setAccessibleName(QStringLiteral("Volume"));
    VolumeTBar->setAccessibleDescription(QStringLiteral("Volume des sons, le plus fort en haut"));
    VolumeTBar->setValue(AudioDevice::MaxVolume - (m_device->Volume() & 0xFFFF));
    connect(VolumeTBar, &QSlider::valueChanged, this, &TEP_SoundFrm::VolumeMoved);

    BuildChoice();
    SetCompact(false);
}

QToolButton* TEP_SoundFrm::MakeButton(
    const char* name, int glyph, const QString& title, const QString& description, int x)
{
    auto* button = new QToolButton(m_mainPnl);
    button->setObjectName(QLatin1String(name));
    button->setIcon(SoundPanelLook::ButtonIcon(Glyph(glyph)));
    button->setIconSize(QSize(20, 20));
    button->setGeometry(8 + x * 36, 8, 34, 30);
    button->setFocusPolicy(Qt::NoFocus); // the keys stay with the host screen
    button->setToolTip(title);
    button->setAccessibleName(title);
    button->setAccessibleDescription(description);
    return button;
}

void TEP_SoundFrm::BuildChoice()
{
    OrdersAndHelpPnl = new QFrame(m_mainPnl);
    OrdersAndHelpPnl->setObjectName(QStringLiteral("OrdersAndHelpPnl"));
    OrdersAndHelpPnl->setGeometry(216, 8, 90, 68);
    const auto cell = [this](const char* name, const QString& text, const QRect& place, const QString& title) {
        auto* label = new QLabel(text, OrdersAndHelpPnl);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(place);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAccessibleName(title);
        label->installEventFilter(this);
        return label;
    };
    const QString instruction = QStringLiteral("Choisir la consigne");
    const QString help = QStringLiteral("Choisir l'aide");
    OrdersSoundPnl = cell("OrdersSoundPnl", QString(), QRect(0, 0, 22, 32), instruction);
    OrdersSoundLblPnl = cell("OrdersSoundLblPnl", QStringLiteral(" Consigne"), QRect(24, 0, 66, 32), instruction);
    HelpSoundPnl = cell("HelpSoundPnl", QString(), QRect(0, 36, 22, 32), help);
    HelpSoundLblPnl = cell("HelpSoundLblPnl", QStringLiteral("Aide"), QRect(24, 36, 66, 32), help);
    OrdersSoundPnl->setAlignment(Qt::AlignCenter);
    HelpSoundPnl->setAlignment(Qt::AlignCenter);
    HelpSoundLblPnl->setAlignment(Qt::AlignCenter);
    ShowAvailable(false, false);
}

bool TEP_SoundFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && Choose && !m_recording) {
        if (watched == OrdersSoundPnl || watched == OrdersSoundLblPnl)
            Choose(1);
        else if (watched == HelpSoundPnl || watched == HelpSoundLblPnl)
            Choose(2);
    }
    return QWidget::eventFilter(watched, event);
}

bool TEP_SoundFrm::Open(const QString& file, bool play)
{
    Stop();
    if (file.isEmpty() || !QFileInfo::exists(file))
        return false;
    QString error;
    if (!m_device->Open(file, error)) {
        if (SoundFailed)
            SoundFailed(error);
        return false;
    }
    SetBar(int(m_device->LengthMs() / 1000), 0);
    SetButtons(true, true, true, true, true);
    if (!play)
        return true;
    if (!m_device->Play(error)) {
        m_device->Close();
        if (SoundFailed)
            SoundFailed(error);
        return false;
    }
    m_playing = true;
    SetButtons(false, true, true, true, true);
    return true;
}

void TEP_SoundFrm::Stop()
{
    const bool wasPlaying = m_playing;
    if (m_device->State() != AudioDevice::Mode::Closed) {
        m_device->Stop();
        m_device->Close();
    }
    SetButtons(true, true, true, true, true);
    m_playing = false;
    m_recording = false;
    if (wasPlaying && EndOfPlay)
        EndOfPlay();
}

void TEP_SoundFrm::ReleaseAudio()
{
    if (m_recording)
        StopRecording();
    Stop();
}

void TEP_SoundFrm::ButtonClick(int button)
{
    if (m_recording) {
        if (button == StopButton)
            StopRecording();
        return;
    }
    switch (button) {
    case PlayButton:
        // A paused sound goes on where it was.
        if (m_playing && m_device->State() == AudioDevice::Mode::Paused) {
            QString error;
            if (m_device->Play(error))
                SetButtons(false, true, true, true, true);
        } else if (const QString file = FileNameProvider ? FileNameProvider() : QString(); !file.isEmpty()) {
            Open(file, true);
        } else {
            Stop();
        }
        break;
    case PauseButton:
        if (m_playing && m_device->State() == AudioDevice::Mode::Playing) {
            m_device->Pause();
            SoundStartBtn->setEnabled(true);
        }
        break;
    case StopButton:
        Stop();
        break;
    case RecordButton:
        Record();
        break;
    default:
        Q_ASSERT(false);
    }
}

void TEP_SoundFrm::Record()
{
    QString target;
    if (!RecordingConfirmation || !RecordingConfirmation(target) || target.trimmed().isEmpty())
        return;
    m_fileName = target;
    Stop();
    QString error;
    bool started = MakeTemplate(error);
    m_recording = true;
    m_playing = false;
    SetBar(RecordingBarMax, 0);
    m_recordStartTick = m_clock.NowMs();
    started = started && m_device->Open(m_tempFile, error) && m_device->StartRecording(error);
    if (!started) {
        m_messenger.ShowMessage(
            QStringLiteral("Erreur lors du début de l'enregistrement à partir du fichier modèle %1.\n%2")
                .arg(MessageText::Quoted(m_tempFile), error));
        Stop();
        return;
    }
    SetButtons(false, false, true, false, false);
    m_failure.clear();
    if (RecordingWait)
        RecordingWait();
    else
        RunRecordingWait();
    if (m_recording)
        StopRecording();
    if (!m_failure.isEmpty())
        m_messenger.ShowMessage(m_failure);
}

// The recording template: an empty WAV file in the recordings' format. One
// that another program spoiled is written again.
bool TEP_SoundFrm::MakeTemplate(QString& error)
{
    WavFile existing;
    if (QFileInfo::exists(m_tempFile) && existing.Load(m_tempFile))
        return true;
    QString cause;
    if (SafeSave::WriteFile(m_tempFile, WavFile::EmptyRecording(), nullptr, &cause))
        return true;
    error = cause;
    return false;
}

void TEP_SoundFrm::RunRecordingWait()
{
    RecordingWaitDialog wait(m_mainPnl->window());
    m_wait = &wait;
    wait.exec();
    m_wait = nullptr;
}

void TEP_SoundFrm::StopRecording()
{
    Q_ASSERT(m_recording);
    m_device->Pause();
    QString error;
    const bool saved = m_device->SaveRecording(m_fileName, error);
    m_device->Stop();
    m_device->Close();
    m_recording = false;
    if (m_wait)
        m_wait->accept();
    if (!saved) {
        m_messenger.ShowMessage(
            QStringLiteral("Erreur lors de la sauvegarde de l'enregistrement dans le fichier %1.\n%2")
                .arg(MessageText::Quoted(m_fileName), error));
        Stop();
        return;
    }
    if (AfterSave)
        AfterSave();
    Open(m_fileName, false);
}

void TEP_SoundFrm::PlayEnded()
{
    if (!m_playing)
        return;
    SetBar(MediaTBar->maximum(), MediaTBar->maximum());
    m_playing = false;
    SoundStartBtn->setEnabled(true);
    if (EndOfPlay)
        EndOfPlay();
}

void TEP_SoundFrm::DeviceFailed(const QString& reason)
{
    if (m_recording) {
        // What arrived before the failure is saved; the reason comes after.
        m_failure = reason;
        if (m_wait)
            m_wait->accept();
        return;
    }
    Stop();
    if (SoundFailed)
        SoundFailed(reason);
}

void TEP_SoundFrm::Timer1Timer()
{
    const bool running = Timer1.isActive();
    Timer1.stop();
    if (m_recording) {
        const qint64 now = m_clock.NowMs();
        if (now - m_recordStartTick > 1000) {
            m_recordStartTick = now;
            const int position = MediaTBar->value();
            SetBar(MediaTBar->maximum(), position >= MediaTBar->maximum() ? 0 : position + 1);
        }
    } else if (m_playing) {
        SetBar(MediaTBar->maximum(), int(m_device->PositionMs() / 1000));
    } else if (MediaTBar->maximum() != IdleBarMax || MediaTBar->value() != 0) {
        SetBar(IdleBarMax, 0);
    }
    if (running)
        Timer1.start();
}

void TEP_SoundFrm::VolumeMoved(int position)
{
    m_device->SetVolume(AudioDevice::MaxVolume - position);
}

void TEP_SoundFrm::SetBar(int maximum, int position)
{
    MediaTBar->setRange(0, qMax(0, maximum));
    MediaTBar->setTickInterval(maximum > 20 ? maximum / 10 : 1);
    MediaTBar->setValue(position);
}

int TEP_SoundFrm::BarPosition() const
{
    return MediaTBar->value();
}

int TEP_SoundFrm::BarMaximum() const
{
    return MediaTBar->maximum();
}

void TEP_SoundFrm::SetButtons(bool play, bool pause, bool stop, bool record, bool del)
{
    SoundStartBtn->setEnabled(play);
    SoundPauseBtn->setEnabled(pause);
    SoundStopBtn->setEnabled(stop);
    SoundRecordBtn->setEnabled(record);
    SoundDelBtn->setEnabled(del);
}

void TEP_SoundFrm::ShowChoice(bool instruction, bool help)
{
    OrdersSoundPnl->setText(instruction ? QStringLiteral("X") : QString());
    HelpSoundPnl->setText(help ? QStringLiteral("X") : QString());
}

void TEP_SoundFrm::ShowAvailable(bool instruction, bool help)
{
    SoundPanelLook::SetBackground(OrdersSoundLblPnl, instruction ? SoundPanelLook::InstructionColour() : QColor());
    SoundPanelLook::SetBackground(HelpSoundLblPnl, help ? SoundPanelLook::HelpColour() : QColor());
}

void TEP_SoundFrm::SetCompact(bool compact)
{
    m_compact = compact;
    m_mainPnl->resize(compact ? CompactWidth : FullWidth, PanelHeight);
    OrdersAndHelpPnl->move(216, 8);
    OrdersAndHelpPnl->setVisible(!compact);
}

void TEP_SoundFrm::SetRecorder(bool recorder)
{
    m_recorder = recorder;
    SoundRecordBtn->setVisible(recorder);
    SoundDelBtn->setVisible(recorder);
}

void TEP_SoundFrm::AttachPanel(QWidget* host, const QPoint& position)
{
    Q_ASSERT(host);
    if (!host)
        return;
    DetachPanel();
    m_host = host;
    m_mainPnl->setParent(host);
    m_mainPnl->move(position);
    m_mainPnl->show();
    // A host that goes first hands the panel back before its children die.
    connect(host, &QObject::destroyed, this, [this] { DetachPanel(); });
}

void TEP_SoundFrm::DetachPanel()
{
    if (m_host)
        m_host->disconnect(this);
    m_host = nullptr;
    if (m_mainPnl->parentWidget() == this)
        return;
    m_mainPnl->hide();
    m_mainPnl->setParent(this);
}
