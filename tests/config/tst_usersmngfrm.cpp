// The users dialog in both faces: choosing a name (Enter, Escape, F8, the
// panels, a double click, a failed validation) and editing the names
// (new, rename, delete, named users on and off).
#include "TestFiles.h"
#include "config/TEP_Config.h"
#include "config/dialogs/TEP_UsersMngFrm.h"
#include "documents/ScriptedMessenger.h"
#include "selection/KeyPanel.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestUsersMngFrm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choiceFaceKeys_data();
    void choiceFaceKeys();
    void preselection_data();
    void preselection();
    void failedValidationBeepsAndStays();
    void editorTurnsNamedUsersOff();
    void editorValidatesTheSelectedName();
    void newName();
    void renameAndDelete();

private:
    void AddUser(const QString& name)
    {
        QVERIFY(TestFiles::WriteBytes(m_config->SettingsPath(name), "[ARDOISINE]\r\n"));
    }
    std::unique_ptr<TEP_UsersMngFrm> Open(bool editMode)
    {
        auto dialog = std::make_unique<TEP_UsersMngFrm>(*m_config, m_messenger, editMode);
        dialog->show();
        return dialog;
    }
    void SelectName(TEP_UsersMngFrm& dialog, const QString& name)
    {
        const QList<QListWidgetItem*> items = dialog.Names()->findItems(name, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        dialog.Names()->setCurrentItem(items.first());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TEP_Config> m_config;
    ScriptedMessenger m_messenger;
};

void TestUsersMngFrm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<TEP_Config>();
    QVERIFY(m_config->Initialise(m_dir->path()));
    AddUser("Paul");
    AddUser("Léa");
    AddUser("Zoé");
    m_messenger = ScriptedMessenger();
}

void TestUsersMngFrm::cleanup()
{
    m_config.reset();
    m_dir.reset();
}

void TestUsersMngFrm::choiceFaceKeys_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("user");
    QTest::newRow("Enter") << "Enter" << 0 << "Zoé";
    QTest::newRow("keypad Enter") << "keypad Enter" << 0 << "Zoé";
    QTest::newRow("Enter panel") << "Enter panel" << 0 << "Zoé";
    QTest::newRow("double click") << "double click" << 0 << "Zoé";
    QTest::newRow("Escape") << "Escape" << 1 << "XXXX";
    QTest::newRow("Escape panel") << "Escape panel" << 1 << "XXXX";
    QTest::newRow("close button") << "close" << 1 << "XXXX";
    QTest::newRow("F8") << "F8" << 2 << "XXXX";
}

void TestUsersMngFrm::choiceFaceKeys()
{
    QFETCH(QString, gesture);
    QFETCH(int, result);
    QFETCH(QString, user);
    auto dialog = Open(false);
    QCOMPARE(dialog->windowTitle(), QString("Choix de l'utilisateur"));
    SelectName(*dialog, "Zoé");
    if (gesture == "Enter")
        QTest::keyClick(dialog->Names(), Qt::Key_Return);
    else if (gesture == "keypad Enter")
        QTest::keyClick(dialog->Names(), Qt::Key_Enter, Qt::KeypadModifier);
    else if (gesture == "Enter panel")
        QTest::mouseClick(dialog->EnterPanel(), Qt::LeftButton);
    else if (gesture == "double click")
        emit dialog->Names()->itemDoubleClicked(dialog->Names()->currentItem());
    else if (gesture == "Escape")
        QTest::keyClick(dialog->Names(), Qt::Key_Escape);
    else if (gesture == "Escape panel")
        QTest::mouseClick(dialog->EscapePanel(), Qt::LeftButton);
    else if (gesture == "close")
        dialog->close();
    else
        QTest::keyClick(dialog->Names(), Qt::Key_F8);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->ResultCode(), result);
    QCOMPARE(m_config->CurrentUser(), user);
    QCOMPARE(m_config->UseNames, result == 0);
    QCOMPARE(dialog->UserChanged(), user != "XXXX");
}

void TestUsersMngFrm::preselection_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("selected");
    QTest::newRow("current user") << "Paul"
                                  << "Paul";
    QTest::newRow("default user: the first name") << "XXXX"
                                                  << "";
}

void TestUsersMngFrm::preselection()
{
    QFETCH(QString, current);
    QFETCH(QString, selected);
    QVERIFY(m_config->SetUser(current, true));
    if (selected.isEmpty())
        selected = m_config->UserList().first();
    for (const bool editMode : {false, true}) {
        auto dialog = Open(editMode);
        QCOMPARE(dialog->Names()->currentItem()->text(), selected);
    }
}

