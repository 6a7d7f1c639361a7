// The selection screen's popup menus and what only they reach: the
// enabling rules of both menus, printing the selected worksheet, export
// names and folders, rotation, the look of the view and deleting work.
#include "JpegFixtures.h"
#include "SelectionBench.h"
#include "documents/JpegHeader.h"
#include "printing/PdfPages.h"
#include "report/JpegCodec.h"
#include "selection/DocumentPreview.h"
#include "selection/SelectionRules.h"

#include <QMenu>

namespace {

// An entry of a menu by its path of texts ("Importer un document .../Copie du
// document ...").
QAction* Entry(QMenu& menu, const QString& path)
{
    QMenu* current = &menu;
    const QStringList texts = path.split(QLatin1Char('/'));
    for (int i = 0; i < texts.size(); ++i) {
        QAction* found = nullptr;
        for (QAction* action : current->actions()) {
            if (action->text() == texts[i])
                found = action;
        }
        if (!found || i == texts.size() - 1)
            return found;
        current = found->menu();
        if (!current)
            return nullptr;
    }
    return nullptr;
}

// "1" for each enabled entry, "0" for each disabled one, "-" for an entry
// missing.
QString Enabled(QMenu& menu, const QStringList& paths)
{
    QString flags;
    for (const QString& path : paths) {
        const QAction* action = Entry(menu, path);
        flags += !action ? QLatin1Char('-') : action->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return flags;
}

const QStringList SettingsEntries {"Imprimer", "Ajouter un document (scanner) ...", "Importer un document ...",
    "Supprimer", "Pivoter le document dans le sens des aiguilles d'une montre",
    "Pivoter le document dans le sens inverse des aiguilles d'une montre", "Exporter le travail ...",
    "Supprimer le travail du document/pour l'utilisateur courant",
    "Supprimer le travail du document/pour tous les utilisateurs", "Actualiser"};

const QStringList PupilEntries {"Imprimer", "Ajouter un document (scanner) ...", "Importer un document ...",
    "Créer un dossier ...", "Renommer ...", "Supprimer"};

// The colour of a picture at a fraction of its width and height.
QColor ColourAt(const QImage& image, double x, double y)
{
    return image.pixelColor(int(x * (image.width() - 1)), int(y * (image.height() - 1)));
}

} // namespace

class TestSelectCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void settingsMenuEnabling_data();
    void settingsMenuEnabling();
    void pupilMenuEnabling_data();
    void pupilMenuEnabling();
    void printsTheSelectedWorksheet();
    void exportName_data();
    void exportName();
    void insideTheWorksheetsFolder_data();
    void insideTheWorksheetsFolder();
    void exportWork_data();
    void exportWork();
    void exportClassWork_data();
    void exportClassWork();
    void rotation_data();
    void rotation();
    void rotationWarnsAboutWork();
    void rotationOfAMissingPicture();
    void workDeletion_data();
    void workDeletion();
    void deletingWithoutWorkIsExplained();
    void treeLook();
    void import();

private:
    void Show(std::function<void()> script);
    std::unique_ptr<SelectionBench> m_bench;
};

void TestSelectCommands::init()
{
    m_bench = std::make_unique<SelectionBench>();
}

void TestSelectCommands::cleanup()
{
    m_bench.reset();
}

void TestSelectCommands::Show(std::function<void()> script)
{
    m_bench->showings << script;
    m_bench->screen->ChooseDocument();
}

void TestSelectCommands::settingsMenuEnabling_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("worksheet with work") << "Lecture/lecture1"
                                         << "1111111111";
    QTest::newRow("worksheet without work") << "Lecture/lecture2"
                                            << "1111110011";
    QTest::newRow("folder") << "Calcul"
                            << "0111000001";
    QTest::newRow("root") << ""
                          << "0110000001";
}

void TestSelectCommands::settingsMenuEnabling()
{
    QFETCH(QString, selected);
    QFETCH(QString, enabled);
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select(selected));
        std::unique_ptr<QMenu> menu = b.screen->MakePopupMenu();
        QCOMPARE(Enabled(*menu, SettingsEntries), enabled);
        const QAction* open = menu->actions().first();
        QCOMPARE(open->isEnabled(), enabled.startsWith('1'));
        if (open->isEnabled())
            QCOMPARE(open->text(), QString("Ouvrir «%1»").arg(selected.section('/', -1)));
    });
}

