#include "DataMigration.h"

#include "BinderConversion.h"
#include "UserFolderConversion.h"

#include "documents/FileNameRules.h"
#include "documents/FolderFiles.h"
#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "documents/TEP_DocsNode.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"

using MessageText::Quoted;

namespace {

// Headings are found whatever their letter case; the section goes whole,
// heading included, under each spelling it has in the file.
void RemoveSection(Param_Obj& file, const QString& heading)
{
    PRHeadingList headings;
    file.PRGetHeadings(headings);
    QStringList spellings;
    for (const PRHeading& found : std::as_const(headings))
        if (found.name.compare(heading, Qt::CaseInsensitive) == 0 && !spellings.contains(found.name))
            spellings << found.name;
    for (const QString& spelling : std::as_const(spellings))
        file.PRClearSpecial(spelling, QStringLiteral("="));
}

bool HasHeading(const Param_Obj& file, const QString& heading)
{
    return file.PRGetParHead(heading) >= 0;
}

void RemoveKey(Param_Obj& file, const QString& heading, const QString& key)
{
    const int index = file.PRGetParIdx(heading, key);
    if (index >= 0)
        file.Delete(index);
}

} // namespace

DataMigration::DataMigration(const QString& dataRoot)
{
    m_scratch.SetDataRoot(dataRoot);
}

DataMigration::~DataMigration() = default;

void DataMigration::Changed()
{
    if (AfterEachChange)
        AfterEachChange();
}

void DataMigration::GeneralFileFailed(const QString& path)
{
    m_report.outcome.Fail(
        QStringLiteral("Erreur lors du changement de version sur le fichier de configuration : %1.").arg(Quoted(path)));
}

MigrationReport DataMigration::Run(Messenger* messenger)
{
    m_report = MigrationReport();
    Convert(messenger);
    if (messenger)
        Show(*messenger);
    return m_report;
}

void DataMigration::Show(Messenger& messenger) const
{
    for (const QString& message : m_report.outcome.Messages())
        messenger.ShowMessage(message);
    if (m_report.HasReport())
        messenger.ShowLines(MigrationReport::ViewerTitle, m_report.lines);
}

void DataMigration::Convert(Messenger* messenger)
{
    // Data copied from Windows PCs may spell the file in any letter case.
    const QString fileName = FolderFiles(m_scratch.DataRoot()).Find(GeneralFileName);
    if (fileName.isEmpty())
        return;
    const QString path = FileNameRules::Join(m_scratch.DataRoot(), fileName);
    Param_Obj general;
    if (!general.LoadFromFile(path)) {
        GeneralFileFailed(path);
        return;
    }
    if (!HasHeading(general, TEP_Config::GeneralHeading)) {
        const QString old = HasHeading(general, Version200Heading) ? Version200Heading
            : HasHeading(general, Version205Heading)               ? Version205Heading
                                                                   : QString();
        if (!old.isEmpty() && !ConvertGeneralSettings(general, old, path))
            return;
    }
    if (HasHeading(general, UserSettings::Heading))
        ConvertUserData(general, path, messenger);
}

bool DataMigration::ConvertGeneralSettings(Param_Obj& general, const QString& heading, const QString& path)
{
    m_report.oldDataFound = true;
    m_report.oldVersion = heading == Version200Heading ? 200 : 205;
    m_scratch.DataVersion = m_report.oldVersion;
    m_scratch.ReadGeneralParams(general, heading);
    m_scratch.Settings.Read(general, heading);
    // The printer and the export folder default to this PC's own: written
    // only when the old file chose them, so every PC keeps finding its own.
    const bool printerChosen = general.PRRead(heading, QStringLiteral("PRINTERNAME")) != PR_NOVALUE;
    const bool exportChosen = general.PRRead(heading, QStringLiteral("EXPORTDIR")) != PR_NOVALUE;
    RemoveSection(general, heading);
    m_scratch.WriteGeneralParams(general, TEP_Config::GeneralHeading);
    if (!printerChosen)
        RemoveKey(general, TEP_Config::GeneralHeading, QStringLiteral("PRINTERNAME"));
    if (!exportChosen)
        RemoveKey(general, TEP_Config::GeneralHeading, QStringLiteral("EXPORTDIR"));
    // The users' settings go back into the file before it is saved: a run
    // stopped right after the save still finds them, and every user gets
    // them at the next start.
    m_scratch.Settings.Write(general, UserSettings::Heading);
    if (!general.SaveToFile(path)) {
        GeneralFileFailed(path);
        return false;
    }
    Changed();
    return true;
}

void DataMigration::ConvertUserData(Param_Obj& general, const QString& path, Messenger* messenger)
{
    m_report.oldDataFound = true;
    m_scratch.Settings.Read(general, UserSettings::Heading);
    RemoveSection(general, UserSettings::Heading);
    m_tree = std::make_unique<TEP_DocsNode>();
    const Outcome scanned = m_tree->Scan(m_scratch.WorksheetsFolder());
    if (!scanned)
        m_report.Error(scanned.Messages());

    m_report.announcement = QStringLiteral("Vous utilisez actuellement une version inférieure à la version 4.00 de "
                                           "Ardoisine dans le répertoire %1.\nLe logiciel va actualiser vos données.")
                                .arg(Quoted(m_scratch.DataRoot()));
    if (messenger)
        messenger->ShowMessage(m_report.announcement);
    const auto changed = [this] { Changed(); };
    UserFolderConversion(m_scratch.NamesFolder(), m_scratch.Settings, *m_tree, m_report, changed).Run();
    BinderConversion(general, *m_tree, m_report, changed).Run();
    // The report before the general file: a run stopped between the two
    // converts again and writes the same report.
    SaveReport();
    if (!general.SaveToFile(path)) {
        GeneralFileFailed(path);
        return;
    }
    Changed();
}

void DataMigration::SaveReport()
{
    if (m_report.lines.isEmpty())
        return;
    const QString path = FileNameRules::Join(m_scratch.DataRoot(), MigrationReport::FileName);
    m_report.reportPath = path;
    m_report.outcome.Note(QStringLiteral("Des erreurs ou des remarques ont été rencontrées durant le transfert des "
                                         "données.\nConsultez les dans l'éditeur qui va suivre ou dans le fichier : "
                                         "%1.")
                              .arg(Quoted(path)));
    QString cause;
    if (!TextFile::WriteLines(path, m_report.lines, nullptr, &cause)) {
        m_report.outcome.Fail(QStringLiteral("Impossible de sauvegarder les erreurs dans le fichier : %1 (%2).")
                                  .arg(Quoted(path), cause));
        return;
    }
    Changed();
}
