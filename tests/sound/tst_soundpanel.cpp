// The sound player and its panel against a scripted device and a fake clock:
// choosing, playing by key, both faces, recording, deleting, the timer, and
// every indicator told when a sound appears or goes.
#include "FakeAudioDevice.h"
#include "FakeClock.h"
#include "Screenshots.h"
#include "SoundTestSheet.h"
#include "documents/ScriptedMessenger.h"
#include "sound/SoundListener.h"
#include "sound/TEPSND_DocSoundPlayer.h"
#include "sound/TEP_SoundFrm.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

struct CountingListener : SoundListener {
    void SoundsChanged(TEP_Doc* document) override
    {
        Calls << document;
        HadInstruction << document->HasInstructionSound();
    }
    QList<TEP_Doc*> Calls;
    QList<bool> HadInstruction;
};

// A player created on a sheet's folder, with its device kept in view.
struct Bench {
    explicit Bench(const QString& workDir, bool recorder = true)
    {
        auto owned = std::make_unique<FakeAudioDevice>();
        Device = owned.get();
        Player = std::make_unique<TEPSND_DocSoundPlayer>(Messages, Time, std::move(owned));
        Player->SetRecorder(recorder);
        Created = Player->Create(workDir);
    }
    TEP_SoundFrm& Window() const { return *Player->Window(); }
    QToolButton* Button(const char* name) const { return Window().MainPnl()->findChild<QToolButton*>(name); }
    QLabel* Label(const char* name) const { return Window().MainPnl()->findChild<QLabel*>(name); }
    // Play, pause, stop, record, delete: "1" enabled, "0" disabled.
    QString Enabled() const
    {
        QString flags;
        for (const char* name : {"SoundStartBtn", "SoundPauseBtn", "SoundStopBtn", "SoundRecordBtn", "SoundDelBtn"})
            flags += Button(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    }
    QColor LabelColour(const char* name) const { return Label(name)->palette().color(QPalette::Window); }

    ScriptedMessenger Messages;
    FakeClock Time;
    FakeAudioDevice* Device = nullptr;
    std::unique_ptr<TEPSND_DocSoundPlayer> Player;
    bool Created = false;
};

const QColor Green(0, 255, 0);
const QColor Yellow(255, 255, 0);

} // namespace

class TestSoundPanel : public QObject {
    Q_OBJECT

private slots:
    void createChecksTheWorkingDirectory();
    void documentChoosesItsSound();
    void playKeys_data();
    void playKeys();
    void playingEndsAndResumes();
    void bothFaces();
    void recordingWritesTheSoundAndTellsEveryIndicator();
    void recordingWaitIgnoresRepeatsAndReleases();
    void recordingFailures();
    void deleting();
    void timerShowsProgress();
    void volumeIsOurOwnStream();
    void hostingThePanel();
    void closingRemovesTheTemplate();
};

void TestSoundPanel::createChecksTheWorkingDirectory()
{
    SoundTestSheet sheet;
    Bench missing(sheet.Path("absent"));
    QVERIFY(!missing.Created);
    QCOMPARE(
        missing.Messages.Shown, QStringList {QStringLiteral("Répertoire inconnu : \"%1\".").arg(sheet.Path("absent"))});

    Bench bench(sheet.Dir.path());
    QVERIFY(bench.Created);
    QVERIFY(bench.Messages.Shown.isEmpty());
    QVERIFY(bench.Player->SoundServerFound());
    QCOMPARE(bench.Window().TempFile(), sheet.Path("$ardoisine$.wav"));
    QVERIFY(!QFileInfo::exists(bench.Window().TempFile())); // made at the first recording
    QCOMPARE(bench.Enabled(), QStringLiteral("00000"));

    // No sound server: one message, then the program goes on without sounds.
    SoundTestSheet withSound(true);
    auto device = std::make_unique<FakeAudioDevice>();
    device->Available = false;
    device->FailPlay = true;
    ScriptedMessenger messages;
    FakeClock time;
    TEPSND_DocSoundPlayer silent(messages, time, std::move(device));
    QVERIFY(silent.Create(withSound.Dir.path()));
    QCOMPARE(messages.Shown.size(), 1);
    QVERIFY(messages.Shown.first().startsWith(QStringLiteral("Aucun serveur de son n'a été trouvé")));
    silent.SetDocument(withSound.Doc.get());
    silent.Play(QLatin1Char('C'));
    QCOMPARE(messages.Shown.size(), 1);
    QCOMPARE(messages.Beeps, 1);
    QCOMPARE(silent.CurrentSound(), 0);
}

