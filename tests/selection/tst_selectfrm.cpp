// The selection screen: its keys, the selection loop (named users, the
// default user, settings mode, quitting), the settings password, opening a
// worksheet, the delayed preview and the sound panel it hosts.
#include "Screenshots.h"
#include "SelectionBench.h"
#include "selection/DocumentPreview.h"
#include "selection/KeyPanel.h"
#include "selection/SelectionRules.h"
#include "sound/TEP_SoundFrm.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSplitter>

using Command = SelectionRules::Command;
Q_DECLARE_METATYPE(std::optional<SelectionRules::Command>)

namespace {

TranslatedKey KeyOf(int code, int character)
{
    TranslatedKey key;
    key.code = code;
    key.character = quint8(character);
    return key;
}

PasswordAnswer Typed(const QString& text, bool doNotShowAgain = false)
{
    PasswordAnswer answer;
    answer.accepted = true;
    answer.text = text;
    answer.doNotShowAgain = doNotShowAgain;
    return answer;
}

} // namespace

class TestSelectFrm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keyCommands_data();
    void keyCommands();
    void panelsRunTheirCommands();
    void treeWidth_data();
    void treeWidth();

    void defaultUserOpensAWorksheet();
    void quitQuestion_data();
    void quitQuestion();
    void enterOnAFolderDoesNothing();
    void worksheetThatCannotOpenKeepsTheScreen();
    void namedUsers();
    void namedUsersEscapeGoesBackToTheNames();
    void namesEditedFromTheNameChoice_data();
    void namesEditedFromTheNameChoice();
    void settingsPassword_data();
    void settingsPassword();
    void doNotShowAgainLastsTheRun();
    void settingsModeKeys();
    void frameCloseAsks();
    void newPassword_data();
    void newPassword();

    void doubleClickGuard();
    void delayedPreview();
    void unreadablePicture();
    void soundPanelAndLabels();
    void playerLetsGoOfRemovedWorksheets();
    void printerLabel();
    void screenshot();

private:
    std::unique_ptr<SelectionBench> m_bench;
};

void TestSelectFrm::init()
{
    m_bench = std::make_unique<SelectionBench>();
}

void TestSelectFrm::cleanup()
{
    m_bench.reset();
}

// --- Keys ----------------------------------------------------------------------------------------

void TestSelectFrm::keyCommands_data()
{
    QTest::addColumn<bool>("settingsMode");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("character");
    QTest::addColumn<std::optional<Command>>("command");
    const std::optional<Command> none;
    QTest::newRow("Enter") << false << 13 << 13 << std::optional(Command::Open);
    QTest::newRow("Escape") << false << 27 << 27 << std::optional(Command::Quit);
    QTest::newRow("/") << false << 111 << int('/') << std::optional(Command::PlayInstruction);
    QTest::newRow(":") << false << 0 << int(':') << std::optional(Command::PlayInstruction);
    QTest::newRow("*") << false << 106 << int('*') << std::optional(Command::PlayHelp);
    QTest::newRow("µ") << false << 0 << 181 << std::optional(Command::PlayHelp);
    QTest::newRow("s") << false << 83 << int('s') << std::optional(Command::Scan);
    QTest::newRow("S") << false << 83 << int('S') << std::optional(Command::Scan);
    QTest::newRow("Backspace") << false << 8 << 8 << std::optional(Command::NextDocument);
    QTest::newRow("F8") << false << 119 << 1 << std::optional(Command::Settings);
    QTest::newRow("Ctrl+A is not F8") << false << 65 << 1 << none;
    QTest::newRow("Ctrl+G is not previous") << false << 71 << 7 << none;
    QTest::newRow("Ctrl+H is not next") << false << 72 << 8 << none;
    QTest::newRow("Ctrl+M is not Enter") << false << 77 << 13 << none;
    QTest::newRow("letter") << false << 65 << int('a') << none;
    QTest::newRow("arrow") << false << 40 << 0 << none;
    QTest::newRow("settings: Enter") << true << 13 << 13 << std::optional(Command::Open);
    QTest::newRow("settings: c") << true << 67 << int('c') << std::optional(Command::Configure);
    QTest::newRow("settings: M") << true << 77 << int('M') << std::optional(Command::NewPassword);
    QTest::newRow("settings: s") << true << 83 << int('s') << std::optional(Command::Scan);
    QTest::newRow("settings: Escape ignored") << true << 27 << 27 << none;
    QTest::newRow("settings: / ignored") << true << 111 << int('/') << none;
    QTest::newRow("settings: F8 ignored") << true << 119 << 1 << none;
    QTest::newRow("settings: Backspace ignored") << true << 8 << 8 << none;
}