void TestSelectCommands::pupilMenuEnabling_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("allowed");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("nothing allowed, worksheet") << "Lecture/lecture1" << QStringList() << "100000";
    QTest::newRow("scan") << "Lecture/lecture1" << QStringList {"scan"} << "111000";
    QTest::newRow("folder creation") << "Calcul" << QStringList {"dircreate"} << "000100";
    QTest::newRow("worksheet rename and delete") << "Lecture/lecture1" << QStringList {"rename", "delete"} << "100011";
    QTest::newRow("worksheet rights on a folder") << "Calcul" << QStringList {"rename", "delete"} << "000000";
    QTest::newRow("folder rights") << "Calcul" << QStringList {"dirrename", "dirdelete"} << "000011";
    QTest::newRow("root never deleted") << "" << QStringList {"dirrename", "dirdelete"} << "000010";
}

void TestSelectCommands::pupilMenuEnabling()
{
    QFETCH(QString, selected);
    QFETCH(QStringList, allowed);
    QFETCH(QString, enabled);
    SelectionBench& b = *m_bench;
    UserSettings& s = b.base.config.Settings;
    s.ScanAllowed = allowed.contains("scan");
    s.FolderCreateAllowed = allowed.contains("dircreate");
    s.RenameAllowed = allowed.contains("rename");
    s.DeleteAllowed = allowed.contains("delete");
    s.FolderRenameAllowed = allowed.contains("dirrename");
    s.FolderDeleteAllowed = allowed.contains("dirdelete");
    Show([&] {
        QVERIFY(b.Select(selected));
        std::unique_ptr<QMenu> menu = b.screen->MakePopupMenu();
        QCOMPARE(Enabled(*menu, PupilEntries), enabled);
        // Settings-mode entries are not there.
        QVERIFY(!Entry(*menu, "Actualiser"));
        QVERIFY(!Entry(*menu, "Exporter le travail ..."));
    });
}

// "Imprimer" in settings mode prints the selected worksheet (the main
// window has none while the screen shows); nothing without one.
void TestSelectCommands::printsTheSelectedWorksheet()
{
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Calcul/addition"));
        Entry(*b.screen->MakePopupMenu(), "Imprimer")->trigger();
        QVERIFY(b.Select("Calcul"));
        Entry(*b.screen->MakePopupMenu(), "Imprimer")->trigger();
    });
    QCOMPARE(b.Printed, QStringList {"addition"});
    QVERIFY(!b.base.config.CurrentDocument());
}

void TestSelectCommands::exportName_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("name");
    QTest::newRow("default user") << "XXXX"
                                  << "fiche1_T.jpg";
    QTest::newRow("Paul") << "Paul"
                          << "fiche1_Paul_T.jpg";
}

void TestSelectCommands::exportName()
{
    QFETCH(QString, user);
    QFETCH(QString, name);
    SelectionBench& b = *m_bench;
    b.base.Jpeg("fiche1.jpg");
    b.base.File("fiche1_" + user + ".txt", TestFiles::CrLf(TEP_Doc::InitialDefinition()));
    if (user != "XXXX") {
        b.AddUser(user);
        b.base.config.UseNames = true;
        b.dialogs.UserChoices << [&] {
            b.base.config.SetUser(user, true).Ok();
            return 0;
        };
    }
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("fiche1"));
        Entry(*b.screen->MakePopupMenu(), "Exporter le travail ...")->trigger();
    });
    QCOMPARE(b.dialogs.ExportName, name);
    // The export folder is made when first needed and offered.
    QCOMPARE(b.dialogs.ExportFolder, b.base.config.ExportFolder());
    QVERIFY(QFileInfo(b.base.config.ExportFolder()).isDir());
}