void TestSoundPanel::documentChoosesItsSound()
{
    SoundTestSheet sheet(true, false);
    Bench bench(sheet.Dir.path());
    TEPSND_DocSoundPlayer& player = *bench.Player;
    player.SetDocument(sheet.Doc.get());
    QCOMPARE(player.ChosenSound(), 1);
    QCOMPARE(bench.Label("OrdersSoundPnl")->text(), QStringLiteral("X"));
    QCOMPARE(bench.Label("HelpSoundPnl")->text(), QString());
    QCOMPARE(bench.Enabled(), QStringLiteral("11111"));
    QCOMPARE(bench.LabelColour("OrdersSoundLblPnl"), Green);
    QVERIFY(bench.LabelColour("HelpSoundLblPnl") != Yellow);
    QVERIFY(player.HasInstruction());
    QVERIFY(!player.HasHelp());

    // The help has no sound yet: only recording it makes sense.
    QTest::mouseClick(bench.Label("HelpSoundLblPnl"), Qt::LeftButton);
    QCOMPARE(player.ChosenSound(), 2);
    QCOMPARE(bench.Label("OrdersSoundPnl")->text(), QString());
    QCOMPARE(bench.Label("HelpSoundPnl")->text(), QStringLiteral("X"));
    QCOMPARE(bench.Enabled(), QStringLiteral("00010"));

    // The help stays chosen from one worksheet to the next.
    SoundTestSheet other(true, true);
    player.SetDocument(other.Doc.get());
    QCOMPARE(player.ChosenSound(), 2);
    QCOMPARE(bench.Enabled(), QStringLiteral("11111"));
    QCOMPARE(bench.LabelColour("HelpSoundLblPnl"), Yellow);

    player.SetDocument(nullptr);
    QCOMPARE(player.ChosenSound(), 0);
    QCOMPARE(bench.Enabled(), QStringLiteral("00000"));
    QCOMPARE(bench.Label("HelpSoundPnl")->text(), QString());
    QVERIFY(bench.LabelColour("OrdersSoundLblPnl") != Green);
    QVERIFY(!player.HasInstruction());
    player.SetDocument(other.Doc.get());
    QCOMPARE(player.ChosenSound(), 2);
}

void TestSoundPanel::playKeys_data()
{
    QTest::addColumn<bool>("instruction");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<int>("opens");

    QTest::newRow("instruction") << true << false << "C" << 1 << 0 << 1;
    QTest::newRow("lower-case letter") << true << false << "c" << 1 << 0 << 1;
    QTest::newRow("help") << true << true << "A" << 2 << 0 << 1;
    // "*" without a help sound beeps and stops the instruction playing.
    QTest::newRow("help missing stops the instruction") << true << false << "CA" << 0 << 1 << 1;
    // The key of the sound already current does nothing.
    QTest::newRow("current sound again") << true << false << "CC" << 1 << 0 << 1;
    QTest::newRow("switch sounds") << true << true << "CAC" << 1 << 0 << 3;
    QTest::newRow("no sound at all") << false << false << "C" << 0 << 1 << 0;
    QTest::newRow("another letter stops") << true << false << "CX" << 0 << 0 << 1;
}

