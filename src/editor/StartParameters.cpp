#include "StartParameters.h"

#include "params/TextFile.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// A configuration file is a few lines; anything much larger is not one.
constexpr qint64 LargestConfigurationFile = 64 * 1024;

QString WithoutTrailingSeparators(QString path)
{
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

QStringList ConfigurationLines(const QString& configurationFile)
{
    QFile file(configurationFile);
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestConfigurationFile)
        return {};
    const QByteArray bytes = file.read(LargestConfigurationFile);
    // Written on a Linux PC, the file is UTF-8; one copied from a Windows
    // share may still be Windows-1252, and a path is not to be mangled.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return TextFile::DecodeLines(bytes);
    return TextFile::SplitLines(text);
}

bool Holds(const QStringList& parameters, std::initializer_list<const char*> options)
{
    for (const QString& parameter : parameters)
        for (const char* option : options)
            if (parameter == QLatin1String(option))
                return true;
    return false;
}
} // namespace

QString StartParameters::WorkDir(const QStringList& parameters, const QString& fallback)
{
    QString workDir = fallback;
    for (const QString& parameter : parameters) {
        const qsizetype equals = parameter.indexOf(QLatin1Char('='));
        if (equals < 0 || parameter.left(equals).toUpper() != QLatin1String("DIR"))
            continue;
        const QString path = parameter.mid(equals + 1);
        if (!path.isEmpty())
            workDir = WithoutTrailingSeparators(path);
    }
    return workDir;
}

QString StartParameters::SystemWorkDir(const QString& configurationFile)
{
    QString workDir;
    for (QString line : ConfigurationLines(configurationFile)) {
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        line = line.trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals < 0)
            continue;
        if (line.left(equals).trimmed().toUpper() != QLatin1String("DIR"))
            continue;
        const QString path = line.mid(equals + 1).trimmed();
        if (!path.isEmpty())
            workDir = path;
    }
    return workDir;
}

QStringList StartParameters::WithSystemWorkDir(const QStringList& parameters, const QString& configurationFile)
{
    const QString systemWorkDir = SystemWorkDir(configurationFile);
    if (systemWorkDir.isEmpty())
        return parameters;
    return QStringList {QStringLiteral("DIR=") + systemWorkDir} + parameters;
}

bool StartParameters::AsksForHelp(const QStringList& parameters)
{
    return Holds(parameters, {"--help", "-h"});
}

bool StartParameters::AsksForVersion(const QStringList& parameters)
{
    return Holds(parameters, {"--version", "-V"});
}

QString StartParameters::HelpText()
{
    return QStringLiteral(R"(Utilisation : ardoisine [DIR=DOSSIER]

Ardoisine est un cahier d'exercices à l'écran pour l'école : l'élève choisit son nom et une fiche,
puis écrit, surligne, encadre, entoure et relie sur la page, au clavier, avec la palette ou la souris.

  DIR=DOSSIER    le dossier racine des données (fiches, élèves, réglages) ; la clé s'écrit en
                 majuscules ou en minuscules, et le dernier DIR= donné l'emporte
  -h, --help     affiche cette aide
  -V, --version  affiche la version

Sans DIR= sur la ligne de commande, le dossier racine est celui de la ligne DIR= du fichier
%1 (réglage de l'ordinateur), ou à défaut le dossier courant.
Un fichier absent ou illisible n'est pas une erreur. Le dossier racine doit exister.

Voir aussi : man ardoisine, ardoisine-tool --help.
)")
        .arg(SystemConfigurationFile);
}

QString StartParameters::VersionText()
{
    return QStringLiteral("Ardoisine " ARDOISINE_VERSION "\n");
}
