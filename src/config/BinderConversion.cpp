#include "BinderConversion.h"

#include "MigrationReport.h"

#include "documents/FileMove.h"
#include "documents/FileNameRules.h"
#include "documents/FolderFiles.h"
#include "documents/MessageText.h"
#include "documents/TEP_DocsNode.h"
#include "params/Param_Obj.h"
#include "params/StrFields.h"

#include <QDir>
#include <cerrno>

using MessageText::Quoted;

namespace {

QString NotConverted(const QString& binder)
{
    return QStringLiteral("Le classeur %1 n'a pas été converti : ").arg(Quoted(binder));
}

// The files that hang on a worksheet by name, besides its picture: work
// files, background layer, instruction and help sounds.
bool IsCompanionFile(const QString& fileName, const QString& document)
{
    if (!fileName.startsWith(document + QLatin1Char('_'), Qt::CaseInsensitive))
        return false;
    const QString rest = fileName.mid(document.size() + 1);
    return (rest.size() > 4 && rest.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        || rest.compare(QLatin1String("C.wav"), Qt::CaseInsensitive) == 0
        || rest.compare(QLatin1String("A.wav"), Qt::CaseInsensitive) == 0;
}

} // namespace

BinderConversion::BinderConversion(
    const Param_Obj& general, TEP_DocsNode& worksheets, MigrationReport& report, std::function<void()> changed)
    : m_general(general)
    , m_worksheets(worksheets)
    , m_report(report)
    , m_changed(std::move(changed))
{ }

void BinderConversion::Run()
{
    PRHeadingList headings;
    m_general.PRGetHeadings(headings);
    for (auto heading = headings.crbegin(); heading != headings.crend(); ++heading)
        if (heading->name.left(4).toUpper() == QLatin1String("LNK."))
            Convert(heading->name);
}

void BinderConversion::Convert(const QString& heading)
{
    const QString name = StrTrim(m_general.PRRead(heading, QStringLiteral("NAME")));
    QStringList values;
    m_general.PRReads(heading, QStringLiteral("DOC"), &values);
    QStringList documents;
    for (const QString& value : std::as_const(values))
        if (!StrTrim(value).isEmpty())
            documents << StrTrim(value);
    if (name.isEmpty() || name == PR_NOVALUE || documents.isEmpty())
        return;
    TEP_DocsNode* binder = BinderFolder(name);
    if (!binder)
        return;
    for (const QString& document : std::as_const(documents))
        File(document, *binder, name);
}

TEP_DocsNode* BinderConversion::BinderFolder(const QString& name)
{
    if (TEP_DocsNode* found = m_worksheets.FindChildByName(name)) {
        if (!found->IsDocument())
            return found;
        m_report.Error(NotConverted(name) + QStringLiteral("un document porte déjà ce nom."));
        return nullptr;
    }
    // Binder names were never file names before: one that cannot name a
    // folder on every PC of the school leaves its worksheets where they are.
    if (!FileNameRules::IsSafe(name)) {
        m_report.Error(NotConverted(name)
            + QStringLiteral("son nom ne peut pas être un nom de dossier (il ne doit contenir aucun des caractères / "
                             "\\ : * ? \" < > |, ni être un nom réservé du système, ni finir par un point ou un "
                             "espace)."));
        return nullptr;
    }
    // The folder is made under the binder's name at once, never as an
    // untitled folder renamed afterwards: nothing can be left behind
    // untitled, whatever stops the run.
    const QString path = FileNameRules::Join(m_worksheets.Path(), name);
    errno = 0;
    if (!QDir().mkdir(path)) {
        m_report.Error(NotConverted(name) + QStringLiteral("impossible de créer le répertoire %1.").arg(Quoted(path)),
            FileMove::ErrorText(errno));
        return nullptr;
    }
    m_changed();
    auto folder = std::make_unique<TEP_DocsNode>();
    const Outcome scanned = folder->Scan(path);
    if (!scanned) {
        m_report.Error(scanned.Messages());
        return nullptr;
    }
    folder->HandDownColor(m_worksheets.Color());
    folder->HandDownStyle(m_worksheets.TextStyle());
    TEP_DocsNode* added = folder.get();
    m_worksheets.InsertObject(0, std::move(folder));
    return added;
}

void BinderConversion::File(const QString& document, TEP_DocsNode& binder, const QString& binderName)
{
    TEP_DocsNode* node = m_worksheets.FindChildByName(document);
    if (node == &binder)
        return;
    if (!node) {
        if (binder.FindChildByName(document))
            FinishMove(document, binder); // moved by a run that was stopped
        else
            m_report.Remark(QStringLiteral("Document %1 inexistant pour le classeur %2.")
                                .arg(Quoted(document), Quoted(binderName)));
        return;
    }
    int placement = TEP_DocsNode::NotMoved;
    const Outcome moved = m_worksheets.Move(node, &binder, placement);
    if (!moved || moved.HasMessages())
        m_report.Error(moved.HasMessages() ? moved.Messages()
                                           : QStringList {QStringLiteral("Le document %1 n'a pu être placé dans le "
                                                                         "classeur %2.")
                                                              .arg(Quoted(document), Quoted(binderName))});
    if (moved)
        m_changed();
}

void BinderConversion::FinishMove(const QString& document, const TEP_DocsNode& binder)
{
    // The picture went first: files of the worksheet still in the root
    // follow it now. A file belongs to the worksheet with the longest name
    // that prefixes it, in the root or in the binder ("A_2_paul.txt" is
    // paul's work on "A_2", not work of "2_paul" on "A").
    const FolderFiles rootFiles(m_worksheets.Path());
    const FolderFiles binderFiles(binder.Path());
    for (const QString& file : rootFiles.Names()) {
        const QString owner = binderFiles.WorksheetOf(file);
        if (!IsCompanionFile(file, document) || owner.compare(document, Qt::CaseInsensitive) != 0
            || rootFiles.WorksheetOf(file).size() > owner.size())
            continue;
        const QString from = FileNameRules::Join(m_worksheets.Path(), file);
        QString cause;
        if (binderFiles.Contains(file))
            cause = FileMove::ErrorText(EEXIST);
        else if (FileMove::Rename(from, FileNameRules::Join(binder.Path(), file), &cause)) {
            m_changed();
            continue;
        }
        m_report.Error(QStringLiteral("Le fichier %1 n'a pu être déplacé!").arg(Quoted(from)), cause);
    }
}
