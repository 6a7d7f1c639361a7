#include "AdminTool.h"

#include "params/Param_Obj.h"
#include "report/DefinitionFile.h"
#include "report/TDPRptItem.h"

#include <QFileInfo>
#include <memory>

AdminTool::AdminTool(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
{ }

QString AdminTool::HelpText()
{
    return QStringLiteral(
        "Utilisation : ardoisine-tool COMMANDE ARGUMENTS…\n"
        "\n"
        "Fichiers de paramètres (réglages, données de dossier, travaux des élèves) :\n"
        "  param get FICHIER RUBRIQUE CLÉ                 affiche la valeur (ou *%_-0#&| si elle manque)\n"
        "  param get-default FICHIER RUBRIQUE CLÉ DÉFAUT  affiche la valeur, ou DÉFAUT si elle manque\n"
        "  param list FICHIER RUBRIQUE CLÉ                affiche chaque élément de la valeur, un par ligne\n"
        "  param set FICHIER RUBRIQUE CLÉ VALEUR          écrit la valeur (le fichier est créé s'il manque)\n"
        "  param headings FICHIER                         affiche les rubriques, une par ligne\n"
        "  param clear FICHIER NOM MODE                   supprime des rubriques (MODE : = * # ou leurs combinaisons)\n"
        "\n"
        "Fichiers de définition (travail d'un élève sur une fiche) :\n"
        "  definition FICHIER RUBRIQUE                    charge l'arbre des éléments et l'affiche tel qu'il serait "
        "enregistré\n"
        "\n"
        "Codes de sortie : 0 réussite, 1 échec (message sur la sortie d'erreur), 2 mauvaise utilisation.\n");
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
    if (arguments.isEmpty()) return Usage(QStringLiteral("Aucune commande n'est donnée."));
    const QString command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        m_out << HelpText();
        m_out.flush();
        return Success;
    }
    if (command == QLatin1String("param")) return RunParam(arguments.mid(1));
    if (command == QLatin1String("definition")) return RunDefinition(arguments.mid(1));
    return Usage(QStringLiteral("Commande inconnue : « %1 ».").arg(command));
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
    if (!creating && !params.LoadFromFile(fileName, &error)) return Fail(error);

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
        if (!params.SaveToFile(fileName, &error)) return Fail(error);
    }
    m_out.flush();
    return Success;
}

int AdminTool::RunDefinition(const QStringList& arguments)
{
    if (arguments.size() != 2) return Usage(QStringLiteral("« definition » attend un fichier et une rubrique."));
    Param_Obj params;
    QString error;
    if (!params.LoadFromFile(arguments[0], &error)) return Fail(error);
    std::unique_ptr<TDPRptItem> root(DPRpt_CreateItem(arguments[1], params));
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