void TestSelectFrm::keyCommands()
{
    QFETCH(bool, settingsMode);
    QFETCH(int, code);
    QFETCH(int, character);
    QFETCH(std::optional<Command>, command);
    QCOMPARE(SelectionRules::CommandForKey(KeyOf(code, character), settingsMode), command);
}

void TestSelectFrm::panelsRunTheirCommands()
{
    SelectionBench& b = *m_bench;
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture1"));
        b.screen->Panel(Command::NextDocument)->Click();
        QCOMPARE(b.Selected(), QString("Lecture/lecture2"));
        b.screen->Panel(Command::PreviousDocument)->Click();
        b.screen->Panel(Command::PreviousDocument)->Click();
        QCOMPARE(b.Selected(), QString("Lecture"));
        b.screen->Panel(Command::CloseFolder)->Click();
        QVERIFY(!b.Tree().isExpanded(b.Tree().currentIndex()));
        b.screen->Panel(Command::OpenFolder)->Click();
        QVERIFY(b.Tree().isExpanded(b.Tree().currentIndex()));
        // A click on the panel, not a character: Ctrl+H moves nothing.
        b.Key(Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(b.Selected(), QString("Lecture"));
        b.screen->Panel(Command::NextDocument)->Click();
        QTest::mouseClick(b.screen->Panel(Command::Open), Qt::LeftButton);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.base.config.CurrentDocument()->Name(), QString("lecture1"));
}

void TestSelectFrm::treeWidth_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("346") << 346 << 346;
    QTest::newRow("347") << 347 << 347;
    QTest::newRow("500") << 500 << 500;
    QTest::newRow("799") << 799 << 799;
    QTest::newRow("800") << 800 << 346;
    QTest::newRow("0") << 0 << 346;
    QTest::newRow("-400") << -400 << 346;
}

void TestSelectFrm::treeWidth()
{
    QFETCH(int, stored);
    QFETCH(int, used);
    QCOMPARE(SelectionRules::TreeWidth(stored), used);
    // The screen shows the view at that width and keeps what the splitter
    // gave it when it closes.
    SelectionBench& b = *m_bench;
    b.base.config.Settings.TreeWidth = stored;
    b.screen->resize(1600, 700);
    int shown = 0;
    b.showings << [&] {
        shown = b.Tree().width();
        b.screen->findChild<QSplitter*>()->setSizes({420, 400});
        b.dialogs.QuitAnswers << true;
        b.Key(Qt::Key_Escape);
    };
    QVERIFY(!b.screen->ChooseDocument());
    QCOMPARE(shown, used);
    QCOMPARE(b.base.config.Settings.TreeWidth, 420);
}

// --- The loop ------------------------------------------------------------------------------------