void TestSoundPanel::playKeys()
{
    QFETCH(bool, instruction);
    QFETCH(bool, help);
    QFETCH(QString, keys);
    QFETCH(int, current);
    QFETCH(int, beeps);
    QFETCH(int, opens);
    SoundTestSheet sheet(instruction, help);
    Bench bench(sheet.Dir.path(), false);
    bench.Player->SetDocument(sheet.Doc.get());
    bench.Device->Log.clear();
    for (const QChar key : keys)
        bench.Player->Play(key);
    QCOMPARE(bench.Player->CurrentSound(), current);
    QCOMPARE(bench.Messages.Beeps, beeps);
    QCOMPARE(bench.Device->Log.filter(QStringLiteral("open ")).size(), opens);
    QCOMPARE(bench.Window().Playing(), current != 0);
    QCOMPARE(bench.Device->State() == AudioDevice::Mode::Playing, current != 0);
    QVERIFY(bench.Messages.Shown.isEmpty());
}

void TestSoundPanel::playingEndsAndResumes()
{
    SoundTestSheet sheet(true);
    Bench bench(sheet.Dir.path(), false);
    bench.Player->SetDocument(sheet.Doc.get());
    bench.Player->Play(QLatin1Char('C'));
    QCOMPARE(bench.Enabled(), QStringLiteral("01111"));
    QCOMPARE(bench.Window().BarMaximum(), 1); // 1.5 s

    // Pause, then the play button goes on from where the sound was.
    QTest::mouseClick(bench.Button("SoundPauseBtn"), Qt::LeftButton);
    QCOMPARE(bench.Device->State(), AudioDevice::Mode::Paused);
    QVERIFY(bench.Button("SoundStartBtn")->isEnabled());
    bench.Device->Log.clear();
    QTest::mouseClick(bench.Button("SoundStartBtn"), Qt::LeftButton);
    QCOMPARE(bench.Device->Log, QStringList {QStringLiteral("play")});

    // The end of the stream ends the play: the key plays it again after.
    bench.Device->EndStream();
    QVERIFY(!bench.Window().Playing());
    QCOMPARE(bench.Player->CurrentSound(), 0);
    QCOMPARE(bench.Window().BarPosition(), bench.Window().BarMaximum());
    QVERIFY(bench.Button("SoundStartBtn")->isEnabled());
    bench.Player->Play(QLatin1Char('C'));
    QCOMPARE(bench.Player->CurrentSound(), 1);

    // Stopped by the button: the key plays it again too.
    QTest::mouseClick(bench.Button("SoundStopBtn"), Qt::LeftButton);
    QCOMPARE(bench.Player->CurrentSound(), 0);
    QCOMPARE(bench.Device->State(), AudioDevice::Mode::Closed);
    bench.Player->Play(QLatin1Char('C'));
    QVERIFY(bench.Window().Playing());

    // A file that cannot be read: the teacher is told why.
    bench.Player->SetRecorder(true);
    TestFiles::WriteBytes(sheet.Path("Fiche_C.wav"), "RIFF0000WAVEjunk");
    bench.Player->Play(QLatin1Char('X'));
    bench.Player->Play(QLatin1Char('C'));
    QCOMPARE(bench.Player->CurrentSound(), 0);
    QCOMPARE(bench.Messages.Shown.size(), 1);
    QVERIFY2(
        bench.Messages.Shown.first().startsWith(QStringLiteral("Impossible de lire le fichier son \"Fiche_C.wav\"")),
        qPrintable(bench.Messages.Shown.first()));
}