void TestSelectCommands::insideTheWorksheetsFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("inside");
    QTest::newRow("the folder") << "/data/Documents/Fiches" << true;
    QTest::newRow("a sub-folder") << "/data/Documents/Fiches/Lecture" << true;
    QTest::newRow("other letter case") << "/data/documents/FICHES/Lecture" << true;
    QTest::newRow("trailing separator") << "/data/Documents/Fiches/" << true;
    QTest::newRow("a longer name") << "/data/Documents/Fiches2" << false;
    QTest::newRow("a sibling") << "/data/Documents/Noms" << false;
    QTest::newRow("going up") << "/data/Documents/Fiches/../Noms" << false;
}

void TestSelectCommands::insideTheWorksheetsFolder()
{
    QFETCH(QString, path);
    QFETCH(bool, inside);
    QCOMPARE(SelectionRules::IsInsideFolder(path, "/data/Documents/Fiches"), inside);
}

void TestSelectCommands::exportWork_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("written");
    QTest::newRow("export folder") << "export" << QList<bool>() << true;
    QTest::newRow("worksheets folder, yes") << "worksheets" << QList<bool> {true} << true;
    QTest::newRow("worksheets folder, no") << "worksheets" << QList<bool> {false} << false;
    QTest::newRow("folder named like it") << "lookalike" << QList<bool>() << true;
}

void TestSelectCommands::exportWork()
{
    QFETCH(QString, folder);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, written);
    SelectionBench& b = *m_bench;
    TEP_Config& config = b.base.config;
    const QString target = folder == "export" ? config.DataRoot() + "/Autre/lecture1_T.jpg"
        : folder == "worksheets"              ? b.base.Path("Lecture/lecture1_T.jpg")
                                              : config.DocumentsFolder() + "/Fiches2/lecture1_T.jpg";
    QDir().mkpath(QFileInfo(target).absolutePath());
    b.dialogs.ExportTarget = target;
    b.base.messenger.YesNoAnswers = answers;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture1"));
        Entry(*b.screen->MakePopupMenu(), "Exporter le travail ...")->trigger();
    });
    QCOMPARE(b.base.messenger.Asked.size(), answers.size());
    if (!answers.isEmpty())
        QVERIFY(b.base.messenger.Asked.first().startsWith("Vous allez exporter un document dans le répertoire des "
                                                          "fiches du logiciel."));
    QCOMPARE(QFileInfo(target).isFile(), written);
    QCOMPARE(config.ExportDir == QFileInfo(target).absolutePath(), written);
    if (written) {
        JpegHeader::Resolution resolution;
        QVERIFY(JpegHeader::ReadResolution(target, resolution));
        QCOMPARE(resolution.horizontal, 300);
        QVERIFY(b.base.messenger.Shown.isEmpty());
    }
    // The export opened nothing: no worksheet current, no lock left.
    QVERIFY(!config.CurrentDocument());
    QVERIFY(!QFileInfo(b.base.Node("Lecture/lecture1")->Document()->LockPath()).exists());
}

void TestSelectCommands::exportClassWork_data()
{
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QStringList>("pupils");
    QTest::addColumn<int>("pages");
    QTest::newRow("gives up") << false << QStringList() << 0;
    // lecture1 by the default user, lecture2 by Paul.
    QTest::newRow("all who worked") << true << QStringList() << 2;
    // Paul on each of the folder's three worksheets.
    QTest::newRow("Paul") << true << QStringList {"Paul"} << 3;
}