void TestSelectFrm::defaultUserOpensAWorksheet()
{
    SelectionBench& b = *m_bench;
    b.showings << [&] {
        QCOMPARE(b.screen->windowTitle(), QString("Sélection du document"));
        QVERIFY(b.Select("Lecture/lecture2"));
        b.Key(Qt::Key_Return);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.base.config.CurrentDocument(), b.base.Node("Lecture/lecture2")->Document());
    QCOMPARE(b.base.config.CurrentUser(), QString("XXXX"));
    QCOMPARE(b.dialogs.NameChoices, 0);
    // Back from the worksheet: it is no longer current, the screen shows
    // again with the same selection.
    b.showings << [&] {
        QVERIFY(!b.base.config.CurrentDocument());
        QCOMPARE(b.Selected(), QString("Lecture/lecture2"));
        b.dialogs.QuitAnswers << true;
        b.Key(Qt::Key_Escape);
    };
    QVERIFY(!b.screen->ChooseDocument());
    QCOMPARE(b.dialogs.QuitAsked, 1);
    QCOMPARE(b.Showings, 2);
}

void TestSelectFrm::quitQuestion_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("opened");
    QTest::newRow("yes quits") << QList<bool> {true} << false;
    QTest::newRow("no stays") << QList<bool> {false} << true;
}

void TestSelectFrm::quitQuestion()
{
    QFETCH(QList<bool>, answers);
    QFETCH(bool, opened);
    SelectionBench& b = *m_bench;
    b.dialogs.QuitAnswers = answers;
    b.showings << [&] {
        b.Key(Qt::Key_Escape);
        if (!b.screen->isVisible())
            return;
        QVERIFY(b.Select("accueil"));
        b.Key(Qt::Key_Return);
    };
    QCOMPARE(b.screen->ChooseDocument(), opened);
    QCOMPARE(b.dialogs.QuitAsked, 1);
    QCOMPARE(b.Showings, 1);
}

void TestSelectFrm::enterOnAFolderDoesNothing()
{
    SelectionBench& b = *m_bench;
    bool stillShown = false;
    b.showings << [&] {
        QVERIFY(b.Select("Calcul"));
        b.Key(Qt::Key_Return);
        stillShown = b.screen->isVisible();
        QCOMPARE(b.Selected(), QString("Calcul"));
    };
    QVERIFY(!b.screen->ChooseDocument());
    QVERIFY(stillShown);
    QVERIFY(!b.base.config.CurrentDocument());
}

// A worksheet whose work cannot be read is told and the screen stays, so
// the pupil can choose another one.
void TestSelectFrm::worksheetThatCannotOpenKeepsTheScreen()
{
    SelectionBench& b = *m_bench;
    b.base.File("Calcul/addition_XXXX.txt", "[MAINRECT]\r\nRECT=0,0\r\n");
    b.showings << [&] {
        QVERIFY(b.Select("Calcul/addition"));
        b.Key(Qt::Key_Return);
        QVERIFY(b.screen->isVisible());
        QVERIFY(!b.base.messenger.Shown.isEmpty());
        QVERIFY(b.base.messenger.Shown.first().startsWith("Impossible de charger, pour son utilisation le document "
                                                          "\"addition\"."));
        QVERIFY(b.Select("Calcul/soustraction"));
        b.Key(Qt::Key_Return);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.base.config.CurrentDocument()->Name(), QString("soustraction"));
}

void TestSelectFrm::namedUsers()
{
    SelectionBench& b = *m_bench;
    TEP_Config& config = b.base.config;
    b.AddUser("Paul");
    config.UseNames = true;
    b.dialogs.UserChoices << [&] {
        config.SetUser("Paul", true).Ok();
        return 0;
    };
    b.showings << [&] {
        QCOMPARE(b.screen->windowTitle(), QString("Sélection du document (Paul)"));
        QVERIFY(b.Select("Lecture/lecture3"));
        b.Key(Qt::Key_Return);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(config.CurrentUser(), QString("Paul"));
    QCOMPARE(config.CurrentDocument()->CurrentUser(), QString("Paul"));
    // The next time the user stays chosen: no name question.
    b.showings << [&] { b.Key(Qt::Key_Return); };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.dialogs.NameChoices, 1);
    // Giving up at the name question asks the quit question.
    b.dialogs.UserChoices << [] { return 1; } << [] { return 1; };
    b.dialogs.QuitAnswers << false << true;
    b.showings << [&] { b.Key(Qt::Key_Escape); };
    QVERIFY(!b.screen->ChooseDocument());
    QCOMPARE(b.dialogs.NameChoices, 3);
    QCOMPARE(b.dialogs.QuitAsked, 2);
}