void TestSoundPanel::bothFaces()
{
    SoundTestSheet sheet(true, true);
    QWidget host;
    host.resize(340, 200);
    host.setObjectName(QStringLiteral("host"));
    Bench bench(sheet.Dir.path(), true);
    TEPSND_DocSoundPlayer& player = *bench.Player;
    player.SetDocument(sheet.Doc.get());
    player.AttachPanel(&host, QPoint(10, 10));
    host.show();

    const QList<QToolButton*> buttons = bench.Window().MainPnl()->findChildren<QToolButton*>();
    QCOMPARE(buttons.size(), 5);
    for (QToolButton* button : buttons) {
        QVERIFY(!button->accessibleName().isEmpty());
        QVERIFY(!button->accessibleDescription().isEmpty());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    QVERIFY(bench.Button("SoundRecordBtn")->isVisible());
    QVERIFY(bench.Button("SoundDelBtn")->isVisible());
    QCOMPARE(bench.Window().MainPnl()->width(), 313);
    QFrame* choice = bench.Window().MainPnl()->findChild<QFrame*>("OrdersAndHelpPnl");
    QVERIFY(choice->isVisible());
    QCOMPARE(choice->pos(), QPoint(216, 8));
    QVERIFY(Screenshots::Save(host, "sound-panel-recorder.png"));

    // The pupil's player: play, pause and stop only.
    player.SetRecorder(false);
    QVERIFY(!bench.Button("SoundRecordBtn")->isVisible());
    QVERIFY(!bench.Button("SoundDelBtn")->isVisible());
    QVERIFY(bench.Button("SoundStartBtn")->isVisible());
    QVERIFY(Screenshots::Save(host, "sound-panel-player.png"));

    player.SetCompact(true);
    QVERIFY(player.Compact());
    QCOMPARE(bench.Window().MainPnl()->width(), 225);
    QVERIFY(!choice->isVisible());
    player.ChooseSound(0);
    QCOMPARE(bench.Window().MainPnl()->width(), 225);
    QVERIFY(Screenshots::Save(host, "sound-panel-compact.png"));
    player.DetachPanel();
}

void TestSoundPanel::recordingWritesTheSoundAndTellsEveryIndicator()
{
    SoundTestSheet sheet;
    Bench bench(sheet.Dir.path());
    TEPSND_DocSoundPlayer& player = *bench.Player;
    CountingListener palette;
    CountingListener toolbar;
    player.AddListener(&palette);
    player.AddListener(&toolbar);
    QList<TEP_Doc*> told;
    player.OnSoundChanged = [&](TEP_Doc* document) { told << document; };
    player.SetDocument(sheet.Doc.get());
    QCOMPARE(bench.Enabled(), QStringLiteral("00010"));

    // No: nothing happens.
    QTest::mouseClick(bench.Button("SoundRecordBtn"), Qt::LeftButton);
    QCOMPARE(bench.Messages.Asked,
        QStringList {QStringLiteral("Etes-vous prêt à démarrer l'enregistrement de la CONSIGNE du document ?")});
    QVERIFY(!QFileInfo::exists(bench.Window().TempFile()));

    QByteArray templateBytes;
    QString enabledWhileRecording;
    bench.Window().RecordingWait = [&] {
        templateBytes = TestFiles::ReadBytes(bench.Window().TempFile());
        enabledWhileRecording = bench.Enabled();
        QVERIFY(bench.Window().Recording());
        bench.Device->Recorded = 176400;
    };
    bench.Messages.YesNoAnswers << true;
    QTest::mouseClick(bench.Button("SoundRecordBtn"), Qt::LeftButton);
    QVERIFY(bench.Messages.Shown.isEmpty());

    // A first recording in a fresh folder made the template first.
    QCOMPARE(templateBytes.size(), 44);
    const WavHeaderFields header(templateBytes);
    QVERIFY(header.Valid);
    QCOMPARE(header.RiffSize, 36u);
    QCOMPARE(header.FormatSize, 16u);
    QCOMPARE(header.Format, quint16(1));
    QCOMPARE(header.Channels, quint16(2));
    QCOMPARE(header.Rate, 44100u);
    QCOMPARE(header.ByteRate, 176400u);
    QCOMPARE(header.Block, quint16(4));
    QCOMPARE(header.Bits, quint16(16));
    QCOMPARE(header.DataSize, 0u);
    QCOMPARE(enabledWhileRecording, QStringLiteral("00100"));
    QVERIFY(bench.Device->Log.contains(QStringLiteral("open ") + bench.Window().TempFile()));

    // The instruction is the "_C.wav" beside the worksheet, its label green.
    const QByteArray saved = TestFiles::ReadBytes(sheet.Path("Fiche_C.wav"));
    QCOMPARE(saved.size(), 44 + 176400);
    QCOMPARE(WavHeaderFields(saved).DataSize, 176400u);
    QVERIFY(sheet.Doc->HasInstructionSound());
    QCOMPARE(bench.LabelColour("OrdersSoundLblPnl"), Green);
    QVERIFY(!bench.Window().Recording());
    QCOMPARE(bench.Enabled(), QStringLiteral("11111"));
    QCOMPARE(bench.Device->State(), AudioDevice::Mode::Stopped); // open, not playing
    QVERIFY(!bench.Window().Playing());

    // Every indicator was told, after the worksheet's files were read again.
    QCOMPARE(told, QList<TEP_Doc*> {sheet.Doc.get()});
    QCOMPARE(palette.Calls, QList<TEP_Doc*> {sheet.Doc.get()});
    QCOMPARE(palette.HadInstruction, QList<bool> {true});
    QCOMPARE(toolbar.Calls.size(), 1);
    player.RemoveListener(&toolbar);

    // The help next: its label turns yellow.
    QTest::mouseClick(bench.Label("HelpSoundPnl"), Qt::LeftButton);
    bench.Messages.YesNoAnswers << true;
    QTest::mouseClick(bench.Button("SoundRecordBtn"), Qt::LeftButton);
    QCOMPARE(bench.Messages.Asked.last(),
        QStringLiteral("Etes-vous prêt à démarrer l'enregistrement de l'AIDE du document ?"));
    QVERIFY(QFileInfo::exists(sheet.Path("Fiche_A.wav")));
    QCOMPARE(bench.LabelColour("HelpSoundLblPnl"), Yellow);
    QCOMPARE(palette.Calls.size(), 2);
    QCOMPARE(toolbar.Calls.size(), 1);
}

void TestSoundPanel::recordingWaitIgnoresRepeatsAndReleases()
{
    SoundTestSheet sheet;
    Bench bench(sheet.Dir.path());
    bench.Player->SetDocument(sheet.Doc.get());
    QWidget host;
    bench.Player->AttachPanel(&host, QPoint(0, 0));
    host.show();
    bench.Messages.YesNoAnswers << true;

    bool stillOpenAfterRepeatAndRelease = false;
    QString waitName;
    QTimer::singleShot(0, [&] {
        QWidget* wait = QApplication::activeModalWidget();
        QVERIFY(wait);
        waitName = wait->objectName();
        bench.Device->Recorded = 4000;
        // The release of the Enter that answered the question, then a held key.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(wait, &release);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(wait, &repeat);
        stillOpenAfterRepeatAndRelease = wait->isVisible();
        QTest::keyClick(wait, Qt::Key_Space);
    });
    QTest::mouseClick(bench.Button("SoundRecordBtn"), Qt::LeftButton);
    QCOMPARE(waitName, QStringLiteral("RecordingWaitDlg"));
    QVERIFY(stillOpenAfterRepeatAndRelease);
    QVERIFY(!bench.Window().Recording());
    QCOMPARE(WavHeaderFields(TestFiles::ReadBytes(sheet.Path("Fiche_C.wav"))).DataSize, 4000u);
    bench.Player->DetachPanel();
}

void TestSoundPanel::recordingFailures()
{
    SoundTestSheet sheet;
    Bench bench(sheet.Dir.path());
    TEP_SoundFrm& window = bench.Window();
    const QString target = sheet.Path("absent/Fiche_C.wav");
    window.RecordingConfirmation = [&](QString& file) {
        file = target;
        return true;
    };
    window.RecordingWait = [&] { bench.Device->Recorded = 400; };
    window.ButtonClick(TEP_SoundFrm::RecordButton);
    QCOMPARE(bench.Messages.Shown.size(), 1);
    const QString expected
        = QStringLiteral("Erreur lors de la sauvegarde de l'enregistrement dans le fichier \"%1\".\n").arg(target);
    QVERIFY2(bench.Messages.Shown.first().startsWith(expected), qPrintable(bench.Messages.Shown.first()));
    QVERIFY(bench.Messages.Shown.first().size() > expected.size()); // the system's reason
    QVERIFY(!window.Recording());
    QCOMPARE(bench.Device->State(), AudioDevice::Mode::Closed);

    // The microphone refuses: the template is named.
    bench.Device->FailRecord = true;
    bench.Messages.Shown.clear();
    window.ButtonClick(TEP_SoundFrm::RecordButton);
    QCOMPARE(bench.Messages.Shown,
        QStringList {QStringLiteral("Erreur lors du début de l'enregistrement à partir du fichier modèle \"%1\".\n"
                                    "micro absent")
                         .arg(window.TempFile())});
    QVERIFY(!window.Recording());
    QCOMPARE(bench.Enabled(), QStringLiteral("11111"));

    // An empty target after trimming cancels before anything starts.
    window.RecordingConfirmation = [](QString& file) {
        file = QStringLiteral("  ");
        return true;
    };
    bench.Device->Log.clear();
    window.ButtonClick(TEP_SoundFrm::RecordButton);
    QVERIFY(bench.Device->Log.isEmpty());
}

void TestSoundPanel::deleting()
{
    SoundTestSheet sheet(true, true);
    Bench bench(sheet.Dir.path());
    CountingListener selection;
    bench.Player->AddListener(&selection);
    bench.Player->SetDocument(sheet.Doc.get());
    bench.Player->Play(QLatin1Char('C'));

    QTest::mouseClick(bench.Button("SoundDelBtn"), Qt::LeftButton);
    QCOMPARE(bench.Messages.Asked.last(), QStringLiteral("Voulez-vous supprimer la consigne audio du document ?"));
    QVERIFY(QFileInfo::exists(sheet.Path("Fiche_C.wav")));
    QVERIFY(bench.Window().Playing()); // "No" left everything alone

    bench.Messages.YesNoAnswers << true;
    QTest::mouseClick(bench.Button("SoundDelBtn"), Qt::LeftButton);
    QVERIFY(!QFileInfo::exists(sheet.Path("Fiche_C.wav")));
    QVERIFY(!bench.Window().Playing());
    QVERIFY(!sheet.Doc->HasInstructionSound());
    QVERIFY(sheet.Doc->HasHelpSound());
    QVERIFY(bench.LabelColour("OrdersSoundLblPnl") != Green);
    QCOMPARE(bench.LabelColour("HelpSoundLblPnl"), Yellow);
    QCOMPARE(bench.Enabled(), QStringLiteral("00010"));
    QCOMPARE(bench.Label("OrdersSoundPnl")->text(), QStringLiteral("X"));
    QCOMPARE(selection.Calls.size(), 1);
    QCOMPARE(selection.HadInstruction, QList<bool> {false});

    bench.Player->ChooseSound(2);
    QTest::mouseClick(bench.Button("SoundDelBtn"), Qt::LeftButton);
    QCOMPARE(bench.Messages.Asked.last(), QStringLiteral("Voulez-vous supprimer l'aide audio du document ?"));

    // A help "file" that cannot go (a folder by that name).
    QFile::remove(sheet.Path("Fiche_A.wav"));
    QDir().mkdir(sheet.Path("Fiche_A.wav"));
    bench.Messages.YesNoAnswers << true;
    QTest::mouseClick(bench.Button("SoundDelBtn"), Qt::LeftButton);
    QCOMPARE(bench.Messages.Shown,
        QStringList {QStringLiteral("Impossible de supprimer le fichier : \"%1\".").arg(sheet.Path("Fiche_A.wav"))});
}

void TestSoundPanel::timerShowsProgress()
{
    SoundTestSheet sheet(true);
    Bench bench(sheet.Dir.path());
    TEP_SoundFrm& window = bench.Window();
    bench.Player->SetDocument(sheet.Doc.get());
    QCOMPARE(window.BarMaximum(), 1000);

    // Recording: one step a second, wrapping from 10 to 0.
    QList<int> steps;
    window.RecordingWait = [&] {
        QCOMPARE(window.BarMaximum(), 10);
        for (int i = 0; i < 12; ++i) {
            bench.Time.Advance(600);
            window.Timer1Timer();
            bench.Time.Advance(401);
            window.Timer1Timer();
            steps << window.BarPosition();
        }
        bench.Time.Advance(1000); // exactly a second is not more than one
        window.Timer1Timer();
        steps << window.BarPosition();
    };
    bench.Messages.YesNoAnswers << true;
    window.ButtonClick(TEP_SoundFrm::RecordButton);
    QCOMPARE(steps, (QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 1}));

    // Opened after saving: idle again at the next tick.
    window.Timer1Timer();
    QCOMPARE(window.BarMaximum(), 1000);
    QCOMPARE(window.BarPosition(), 0);

    // Playing: whole seconds of the position.
    SoundTestSheet::WriteSound(sheet.Path("Fiche_C.wav"), 5200);
    bench.Player->Play(QLatin1Char('C'));
    QCOMPARE(window.BarMaximum(), 5);
    bench.Device->Position = 2999;
    window.Timer1Timer();
    QCOMPARE(window.BarPosition(), 2);
    bench.Device->EndStream();
    QCOMPARE(window.BarPosition(), 5);
    window.Timer1Timer();
    QCOMPARE(window.BarMaximum(), 1000);
    QCOMPARE(window.BarPosition(), 0);
}