void TestSelectCommands::exportClassWork()
{
    QFETCH(bool, answered);
    QFETCH(QStringList, pupils);
    QFETCH(int, pages);
    if (!PdfPages::ToolsPresent())
        QSKIP("poppler-utils are not installed (scripts/install-deps installs them)");
    SelectionBench& b = *m_bench;
    b.AddUser("Paul");
    b.AddUser("Zoé");
    b.base.File("Lecture/lecture2_Paul.txt", TestFiles::CrLf(TEP_Doc::InitialDefinition()));
    if (answered)
        b.dialogs.PupilChoice = pupils;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        Entry(*b.screen->MakePopupMenu(), "Exporter le travail de la classe en PDF…")->trigger();
    });
    QCOMPARE(b.dialogs.PupilsOffered, (QStringList {"Paul", "Zoé"}));
    const QStringList written = QDir(b.base.config.ExportFolder()).entryList({"*.pdf"}, QDir::Files);
    QCOMPARE(written.size(), answered ? 1 : 0);
    if (!answered) {
        QVERIFY(b.base.messenger.Shown.isEmpty());
        return;
    }
    QVERIFY(written.first().startsWith("Lecture - travail de la classe "));
    const QString pdf = QDir(b.base.config.ExportFolder()).filePath(written.first());
    const QString info = QString::fromUtf8(PdfPages::Run("pdfinfo", {pdf}));
    QVERIFY2(info.contains(QRegularExpression(QString("\\nPages: +%1\\n").arg(pages))), qPrintable(info));
    // The teacher is told where the file is.
    QCOMPARE(b.base.messenger.Shown.size(), 1);
    QVERIFY2(b.base.messenger.Shown.first().contains(QDir::toNativeSeparators(pdf)),
        qPrintable(b.base.messenger.Shown.first()));
}

void TestSelectCommands::rotation_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("clockwise");
    QTest::newRow("clockwise") << "Pivoter le document dans le sens des aiguilles d'une montre" << true;
    QTest::newRow("counter-clockwise") << "Pivoter le document dans le sens inverse des aiguilles d'une montre"
                                       << false;
}

// A portrait page red in its top-left corner: turned clockwise the red goes
// to the top-right corner, the other way to the bottom-left one.
void TestSelectCommands::rotation()
{
    QFETCH(QString, entry);
    QFETCH(bool, clockwise);
    SelectionBench& b = *m_bench;
    QImage page(160, 240, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            page.setPixelColor(x, y, Qt::red);
    QVERIFY(JpegCodec::EncodeToFile(page, b.base.Path("Lecture/lecture2.jpg"), 300));
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        Entry(*b.screen->MakePopupMenu(), entry)->trigger();
        // The preview shows the turned page at once.
        QCOMPARE(b.screen->Preview()->PictureSize(), QSize(240, 160));
    });
    QVERIFY(b.base.messenger.Asked.isEmpty()); // no work on it: no question
    const QImage turned = JpegCodec::DecodeFile(b.base.Path("Lecture/lecture2.jpg"));
    QCOMPARE(turned.size(), QSize(240, 160));
    const QColor red = ColourAt(turned, clockwise ? 0.95 : 0.05, clockwise ? 0.05 : 0.95);
    QVERIFY2(red.red() > 200 && red.green() < 60, qPrintable(red.name()));
    const QColor white = ColourAt(turned, clockwise ? 0.05 : 0.95, clockwise ? 0.95 : 0.05);
    QVERIFY2(white.green() > 200, qPrintable(white.name()));
}

// Pupils' items stay where they are when the page turns: the teacher is
// warned first, and No leaves the page.
void TestSelectCommands::rotationWarnsAboutWork()
{
    SelectionBench& b = *m_bench;
    const QByteArray before = TestFiles::ReadBytes(b.base.Path("Lecture/lecture1.jpg"));
    b.base.messenger.YesNoAnswers << false << true;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture1"));
        b.screen->Rotate(true);
        QCOMPARE(TestFiles::ReadBytes(b.base.Path("Lecture/lecture1.jpg")), before);
        b.screen->Rotate(true);
    });
    QCOMPARE(b.base.messenger.Asked.size(), 2);
    QVERIFY(b.base.messenger.Asked.first().endsWith("Voulez-vous continuer ?"));
    QVERIFY(TestFiles::ReadBytes(b.base.Path("Lecture/lecture1.jpg")) != before);
}

void TestSelectCommands::rotationOfAMissingPicture()
{
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(true);
    QString path;
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        path = b.screen->SelectedDocument()->ImagePath();
        QVERIFY(QFile::remove(path));
        b.screen->Rotate(false);
    });
    QCOMPARE(b.base.messenger.Shown, QStringList {QString("Impossible de trouver le fichier \"%1\" !").arg(path)});
}