// With named users, Escape goes back to the name question without asking
// whether to quit.
void TestSelectFrm::namedUsersEscapeGoesBackToTheNames()
{
    SelectionBench& b = *m_bench;
    TEP_Config& config = b.base.config;
    b.AddUser("Paul");
    b.AddUser("Léa");
    config.UseNames = true;
    b.dialogs.UserChoices << [&] {
        config.SetUser("Paul", true).Ok();
        return 0;
    } << [&] {
        config.SetUser("Léa", true).Ok();
        return 0;
    };
    b.showings << [&] { b.Key(Qt::Key_Escape); } << [&] {
        QCOMPARE(b.screen->windowTitle(), QString("Sélection du document (Léa)"));
        QVERIFY(b.Select("accueil"));
        b.Key(Qt::Key_Return);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.dialogs.QuitAsked, 0);
    QCOMPARE(config.CurrentUser(), QString("Léa"));
}

void TestSelectFrm::namesEditedFromTheNameChoice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("edits");
    QTest::newRow("right password") << "clef" << 1;
    QTest::newRow("wrong password") << "clé" << 0;
}

// F8 at the name question edits the names after the password; the editor
// can turn named users off, and the default user then works.
void TestSelectFrm::namesEditedFromTheNameChoice()
{
    QFETCH(QString, typed);
    QFETCH(int, edits);
    SelectionBench& b = *m_bench;
    TEP_Config& config = b.base.config;
    config.Password = "clef";
    config.UseNames = true;
    b.dialogs.Passwords << Typed(typed);
    b.dialogs.UserChoices << [] { return 2; } << [] { return 1; };
    b.dialogs.QuitAnswers << true;
    b.dialogs.NameEditAnswers << [&] {
        config.UseNames = false;
        return false;
    };
    b.showings << [&] { b.Key(Qt::Key_Return); };
    const bool opened = b.screen->ChooseDocument();
    QCOMPARE(b.dialogs.NameEdits, edits);
    QCOMPARE(b.dialogs.PasswordTitles, QStringList {"Mot de passe +box"});
    // Named users off: the screen shows for the default user (and the root
    // is selected, so Enter opens nothing); else the pupil gave up.
    QCOMPARE(b.Showings, edits);
    QVERIFY(!opened);
    QCOMPARE(b.dialogs.QuitAsked, 1 - edits);
}

void TestSelectFrm::settingsPassword_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<PasswordAnswer>("answer");
    QTest::addColumn<bool>("settings");
    QTest::newRow("right") << "Ecole" << Typed("Ecole") << true;
    QTest::newRow("letter case counts") << "Ecole" << Typed("ecole") << false;
    QTest::newRow("cancelled") << "Ecole" << PasswordAnswer() << false;
    QTest::newRow("empty password, empty entry") << "" << Typed("") << true;
    QTest::newRow("empty password, text typed") << "" << Typed("x") << false;
}

void TestSelectFrm::settingsPassword()
{
    QFETCH(QString, password);
    QFETCH(PasswordAnswer, answer);
    QFETCH(bool, settings);
    SelectionBench& b = *m_bench;
    b.base.config.Password = password;
    b.dialogs.Passwords << answer;
    bool closedForSettings = false;
    b.showings << [&] {
        b.Key(Qt::Key_F8);
        closedForSettings = !b.screen->isVisible();
    } << [&] {
        QVERIFY(b.screen->SettingsMode());
        QVERIFY(b.screen->SettingsButtons()->isVisibleTo(b.screen.get()));
        QVERIFY(b.player->Window()->IsRecorder());
    };
    b.screen->ChooseDocument();
    QCOMPARE(closedForSettings, settings);
    QCOMPARE(b.Showings, settings ? 2 : 1);
    QCOMPARE(b.base.messenger.Shown, QStringList()); // a wrong password says nothing
}