void TestSoundPanel::volumeIsOurOwnStream()
{
    SoundTestSheet sheet;
    Bench bench(sheet.Dir.path());
    auto* volume = bench.Window().MainPnl()->findChild<QSlider*>("VolumeTBar");
    QCOMPARE(volume->orientation(), Qt::Vertical);
    QCOMPARE(volume->maximum(), 65535);
    QCOMPARE(volume->value(), 65535 - 40000);
    volume->setValue(0); // the top: loudest
    QCOMPARE(bench.Device->VolumeLevel, 65535);
    volume->setValue(65535);
    QCOMPARE(bench.Device->VolumeLevel, 0);
}

void TestSoundPanel::hostingThePanel()
{
    SoundTestSheet sheet(true);
    Bench bench(sheet.Dir.path());
    QFrame* panel = bench.Window().MainPnl();
    QCOMPARE(panel->parentWidget(), &bench.Window());
    {
        QWidget host;
        bench.Player->AttachPanel(&host, QPoint(12, 30));
        QCOMPARE(panel->parentWidget(), &host);
        QCOMPARE(panel->pos(), QPoint(12, 30));
        // The host goes without detaching: the panel comes back unharmed.
    }
    QCOMPARE(panel->parentWidget(), &bench.Window());
    bench.Player->SetDocument(sheet.Doc.get());
    QCOMPARE(bench.Enabled(), QStringLiteral("11111"));

    QWidget host;
    bench.Player->AttachPanel(&host, QPoint(0, 0));
    bench.Player->DetachPanel();
    QCOMPARE(panel->parentWidget(), &bench.Window());
    QVERIFY(host.findChildren<QFrame*>().isEmpty());
}

void TestSoundPanel::closingRemovesTheTemplate()
{
    SoundTestSheet sheet;
    QString templateFile;
    {
        Bench bench(sheet.Dir.path());
        bench.Player->SetDocument(sheet.Doc.get());
        bench.Window().RecordingWait = [] {};
        bench.Messages.YesNoAnswers << true;
        bench.Window().ButtonClick(TEP_SoundFrm::RecordButton);
        templateFile = bench.Window().TempFile();
        QVERIFY(QFileInfo::exists(templateFile));
        // A spoiled template is written again at the next recording.
        TestFiles::WriteBytes(templateFile, "not a sound");
        bench.Messages.YesNoAnswers << true;
        bench.Window().ButtonClick(TEP_SoundFrm::RecordButton);
        QCOMPARE(TestFiles::ReadBytes(templateFile), WavFile::EmptyRecording());
        QVERIFY(bench.Messages.Shown.isEmpty());
        bench.Player->SetDocument(nullptr);
    }
    QVERIFY(!QFileInfo::exists(templateFile));
}

QTEST_MAIN(TestSoundPanel)
#include "tst_soundpanel.moc"