void TestSelectCommands::workDeletion_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("gone");
    QTest::addColumn<QStringList>("kept");
    const QString doc = "Supprimer le travail du document/";
    const QString dir = "Supprimer le travail du dossier/";
    QTest::newRow("document, default user")
        << "XXXX"
        << "Calcul/addition" << doc + "pour l'utilisateur courant"
        << "Confirmez vous la suppression du travail de l'utilisateur par défaut pour le document \"addition\"?"
        << QStringList {"Calcul/addition_XXXX.txt"} << QStringList {"Calcul/addition_Paul.txt"};
    QTest::newRow("document, Paul") << "Paul"
                                    << "Calcul/addition" << doc + "pour l'utilisateur courant"
                                    << "Confirmez vous la suppression du travail de l'utilisateur \"Paul\" pour le "
                                       "document \"addition\"?"
                                    << QStringList {"Calcul/addition_Paul.txt"}
                                    << QStringList {"Calcul/addition_XXXX.txt"};
    QTest::newRow("document, all users")
        << "XXXX"
        << "Calcul/addition" << doc + "pour tous les utilisateurs"
        << "Confirmez vous la suppression du travail du document \"addition\" pour tous les utilisateurs?"
        << QStringList {"Calcul/addition_XXXX.txt", "Calcul/addition_Paul.txt"}
        << QStringList {"Calcul/soustraction_XXXX.txt"};
    QTest::newRow("folder, Paul") << "Paul"
                                  << "Calcul/soustraction" << dir + "pour l'utilisateur courant"
                                  << "Confirmez vous la suppression de tout le travail du dossier \"Calcul\" pour "
                                     "l'utilisateur \"Paul\"?"
                                  << QStringList {"Calcul/addition_Paul.txt", "Calcul/soustraction_Paul.txt"}
                                  << QStringList {"Calcul/addition_XXXX.txt", "Calcul/Tables/table2_Paul.txt"};
    QTest::newRow("folder, all users")
        << "XXXX"
        << "Calcul" << dir + "pour tous les utilisateurs"
        << "Confirmez vous la suppression de tout le travail du dossier \"Calcul\" pour tous les utilisateurs?"
        << QStringList {"Calcul/addition_XXXX.txt", "Calcul/addition_Paul.txt", "Calcul/soustraction_XXXX.txt"}
        << QStringList {"Calcul/Tables/table2_Paul.txt", "Lecture/lecture1_XXXX.txt"};
    QTest::newRow("root folder, default user")
        << "XXXX"
        << "" << dir + "pour l'utilisateur courant"
        << "Confirmez vous la suppression de tout le travail du dossier \"Documents\" pour l'utilisateur par défaut?"
        << QStringList {"accueil_XXXX.txt"} << QStringList {"Lecture/lecture1_XXXX.txt"};
    QTest::newRow("everything, Paul") << "Paul"
                                      << "accueil"
                                      << "Supprimer tout le travail de l'utilisateur courant"
                                      << "Confirmez vous la suppression de tout le travail de l'utilisateur \"Paul\"?"
                                      << QStringList {"Calcul/addition_Paul.txt", "Calcul/Tables/table2_Paul.txt"}
                                      << QStringList {"Calcul/addition_XXXX.txt", "accueil_XXXX.txt"};
}

