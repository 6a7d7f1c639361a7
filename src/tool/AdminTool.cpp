#include "AdminTool.h"

#include "DemoDataRoot.h"

#include "config/DataMigration.h"
#include "config/TEP_Config.h"
#include "documents/ClassWorkPdf.h"
#include "documents/JpegHeader.h"
#include "documents/JpegRotation.h"
#include "documents/TBkLayerIt.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/FileBytes.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/SafeSave.h"
#include "report/DefinitionFile.h"
#include "report/JpegCodec.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptItem.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// A rendered page is at most this many pixels (an A4 page at 600 dpi is
// about 35 million).
constexpr qint64 kMaxRenderPixels = 100'000'000;

} // namespace

AdminTool::AdminTool(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
{
    // The definition files it reads may hold background layer items.
    TBkLayerIt::RegisterItemType();
}

QString AdminTool::HelpText()
{
    return QStringLiteral(R"(Utilisation : ardoisine-tool COMMANDE ARGUMENTS…

Fichiers de paramètres (réglages, données de dossier, travaux des élèves) :
  param get FICHIER RUBRIQUE CLÉ                 affiche la valeur (ou *%_-0#&| si elle manque)
  param get-default FICHIER RUBRIQUE CLÉ DÉFAUT  affiche la valeur, ou DÉFAUT si elle manque
  param list FICHIER RUBRIQUE CLÉ                affiche chaque élément de la valeur, un par ligne
  param set FICHIER RUBRIQUE CLÉ VALEUR          écrit la valeur (le fichier est créé s'il manque)
  param headings FICHIER                         affiche les rubriques, une par ligne
  param clear FICHIER NOM MODE                   supprime des rubriques (MODE : = * # ou leurs combinaisons)

Fichiers de définition (travail d'un élève sur une fiche) :
  definition FICHIER RUBRIQUE                    charge l'arbre des éléments et l'affiche tel qu'il serait enregistré
  render FICHIER RUBRIQUE ÉCHELLE SORTIE.png [--page IMAGE]
                                                 dessine l'arbre à l'échelle (pixels par dixième de millimètre)
                                                 sur une page blanche, ou sur IMAGE étirée à la taille de la page

Images des fiches (JPEG) :
  image info FICHIER                             affiche la taille en pixels et la résolution
  image rotate FICHIER cw|ccw [SORTIE]           tourne la page d'un quart de tour (cw : sens des aiguilles
                                                 d'une montre), dans le fichier même ou dans SORTIE

Travaux des élèves :
  export IMAGE ÉLÈVE SORTIE.jpg                  enregistre la page IMAGE avec le travail de ÉLÈVE en JPEG
  export-pdf SORTIE.pdf (DOSSIER | IMAGE…) [--pupils É1,É2…] [--all-pupils] [--dpi N]
                                                 enregistre dans un seul PDF une page A4 par fiche et par élève
                                                 (fiches du DOSSIER et de ses dossiers, ou les IMAGE données,
                                                 dans l'ordre de l'arbre ; élèves qui ont travaillé sur la fiche,
                                                 ou chaque élève nommé) ; signets par fiche et par élève ;
                                                 résolution 300 points par pouce sauf --dpi (72 à 600)
  tree DOSSIER [ÉLÈVE]                           affiche l'arbre des fiches dans l'ordre où les élèves le voient
                                                 (dossiers terminés par « / », « * » : ÉLÈVE a travaillé sur la fiche)

Données d'une installation (dossier racine partagé) :
  users RACINE                                   affiche les élèves proposés à l'écran de choix
  init RACINE                                    crée les dossiers et les réglages de l'utilisateur par défaut
                                                 (après avoir converti les données d'une version antérieure)
  migrate RACINE                                 convertit les données d'une version antérieure à 4.00 et affiche
                                                 le rapport (aussi enregistré dans RACINE/Transfert400.txt)
  demo RACINE                                    crée une racine de démonstration (fiches dessinées, deux élèves)
                                                 si RACINE n'en contient pas déjà une

Aide :
  --help, -h                                     affiche cette aide
  --version, -V                                  affiche la version

Codes de sortie : 0 réussite, 1 échec (message sur la sortie d'erreur), 2 mauvaise utilisation.
)");
}

int AdminTool::Usage(const QString& problem)
{
    m_err << problem << '\n' << '\n' << HelpText();
    m_err.flush();
    return BadUsage;
}

int AdminTool::Fail(const QString& message)
{
    m_err << message << '\n';
    m_err.flush();
    return Failure;
}

int AdminTool::Run(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return Usage(QStringLiteral("Aucune commande n'est donnée."));
    const QString command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        m_out << HelpText();
        m_out.flush();
        return Success;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-V")) {
        m_out << QStringLiteral("ardoisine-tool (Ardoisine) " ARDOISINE_VERSION "\n");
        m_out.flush();
        return Success;
    }
    using Command = int (AdminTool::*)(const QStringList&);
    static const QHash<QString, Command> commands {
        {QStringLiteral("param"), &AdminTool::RunParam},
        {QStringLiteral("definition"), &AdminTool::RunDefinition},
        {QStringLiteral("render"), &AdminTool::RunRender},
        {QStringLiteral("image"), &AdminTool::RunImage},
        {QStringLiteral("export"), &AdminTool::RunExport},
        {QStringLiteral("export-pdf"), &AdminTool::RunExportPdf},
        {QStringLiteral("tree"), &AdminTool::RunTree},
        {QStringLiteral("users"), &AdminTool::RunUsers},
        {QStringLiteral("init"), &AdminTool::RunInit},
        {QStringLiteral("migrate"), &AdminTool::RunMigrate},
        {QStringLiteral("demo"), &AdminTool::RunDemo},
    };
    const Command run = commands.value(command);
    if (!run)
        return Usage(QStringLiteral("Commande inconnue : « %1 ».").arg(command));
    return (this->*run)(arguments.mid(1));
}

int AdminTool::RunParam(const QStringList& arguments)
{
    static const QHash<QString, int> argumentCounts = {
        {QStringLiteral("get"), 3},
        {QStringLiteral("get-default"), 4},
        {QStringLiteral("list"), 3},
        {QStringLiteral("set"), 4},
        {QStringLiteral("headings"), 1},
        {QStringLiteral("clear"), 3},
    };
    const QString action = arguments.value(0);
    if (!argumentCounts.contains(action))
        return Usage(QStringLiteral("Action de « param » inconnue : « %1 ».").arg(action));
    if (arguments.size() - 1 != argumentCounts.value(action))
        return Usage(QStringLiteral("Nombre d'arguments incorrect pour « param %1 ».").arg(action));

    const QString fileName = arguments[1];
    Param_Obj params;
    QString error;
    const bool creating = action == QLatin1String("set") && !QFileInfo::exists(fileName);
    if (!creating && !params.LoadFromFile(fileName, &error))
        return Fail(error);

    if (action == QLatin1String("get")) {
        m_out << params.PRRead(arguments[2], arguments[3]) << '\n';
    } else if (action == QLatin1String("get-default")) {
        m_out << params.PRReadDefault(arguments[2], arguments[3], arguments[4]) << '\n';
    } else if (action == QLatin1String("list")) {
        QStringList items;
        params.PRReads(arguments[2], arguments[3], &items);
        for (const QString& item : std::as_const(items))
            m_out << item << '\n';
    } else if (action == QLatin1String("headings")) {
        PRHeadingList headings;
        params.PRGetHeadings(headings);
        for (const PRHeading& heading : std::as_const(headings))
            m_out << heading.name << '\n';
    } else {
        if (action == QLatin1String("set"))
            params.PRWrite(arguments[2], arguments[3], arguments[4]);
        else
            params.PRClear(arguments[2], arguments[3]);
        if (!params.SaveToFile(fileName, &error))
            return Fail(error);
        if (action == QLatin1String("set"))
            TellChangedValue(arguments[4], params.PRRead(arguments[2], arguments[3]));
    }
    m_out.flush();
    return Success;
}

void AdminTool::TellChangedValue(const QString& given, const QString& stored)
{
    // A value read from a Windows file often keeps its CR: the script that
    // passed it should know the file holds something else.
    if (stored == given || (given.isEmpty() && stored == PR_NOVALUE))
        return;
    m_err << QStringLiteral("Attention : une valeur ne peut contenir ni retour à la ligne ni « ; » ; ils ont été "
                            "enregistrés comme des espaces. Valeur enregistrée : « %1 ».")
                 .arg(stored)
          << '\n';
    m_err.flush();
}

int AdminTool::RunRender(const QStringList& arguments)
{
    const bool withPage = arguments.size() == 6 && arguments[4] == QLatin1String("--page");
    if (arguments.size() != 4 && !withPage)
        return Usage(QStringLiteral("« render » attend un fichier, une rubrique, une échelle et un fichier PNG."));
    const std::optional<double> scale = TextToDecimal(arguments[2]);
    if (!scale || *scale <= 0 || *scale > 100)
        return Usage(QStringLiteral("Échelle incorrecte : « %1 ».").arg(arguments[2]));

    Param_Obj params;
    QString error;
    if (!params.LoadFromFile(arguments[0], &error))
        return Fail(error);
    const std::unique_ptr<TDPRptItem> root = DPRpt_CreateItem(arguments[1], params);
    if (!root || !root->SetScale(float(*scale)))
        return Fail(QStringLiteral("Le fichier de définition « %1 » contient des erreurs : la rubrique « %2 » "
                                   "manque ou ne décrit pas un élément valide.")
                        .arg(arguments[0], arguments[1]));
    const QSize size(root->PixelRect.right() + 1, root->PixelRect.bottom() + 1);
    if (qint64(size.width()) * size.height() > kMaxRenderPixels)
        return Fail(
            QStringLiteral("La page ferait %1 × %2 pixels : c'est trop grand, choisissez une échelle plus petite.")
                .arg(size.width())
                .arg(size.height()));

    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    if (withPage) {
        QImageReader reader(arguments[5]);
        const QImage picture = reader.read();
        if (picture.isNull())
            return Fail(
                QStringLiteral("Impossible de lire l'image « %1 » : %2.").arg(arguments[5], reader.errorString()));
        painter.drawImage(page.rect(), picture);
    }
    SurfaceDrawing drawing;
    drawing.surface = &page;
    drawing.scale = float(*scale);
    drawing.nominalResolution = RoundHalfEven(*scale * 254.0);
    const bool drawn = DrawReportTreeOffScreen(*root, painter, drawing);
    painter.end();
    if (!drawn)
        return Fail(QStringLiteral("Le dessin de « %1 » a échoué.").arg(arguments[0]));

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    page.save(&buffer, "PNG");
    if (!SafeSave::WriteFile(arguments[3], png, &error))
        return Fail(error);
    return Success;
}

int AdminTool::RunImage(const QStringList& arguments)
{
    const QString action = arguments.value(0);
    if (action == QLatin1String("info") && arguments.size() == 2) {
        QByteArray data;
        QSize size;
        QString error;
        if (!FileBytes::Read(arguments[1], data, &error) || !JpegCodec::ReadSize(data, arguments[1], size, &error))
            return Fail(error);
        m_out << QStringLiteral("Taille : %1 × %2 pixels\n").arg(size.width()).arg(size.height());
        JpegHeader::Resolution resolution;
        if (JpegHeader::ReadResolution(data.left(50), resolution) && resolution.Usable())
            m_out << QStringLiteral("Résolution : %1 × %2 points par pouce\n")
                         .arg(resolution.horizontal)
                         .arg(resolution.vertical);
        else
            m_out << QStringLiteral("Résolution : aucune résolution utilisable dans l'en-tête du fichier\n");
        m_out.flush();
        return Success;
    }
    const bool rotate = action == QLatin1String("rotate") && (arguments.size() == 3 || arguments.size() == 4);
    const QString direction = arguments.value(2);
    if (!rotate || (direction != QLatin1String("cw") && direction != QLatin1String("ccw")))
        return Usage(QStringLiteral("« image » attend « info FICHIER » ou « rotate FICHIER cw|ccw [SORTIE] »."));
    const Outcome rotated
        = JpegRotation::Rotate(direction == QLatin1String("cw"), arguments[1], arguments.value(3, arguments[1]));
    return rotated ? Success : Fail(rotated.Text());
}

int AdminTool::RunExport(const QStringList& arguments)
{
    if (arguments.size() != 3)
        return Usage(QStringLiteral("« export » attend une image de fiche, un élève et un fichier JPEG."));
    const QFileInfo image(arguments[0]);
    TEP_Doc document;
    Outcome outcome = document.EPDoc_Init(image.completeBaseName(), image.absolutePath());
    if (outcome)
        outcome.Merge(document.EPDoc_SetUser(arguments[1]));
    if (outcome)
        outcome.Merge(document.EPDoc_ExportJpeg(arguments[2]));
    if (!outcome)
        return Fail(outcome.Text());
    if (outcome.HasMessages()) { // done, with something to know (a lowered resolution)
        m_err << outcome.Text() << '\n';
        m_err.flush();
    }
    return Success;
}

namespace {

// The worksheets given one by one, in the order of their folders' display
// (each folder listed once), folders in the order they first come.
Outcome WorksheetsOf(const QStringList& images, QList<ClassWorkPdf::Worksheet>& worksheets)
{
    Outcome outcome;
    QStringList folders;
    QList<QStringList> names; // per folder, the names given
    for (const QString& image : images) {
        const QFileInfo file(image);
        if (!file.isFile()) {
            outcome.Fail(QStringLiteral("La fiche « %1 » n'existe pas.").arg(image));
            continue;
        }
        const QString folder = file.absolutePath();
        if (!folders.contains(folder)) {
            folders.append(folder);
            names.append(QStringList());
        }
        names[folders.indexOf(folder)].append(file.completeBaseName());
    }
    for (int f = 0; f < folders.size(); ++f) {
        TEP_DocsNode node;
        outcome.Merge(node.Scan(folders[f]));
        for (int i = 0; i < node.ChildCount(); ++i) {
            const TEP_DocsNode* child = node.ChildAt(i);
            if (child->IsDocument() && names[f].contains(child->Name(), Qt::CaseInsensitive))
                worksheets.append({child->Name(), child->Document()->Folder(), QString()});
        }
    }
    return outcome;
}

void PrintTree(QTextStream& out, const TEP_DocsNode& folder, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    for (int i = 0; i < folder.ChildCount(); ++i) {
        const TEP_DocsNode* node = folder.ChildAt(i);
        if (node->IsDocument()) {
            out << indent << node->Name() << (node->Document()->HasWork() ? QStringLiteral(" *") : QString()) << '\n';
        } else {
            out << indent << node->Name() << "/\n";
            PrintTree(out, *node, depth + 1);
        }
    }
}

} // namespace

int AdminTool::RunExportPdf(const QStringList& arguments)
{
    QStringList inputs;
    QStringList pupils;
    bool allPupils = false;
    int resolution = ClassWorkPdf::DefaultResolution;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--pupils") && i + 1 < arguments.size()) {
            pupils = arguments[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (pupils.isEmpty())
                return Usage(QStringLiteral("« --pupils » attend des noms d'élèves séparés par des virgules."));
        } else if (argument == QLatin1String("--all-pupils")) {
            allPupils = true;
        } else if (argument == QLatin1String("--dpi") && i + 1 < arguments.size()) {
            bool ok = false;
            resolution = arguments[++i].toInt(&ok);
            if (!ok || resolution < ClassWorkPdf::MinResolution || resolution > ClassWorkPdf::MaxResolution)
                return Usage(QStringLiteral("Résolution incorrecte : « %1 » (de %2 à %3 points par pouce).")
                                 .arg(arguments[i])
                                 .arg(ClassWorkPdf::MinResolution)
                                 .arg(ClassWorkPdf::MaxResolution));
        } else if (argument.startsWith(QLatin1String("--"))) {
            return Usage(QStringLiteral("Option inconnue ou incomplète : « %1 ».").arg(argument));
        } else {
            inputs.append(argument);
        }
    }
    if (arguments.isEmpty() || !arguments[0].endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) || inputs.isEmpty())
        return Usage(QStringLiteral("« export-pdf » attend un fichier PDF puis un dossier de fiches ou des images "
                                    "de fiches."));
    if (allPupils && !pupils.isEmpty())
        return Usage(QStringLiteral("« --pupils » et « --all-pupils » ne vont pas ensemble."));

    QList<ClassWorkPdf::Worksheet> worksheets;
    QString title;
    TEP_DocsNode root;
    if (inputs.size() == 1 && QFileInfo(inputs[0]).isDir()) {
        const Outcome scanned = root.Scan(inputs[0]);
        if (!root.Exists())
            return Fail(scanned.Text());
        worksheets = ClassWorkPdf::WorksheetsUnder(root);
        title = QStringLiteral("Travail de la classe : %1").arg(root.Name());
    } else {
        const Outcome found = WorksheetsOf(inputs, worksheets);
        if (!found)
            return Fail(found.Text());
        QStringList names;
        for (const ClassWorkPdf::Worksheet& worksheet : std::as_const(worksheets))
            names.append(worksheet.name);
        title = QStringLiteral("Travail de la classe : %1").arg(names.join(QStringLiteral(", ")));
    }

    ClassWorkPdf pdf;
    pdf.SetWorksheets(worksheets);
    pdf.SetPupils(pupils);
    pdf.SetResolution(resolution);
    pdf.SetTitle(title);
    pdf.SetAuthor(ClassWorkPdf::AuthorOfSession());
    // One line, rewritten in place on a terminal; in a log, one line in ten.
    const bool terminal = isatty(fileno(stderr));
    pdf.SetProgress([this, terminal](int page, int pages, const QString& what) {
        const QString line = QStringLiteral("Page %1/%2 : %3").arg(page).arg(pages).arg(what);
        if (terminal)
            m_err << '\r' << line << QStringLiteral("\x1b[K");
        else if (page == pages || page % 10 == 1)
            m_err << line << '\n';
        m_err.flush();
    });
    const Outcome written = pdf.Write(arguments[0]);
    if (terminal)
        m_err << '\n';
    if (!written)
        return Fail(written.Text());
    if (written.HasMessages())
        m_err << written.Text() << '\n';
    m_err << QStringLiteral("%1 pages enregistrées dans « %2 ».").arg(pdf.WrittenPages()).arg(arguments[0]) << '\n';
    m_err.flush();
    return Success;
}

int AdminTool::RunTree(const QStringList& arguments)
{
    if (arguments.size() != 1 && arguments.size() != 2)
        return Usage(QStringLiteral("« tree » attend un dossier de fiches et, au choix, un élève."));
    TEP_DocsNode root;
    Outcome outcome = root.Scan(arguments[0]);
    if (!root.Exists())
        return Fail(outcome.Text());
    if (arguments.size() == 2)
        outcome.Merge(root.SetUserForAll(arguments[1]));
    m_out << root.Name() << "/\n";
    PrintTree(m_out, root, 1);
    m_out.flush();
    if (outcome.HasMessages())
        m_err << outcome.Text() << '\n';
    m_err.flush();
    return Success;
}

int AdminTool::RunUsers(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return Usage(QStringLiteral("« users » attend le dossier racine des données."));
    TEP_Config config;
    config.SetDataRoot(arguments[0]);
    if (!QFileInfo(config.NamesFolder()).isDir())
        return Fail(QStringLiteral("Le dossier des noms %1 n'existe pas : ce n'est pas un dossier de données "
                                   "d'Ardoisine (voir « init »).")
                        .arg(QLatin1Char('"') + config.NamesFolder() + QLatin1Char('"')));
    for (const QString& user : config.UserList())
        m_out << user << '\n';
    m_out.flush();
    return Success;
}

int AdminTool::RunInit(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return Usage(QStringLiteral("« init » attend le dossier racine des données."));
    TEP_Config config;
    Outcome outcome = config.Initialise(arguments[0]);
    const bool converted = !config.Migration().oldDataFound || PrintMigration(config.Migration(), config.DataRoot());
    if (outcome)
        outcome.Merge(config.SaveAll()); // the general file
    if (outcome.HasMessages())
        m_err << outcome.Text() << '\n';
    m_err.flush();
    return outcome && converted ? Success : Failure;
}

int AdminTool::RunMigrate(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return Usage(QStringLiteral("« migrate » attend le dossier racine des données."));
    TEP_Config config;
    config.SetDataRoot(arguments[0]);
    if (const Outcome folders = config.MakeFolders(); !folders)
        return Fail(folders.Text());
    DataMigration migration(config.DataRoot());
    bool stopAfterOk = false;
    const int stopAfter = qEnvironmentVariableIntValue(MigrateStopVariable, &stopAfterOk);
    int changes = 0;
    if (stopAfterOk)
        migration.AfterEachChange = [&changes, stopAfter] {
            if (++changes >= stopAfter)
                ::_exit(StoppedOnPurpose); // nothing more reaches the disk
        };
    const MigrationReport report = migration.Run();
    if (!report.oldDataFound) {
        m_out << QStringLiteral("Aucune donnée d'une version antérieure à 4.00 dans « %1 » : rien à convertir.")
                     .arg(config.DataRoot())
              << '\n';
        m_out.flush();
        return report.outcome ? Success : Fail(report.outcome.Text());
    }
    return PrintMigration(report, config.DataRoot()) ? Success : Failure;
}

bool AdminTool::PrintMigration(const MigrationReport& report, const QString& dataRoot)
{
    if (!report.announcement.isEmpty())
        m_err << report.announcement << '\n';
    if (report.outcome.HasMessages())
        m_err << report.outcome.Text() << '\n';
    m_err.flush();
    const QString from = report.oldVersion
        ? QStringLiteral(" (version %1)").arg(QString::number(report.oldVersion / 100.0, 'f', 2))
        : QString();
    m_out << (report.outcome
            ? QStringLiteral("Données de « %1 »%2 converties à la version 4.00.").arg(dataRoot, from)
            : QStringLiteral("La conversion des données de « %1 »%2 à la version 4.00 n'a pas pu aller "
                             "jusqu'au bout.")
                  .arg(dataRoot, from))
          << '\n';
    for (const QString& line : report.lines)
        m_out << line << '\n';
    m_out.flush();
    return report.outcome && !report.hasErrors;
}

int AdminTool::RunDefinition(const QStringList& arguments)
{
    if (arguments.size() != 2)
        return Usage(QStringLiteral("« definition » attend un fichier et une rubrique."));
    Param_Obj params;
    QString error;
    if (!params.LoadFromFile(arguments[0], &error))
        return Fail(error);
    const std::unique_ptr<TDPRptItem> root = DPRpt_CreateItem(arguments[1], params);
    if (!root)
        return Fail(QStringLiteral("Le fichier de définition « %1 » contient des erreurs : la rubrique « %2 » "
                                   "manque ou ne décrit pas un élément valide.")
                        .arg(arguments[0], arguments[1]));
    root->SetScale(1.0f);
    QStringList lines;
    if (!SaveToLines(root.get(), lines))
        return Fail(QStringLiteral("L'arbre des éléments de « %1 » ne peut pas être écrit : un élément a une "
                                   "géométrie invalide.")
                        .arg(arguments[0]));
    for (const QString& line : std::as_const(lines))
        m_out << line << '\n';
    m_out.flush();
    return Success;
}

int AdminTool::RunDemo(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return Usage(QStringLiteral("« demo » attend le dossier racine à créer."));
    const Outcome outcome = DemoDataRoot::Create(arguments[0]);
    if (outcome.HasMessages())
        m_err << outcome.Text() << '\n';
    m_err.flush();
    return outcome ? Success : Failure;
}