void TestSelectFrm::doNotShowAgainLastsTheRun()
{
    SelectionBench& b = *m_bench;
    b.base.config.Password = "Ecole";
    b.dialogs.Passwords << Typed("Ecole", true);
    const auto enterSettings = [&] { b.Key(Qt::Key_F8); };
    const auto leaveSettings = [&] {
        QVERIFY(b.screen->SettingsMode());
        b.screen->RunCommand(Command::LeaveSettings);
    };
    b.showings << enterSettings << leaveSettings << [&] {
        QVERIFY(!b.screen->SettingsMode());
        QVERIFY(!b.player->Window()->IsRecorder());
        enterSettings();
    } << leaveSettings;
    b.screen->ChooseDocument();
    QCOMPARE(b.Showings, 5);
    QCOMPARE(b.dialogs.PasswordTitles.size(), 1);
    QVERIFY(!b.screen->AsksPassword());
}

void TestSelectFrm::settingsModeKeys()
{
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(true);
    int dialogs = 0;
    b.screen->OpenSettingsDialog = [&] {
        ++dialogs;
        return false;
    };
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture1"));
        b.Key(Qt::Key_Escape);
        b.Key('/');
        b.Key(Qt::Key_F8);
        QVERIFY(b.screen->isVisible());
        QCOMPARE(b.Device->Log, QStringList());
        b.Key('c');
        QCOMPARE(dialogs, 1);
        b.Key(Qt::Key_Return);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.dialogs.QuitAsked, 0);
    QCOMPARE(b.dialogs.PasswordTitles, QStringList());
}

void TestSelectFrm::frameCloseAsks()
{
    SelectionBench& b = *m_bench;
    b.dialogs.QuitAnswers << false << true;
    b.showings << [&] {
        b.screen->close();
        QVERIFY(b.screen->isVisible());
        b.screen->close();
    };
    QVERIFY(!b.screen->ChooseDocument());
    QCOMPARE(b.dialogs.QuitAsked, 2);
}

void TestSelectFrm::newPassword_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("confirmed") << "Maîtresse 2"
                               << "Maîtresse 2"
                               << "Maîtresse 2"
                               << "";
    QTest::newRow("different") << "abc"
                               << "abd"
                               << "old"
                               << "Mot de passe incorrect.\nRecommencez l'opération.";
    QTest::newRow("colon cannot be stored") << "a:b"
                                            << "a:b"
                                            << "old"
                                            << "refused";
    QTest::newRow("tab cannot be stored") << "a\tb"
                                          << "a\tb"
                                          << "old"
                                          << "refused";
    QTest::newRow("blanks around") << " a b "
                                   << " a b "
                                   << " a b "
                                   << "";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
}

// "M" in settings mode: the new password, confirmed, is written to the
// general file and reads back the same after a restart.
void TestSelectFrm::newPassword()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    SelectionBench& b = *m_bench;
    b.base.config.Password = "old";
    b.screen->SetSettingsMode(true);
    b.dialogs.Passwords << Typed(first) << Typed(second);
    b.showings << [&] { b.Key('m'); };
    b.screen->ChooseDocument();
    QCOMPARE(b.dialogs.PasswordTitles, (QStringList {"Nouveau mot de passe", "Confirmation du mot de passe"}));
    QCOMPARE(b.base.config.Password, stored);
    if (message == "refused")
        QVERIFY(b.base.messenger.Shown.value(0).startsWith("Ce mot de passe contient un caractère"));
    else
        QCOMPARE(b.base.messenger.Shown.value(0), message);
    if (message.isEmpty()) {
        TEP_Config restarted;
        QVERIFY(restarted.Initialise(b.base.dir.path()));
        QCOMPARE(restarted.Password, stored);
    }
}

// --- Tree gestures, preview, sounds --------------------------------------------------------------