void TestSelectCommands::workDeletion()
{
    QFETCH(QString, user);
    QFETCH(QString, selected);
    QFETCH(QString, entry);
    QFETCH(QString, question);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, kept);
    SelectionBench& b = *m_bench;
    const QByteArray work = TestFiles::CrLf(TEP_Doc::InitialDefinition());
    for (const char* file : {"Calcul/addition_XXXX.txt", "Calcul/addition_Paul.txt", "Calcul/soustraction_XXXX.txt",
             "Calcul/soustraction_Paul.txt", "Calcul/Tables/table2_Paul.txt", "accueil_XXXX.txt"})
        b.base.File(file, work);
    b.AddUser("Paul");
    if (user != "XXXX") {
        b.base.config.UseNames = true;
        b.dialogs.UserChoices << [&] {
            b.base.config.SetUser(user, true).Ok();
            return 0;
        };
    }
    b.screen->SetSettingsMode(true);
    // No first: nothing goes. Then yes.
    b.base.messenger.YesNoAnswers << false << true;
    Show([&] {
        QVERIFY(b.Select(selected));
        Entry(*b.screen->MakePopupMenu(), entry)->trigger();
        for (const QString& file : gone)
            QVERIFY2(QFileInfo(b.base.Path(file)).exists(), qPrintable(file));
        Entry(*b.screen->MakePopupMenu(), entry)->trigger();
        // The entries show their work mark again from the disk.
        if (TEP_Doc* document = b.screen->SelectedDocument()) {
            const QModelIndex index = b.Tree().IndexOf(b.Tree().SelectedNode());
            QCOMPARE(document->HasWork(), QFileInfo(document->WorkPath()).exists());
            QVERIFY(index.isValid());
        }
    });
    QCOMPARE(b.base.messenger.Asked, (QStringList {question, question}));
    for (const QString& file : gone)
        QVERIFY2(!QFileInfo(b.base.Path(file)).exists(), qPrintable(file));
    for (const QString& file : kept)
        QVERIFY2(QFileInfo(b.base.Path(file)).exists(), qPrintable(file));
    QVERIFY(b.base.messenger.Shown.isEmpty());
}

void TestSelectCommands::deletingWithoutWorkIsExplained()
{
    SelectionBench& b = *m_bench;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        b.screen->DeleteDocumentWork(false);
    });
    QCOMPARE(b.base.messenger.Shown,
        QStringList {"Il n'y a pas de document sélectionné ou celui n' a pas de travail pour l'utilisateur."});
    QVERIFY(b.base.messenger.Asked.isEmpty());
}

void TestSelectCommands::treeLook()
{
    SelectionBench& b = *m_bench;
    TEP_Config& config = b.base.config;
    b.dialogs.Colour = RgbColor::FromRgb(0, 200, 0);
    FontDescription font = config.Settings.TreeFont;
    font.Size = 14;
    font.Color = RgbColor::FromRgb(0, 0, 180);
    font.Styles = FontDescription::Italic;
    b.dialogs.Font = font;
    b.screen->SetSettingsMode(true);
    Show([&] {
        Entry(*b.screen->MakePopupMenu(), "Couleur de fond de la sélection ...")->trigger();
        Entry(*b.screen->MakePopupMenu(), "Régler l'affichage de l'explorateur de documents ...")->trigger();
    });
    QCOMPARE(config.Settings.TreeSelectedColor, RgbColor::FromRgb(0, 200, 0));
    QCOMPARE(config.Settings.TreeFont.Size, 14);
    // Handed down: entries without their own look take it; accueil keeps
    // its red and bold, Calcul its blue.
    QCOMPARE(b.base.Node("Lecture/lecture2")->Color(), RgbColor::FromRgb(0, 0, 180));
    QCOMPARE(b.base.Node("Lecture/lecture2")->TextStyle(), int(TEP_DocsNode::Italic));
    QCOMPARE(b.base.Node("accueil")->Color(), RgbColor::FromRgb(200, 0, 0));
    QCOMPARE(b.base.Node("Calcul/addition")->Color(), RgbColor::FromRgb(0, 0, 160));
}

void TestSelectCommands::import()
{
    SelectionBench& b = *m_bench;
    const QString source = b.base.config.DataRoot() + "/photo.JPEG";
    QVERIFY(TestFiles::WriteBytes(source, JpegFixtures::Jpeg(40, 56, 300)));
    b.dialogs.ImportFile = source;
    b.screen->SetSettingsMode(true);
    Show([&] {
        QVERIFY(b.Select("Lecture/lecture2"));
        Entry(*b.screen->MakePopupMenu(), "Importer un document .../Transfert du document ...")->trigger();
    });
    QVERIFY(b.base.messenger.Shown.isEmpty());
    QCOMPARE(b.base.Children("Lecture"), (QStringList {"lecture1", "photo", "lecture2", "lecture3"}));
    QVERIFY(!QFileInfo(source).exists());
}

QTEST_MAIN(TestSelectCommands)
#include "tst_selectcommands.moc"