// A name whose settings file went away (deleted on another computer) cannot
// be chosen: a beep, and the dialog stays for another choice.
void TestUsersMngFrm::failedValidationBeepsAndStays()
{
    auto dialog = Open(false);
    SelectName(*dialog, "Zoé");
    QVERIFY(QFile::remove(m_config->SettingsPath("Zoé")));
    QTest::keyClick(dialog->Names(), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(m_messenger.Beeps, 1);
    QCOMPARE(m_config->CurrentUser(), QString("XXXX"));
    dialog->Names()->clearSelection();
    QTest::keyClick(dialog->Names(), Qt::Key_Return);
    QCOMPARE(m_messenger.Beeps, 2);
    SelectName(*dialog, "Paul");
    QTest::keyClick(dialog->Names(), Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_config->CurrentUser(), QString("Paul"));
}

// Unchecking "Activer : " and validating makes the default user current and
// turns named users off.
void TestUsersMngFrm::editorTurnsNamedUsersOff()
{
    QVERIFY(m_config->SetUser("Paul", true));
    m_config->UseNames = true;
    auto dialog = Open(true);
    QCOMPARE(dialog->windowTitle(), QString("Utilisateurs multiples"));
    QVERIFY(dialog->Activate()->isChecked());
    dialog->Activate()->setChecked(false);
    QTest::keyClick(dialog->Names(), Qt::Key_Escape); // "Valider et quitter <Escape>"
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_config->CurrentUser(), QString("XXXX"));
    QVERIFY(!m_config->UseNames);
    QVERIFY(dialog->UserChanged());
}

void TestUsersMngFrm::editorValidatesTheSelectedName()
{
    auto dialog = Open(true);
    QVERIFY(!dialog->Activate()->isChecked());
    dialog->Activate()->setChecked(true);
    SelectName(*dialog, "Léa");
    emit dialog->Names()->itemDoubleClicked(dialog->Names()->currentItem());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_config->CurrentUser(), QString("Léa"));
    QVERIFY(m_config->UseNames);
    // F8 means nothing in the editor; the close button validates.
    auto again = Open(true);
    QTest::keyClick(again->Names(), Qt::Key_F8);
    QVERIFY(again->isVisible());
    SelectName(*again, "Paul");
    again->close();
    QCOMPARE(m_config->CurrentUser(), QString("Paul"));
}

// "Nouveau" asks until a name not in the list (letter case ignored) and fit
// for a file is given; the name becomes the current user with its file.
void TestUsersMngFrm::newName()
{
    auto dialog = Open(true);
    // "bkl" would read the background layer as a pupil's work.
    m_messenger.TextAnswers << QString("  ") << QString("paul") << QString("a/b") << QString("xxxx") << QString("bkl")
                            << QString(" Noé ");
    QTest::mouseClick(dialog->NewButton(), Qt::LeftButton);
    QCOMPARE(m_messenger.Beeps, 5);
    QCOMPARE(m_messenger.Asked.size(), 6);
    QCOMPARE(m_messenger.Asked.first(), QString("Création d'un nouveau nom | Nouveau nom :  | "));
    QCOMPARE(m_config->CurrentUser(), QString("Noé"));
    QVERIFY(QFileInfo(m_config->SettingsPath("Noé")).isFile());
    QCOMPARE(dialog->Names()->currentItem()->text(), QString("Noé"));
    QCOMPARE(dialog->Names()->count(), 4);
    // Cancelled: nothing more.
    m_messenger.TextAnswers << std::nullopt;
    QTest::mouseClick(dialog->NewButton(), Qt::LeftButton);
    QCOMPARE(dialog->Names()->count(), 4);
}

void TestUsersMngFrm::renameAndDelete()
{
    auto dialog = Open(true);
    SelectName(*dialog, "Zoé");
    m_messenger.TextAnswers << QString("Zoée");
    QTest::mouseClick(dialog->ModifyButton(), Qt::LeftButton);
    QCOMPARE(dialog->Names()->currentItem()->text(), QString("Zoée"));
    QVERIFY(QFileInfo(m_config->SettingsPath("Zoée")).isFile());
    m_messenger.YesNoAnswers << false << true;
    QTest::mouseClick(dialog->DeleteButton(), Qt::LeftButton);
    QVERIFY(QFileInfo(m_config->SettingsPath("Zoée")).isFile());
    QTest::mouseClick(dialog->DeleteButton(), Qt::LeftButton);
    QCOMPARE(m_messenger.Asked.last(),
        QString("Confirmez vous la suppression de l'utilisateur 'Zoée' et de tout son travail ?"));
    QVERIFY(!QFileInfo(m_config->SettingsPath("Zoée")).exists());
    QCOMPARE(dialog->Names()->count(), 2);
    // Without a selection both only beep.
    dialog->Names()->clearSelection();
    const int beeps = m_messenger.Beeps;
    QTest::mouseClick(dialog->ModifyButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->DeleteButton(), Qt::LeftButton);
    QCOMPARE(m_messenger.Beeps, beeps + 2);
}

QTEST_MAIN(TestUsersMngFrm)
#include "tst_usersmngfrm.moc"