void TestSelectFrm::doubleClickGuard()
{
    SelectionBench& b = *m_bench;
    b.showings << [&] {
        TEP_DocsTree& tree = b.Tree();
        QVERIFY(b.Select("Lecture/lecture1"));
        const QModelIndex calcul = tree.IndexOf(b.base.Node("Calcul"));
        tree.collapse(calcul);
        b.base.clock.Advance(TEP_SelectFrm::ExpandGuard - 1);
        const QPoint lecture1 = tree.visualRect(tree.currentIndex()).center();
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, lecture1);
        QVERIFY(b.screen->isVisible());
        b.base.clock.Advance(1);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, lecture1);
    };
    QVERIFY(b.screen->ChooseDocument());
    QCOMPARE(b.base.config.CurrentDocument()->Name(), QString("lecture1"));
}

void TestSelectFrm::delayedPreview()
{
    SelectionBench& b = *m_bench;
    TEP_SelectFrm& screen = *b.screen;
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture1"));
        b.base.clock.Advance(1000);
        QVERIFY(b.Select("Lecture/lecture2"));
        b.base.clock.Advance(TEP_SelectFrm::PreviewDelay - 1);
        screen.PreviewTickNow();
        QVERIFY(!screen.Preview()->HasPicture());
        b.base.clock.Advance(1);
        screen.PreviewTickNow();
        QVERIFY(screen.Preview()->HasPicture());
        QApplication::processEvents(); // the layout settles the panel's size
        // 40 x 56 fitted into the panel with its proportions.
        const QRect placed = screen.Preview()->PictureRect();
        const QRect panel = screen.Preview()->rect();
        QVERIFY(panel.contains(placed));
        QVERIFY(placed.width() == panel.width() || placed.height() == panel.height());
        QVERIFY(qAbs(placed.width() * 56.0 - placed.height() * 40.0) <= 56);
        QVERIFY(qAbs(placed.center().x() - panel.center().x()) <= 1);
        QVERIFY(qAbs(placed.center().y() - panel.center().y()) <= 1);
        QVERIFY(screen.InfoLabel()->text().startsWith("lecture2"));
        // A folder hides the picture.
        QVERIFY(b.Select("Calcul"));
        b.base.clock.Advance(TEP_SelectFrm::PreviewDelay);
        screen.PreviewTickNow();
        QVERIFY(!screen.Preview()->HasPicture());
    };
    screen.ChooseDocument();
}

void TestSelectFrm::unreadablePicture()
{
    SelectionBench& b = *m_bench;
    b.base.File("Lecture/lecture2.jpg", "not a picture");
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        b.screen->RedrawPreview();
        QVERIFY(!b.screen->Preview()->HasPicture());
        QCOMPARE(b.screen->InfoLabel()->text(), QString("(Format image inconnu)"));
    };
    b.screen->ChooseDocument();
}

void TestSelectFrm::soundPanelAndLabels()
{
    SelectionBench& b = *m_bench;
    const QByteArray wav = WavFile::Header(2, 44100, 16, 4000) + QByteArray(4000, 0);
    b.base.File("Lecture/lecture1_C.wav", wav);
    b.base.File("Lecture/lecture2_A.wav", wav);
    QVERIFY(b.base.Node("Lecture")->Rescan());
    const auto grey = [&](QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(0x808080); };
    b.showings << [&] {
        TEP_SelectFrm& screen = *b.screen;
        QCOMPARE(b.player->Window()->MainPnl()->parentWidget(), screen.SoundHost());
        QVERIFY(!b.player->Window()->IsRecorder());
        QVERIFY(b.Select("Lecture/lecture1"));
        QCOMPARE(b.player->Document(), b.base.Node("Lecture/lecture1")->Document());
        QVERIFY(!grey(screen.InstructionLabel()));
        QVERIFY(grey(screen.HelpLabel()));
        b.Key('/');
        QVERIFY(b.Device->Log.contains("play"));
        QCOMPARE(b.player->CurrentSound(), int(TEPSND_DocSoundPlayer::Instruction));
        // No help here: "*" beeps and stops the instruction.
        b.Key('*');
        QCOMPARE(b.base.messenger.Beeps, 1);
        QCOMPARE(b.player->CurrentSound(), int(TEPSND_DocSoundPlayer::NoSound));
        QVERIFY(b.Select("Lecture/lecture2"));
        QVERIFY(grey(screen.InstructionLabel()));
        QVERIFY(!grey(screen.HelpLabel()));
        b.Device->Log.clear();
        QTest::keyClick(&b.Tree(), Qt::Key_Colon); // ":" plays the instruction too: none here
        QCOMPARE(b.base.messenger.Beeps, 2);
        b.Key('*');
        QVERIFY(b.Device->Log.contains("play"));
        b.Key(Qt::Key_Return);
    };
    QVERIFY(b.screen->ChooseDocument());
    // The sound stops and the panel goes back when the screen closes.
    QCOMPARE(b.player->CurrentSound(), int(TEPSND_DocSoundPlayer::NoSound));
    QVERIFY(b.player->Window()->MainPnl()->parentWidget() != b.screen->SoundHost());
}

// The player never keeps a worksheet that left the tree: deleted here, or
// gone from the disk at a rescan.
void TestSelectFrm::playerLetsGoOfRemovedWorksheets()
{
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(true);
    b.showings << [&] {
        QVERIFY(b.Select("Calcul/Tables/table2"));
        QVERIFY(b.player->Document());
        // Another computer removed the folder; the view is refreshed.
        QVERIFY(QDir(b.base.Path("Calcul/Tables")).removeRecursively());
        QVERIFY(b.Tree().Refresh());
        QVERIFY(!b.player->Document() || b.player->Document() == b.screen->SelectedDocument());
        QVERIFY(b.Select("accueil"));
        QVERIFY(b.player->Document());
        b.base.messenger.YesNoAnswers << true;
        b.screen->DeleteSelectedEntry();
        QVERIFY(!b.base.Node("accueil"));
        QVERIFY(!b.player->Document() || b.player->Document() == b.screen->SelectedDocument());
    };
    b.screen->ChooseDocument();
}

void TestSelectFrm::printerLabel()
{
    SelectionBench& b = *m_bench;
    b.base.config.DefaultPrinterName = [] { return QString(); };
    b.screen->UpdatePrinterLabel();
    QCOMPARE(b.screen->PrinterLabel()->text(), QString("Imprimante : <Aucune>"));
    b.base.config.PrinterName = "Salle 12";
    b.screen->UpdatePrinterLabel();
    QCOMPARE(b.screen->PrinterLabel()->text(), QString("Imprimante : Salle 12"));
}

void TestSelectFrm::screenshot()
{
    SelectionBench& b = *m_bench;
    const QByteArray wav = WavFile::Header(2, 44100, 16, 4000) + QByteArray(4000, 0);
    b.base.File("Lecture/lecture1_C.wav", wav);
    QVERIFY(b.base.Node("Lecture")->Rescan());
    b.base.config.PrinterName = "Salle 12";
    b.showings << [&] {
        QVERIFY(b.Select("Lecture/lecture1"));
        b.base.clock.Advance(TEP_SelectFrm::PreviewDelay);
        b.screen->PreviewTickNow();
        QVERIFY(b.screen->Preview()->HasPicture());
        QVERIFY(Screenshots::Save(*b.screen, "selection-screen.png"));
    };
    b.screen->ChooseDocument();
    b.screen->SetSettingsMode(true);
    b.showings << [&] {
        QVERIFY(b.Select("Calcul/addition"));
        QVERIFY(Screenshots::Save(*b.screen, "selection-screen-settings.png"));
    };
    b.screen->ChooseDocument();
}

QTEST_MAIN(TestSelectFrm)
#include "tst_selectfrm.moc"
