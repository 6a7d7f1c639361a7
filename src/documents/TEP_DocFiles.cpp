#include "TEP_Doc.h"

#include "FileNameRules.h"
#include "FolderFiles.h"
#include "JpegHeader.h"
#include "MessageText.h"
#include "RecoveryJournal.h"
#include "params/Numbers.h"
#include "params/SafeSave.h"
#include "params/StrFields.h"
#include "report/DeviceScales.h"
#include "report/JpegCodec.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <cmath>

// The document's files as a group: work files, renames, moves, deletes and
// the export of the page.

using MessageText::Quoted;

namespace {

bool Exists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString FileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

int TEP_Doc::EPDoc_ListWork(QStringList& files, QStringList& users, QStringList* newFiles, const QString& newFolder,
    const QString& newName) const
{
    files.clear();
    users.clear();
    if (newFiles)
        newFiles->clear();
    const QString prefix = m_name + QLatin1Char('_');
    const QString layer = m_name + QStringLiteral("_BKL.txt");
    const FolderFiles listing(m_folder);
    for (const QString& file : listing.Names()) {
        if (!file.startsWith(prefix, Qt::CaseInsensitive) || !file.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)
            || file.compare(layer, Qt::CaseInsensitive) == 0 || file.size() <= prefix.size() + 4
            || !OwnsFile(listing, file))
            continue;
        const QString user = file.mid(prefix.size(), file.size() - prefix.size() - 4);
        files << FileNameRules::Join(m_folder, file);
        users << user;
        if (newFiles && (!newFolder.isEmpty() || !newName.isEmpty()))
            *newFiles << FileNameRules::Join(newFolder.isEmpty() ? m_folder : newFolder,
                (newName.isEmpty() ? m_name : newName) + QLatin1Char('_') + user + QStringLiteral(".txt"));
    }
    return int(files.size());
}

QStringList TEP_Doc::RecoveryFiles() const
{
    QStringList files;
    const FolderFiles listing(m_folder);
    for (const QString& file : listing.Names())
        if (RecoveryJournal::IsJournalName(file) && OwnsFile(listing, file))
            files << file;
    return files;
}

void TEP_Doc::RememberFiles()
{
    const FolderFiles listing(m_folder);
    (void)EPDoc_RefreshFiles(&listing); // a missing picture shows in the flags
    if (m_userSet)
        RememberWorkFile(listing);
}

Outcome TEP_Doc::EPDoc_Rename(const QString& newName)
{
    const QString name = StrTrim(newName);
    if (name.isEmpty() || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('.'))
        || !FileNameRules::IsSafe(name))
        return Outcome::Failure(
            QStringLiteral("Un nom de document ne peut être vide ou contenir le caractère  '\\' ni un point."));
    if (name == m_name)
        return {};
    // Never into another worksheet's or folder's name, in any letter case
    // (changing only the case of its own name is a rename).
    if (const FolderFiles listing(m_folder);
        name.compare(m_name, Qt::CaseInsensitive) != 0 && (listing.HasWorksheet(name) || listing.HasEntry(name)))
        return Outcome::Failure(QStringLiteral("Le document ou dossier %1 existe déja.").arg(Quoted(name)));
    struct Move {
        QString from;
        QString to;
    };
    QList<Move> others;
    const auto renamed = [&](const QString& suffix) { return FileNameRules::Join(m_folder, name + suffix); };
    if (HasHelpSound())
        others << Move {HelpSoundPath(), renamed(QStringLiteral("_A.wav"))};
    if (HasInstructionSound())
        others << Move {InstructionSoundPath(), renamed(QStringLiteral("_C.wav"))};
    if (HasBackgroundLayer())
        others << Move {BackgroundLayerPath(), renamed(QStringLiteral("_BKL.txt"))};
    QStringList works, users, newWorks;
    EPDoc_ListWork(works, users, &newWorks, QString(), name);
    for (int i = 0; i < works.size(); ++i)
        others << Move {works[i], newWorks[i]};
    // The copies of unsaved work follow, so a pupil still finds theirs.
    for (const QString& copy : RecoveryFiles())
        others << Move {FileNameRules::Join(m_folder, copy), renamed(copy.mid(m_name.size()))};

    const QString oldImage = m_imagePath;
    const QString newImage = renamed(QLatin1Char('.') + QFileInfo(oldImage).suffix());
    if (!QFile::rename(oldImage, newImage))
        return Outcome::Failure(QStringLiteral("Impossible de renommer le document sous le nom : '%1'!!").arg(name));
    m_name = name;
    m_imagePath = newImage;
    // The document has its new name: a file left under the old one is told,
    // and the rename goes on with the others.
    Outcome outcome;
    for (const Move& move : std::as_const(others))
        if (!QFile::rename(move.from, move.to))
            outcome.Note(
                QStringLiteral("Impossible de renommer le fichier %1 en %2!!").arg(Quoted(move.from), Quoted(move.to)));
    RememberFiles();
    return outcome;
}

Outcome TEP_Doc::EPDoc_RenameUserWork(const QString& oldUser, const QString& newUser)
{
    const QString from = StrTrim(oldUser), to = StrTrim(newUser);
    if (from.isEmpty() || to.isEmpty())
        return Outcome::Failure(QStringLiteral(
            "Nom d'utilisateur vide impossible de procéder au changement de nom d'utilisateur : %1 => %2.")
                                    .arg(Quoted(from), Quoted(to)));
    const bool current = m_user.compare(from, Qt::CaseInsensitive) == 0;
    if (current)
        m_user = to;
    const QString oldFile = OwnWorkFile(FolderFiles(m_folder), from);
    if (oldFile.isEmpty())
        return {};
    const QString oldPath = FileNameRules::Join(m_folder, oldFile);
    const QString newPath = FileNameRules::Join(m_folder, WorkFileName(to));
    const bool renamed = QFile::rename(oldPath, newPath);
    if (current)
        RememberFiles();
    if (!renamed)
        return Outcome::Failure(
            QStringLiteral("Impossible de renommer le fichier %1 en %2.").arg(Quoted(oldPath), Quoted(newPath)));
    return {};
}

Outcome TEP_Doc::EPDoc_MoveTo(const QString& folder, bool alreadyMoved)
{
    if (!m_initialised)
        return Outcome::Failure(QStringLiteral("Le document n'est pas initialisé et ne peut être déplacé!"));
    const QString target = StrTrim(folder);
    if (!QFileInfo(target).isDir())
        return Outcome::Failure(
            QStringLiteral("Le document ne peut être déplacé : le répertoire %1 n'existe pas!").arg(Quoted(target)));
    struct Companion {
        int flag;
        QString path;
        const char* kind; // as the messages name it
    };
    const QList<Companion> companions {{InstructionSound, InstructionSoundPath(), "son"},
        {HelpSound, HelpSoundPath(), "son"}, {BackgroundLayer, BackgroundLayerPath(), "trame"}};

    Outcome outcome;
    if (alreadyMoved) {
        // The files went along with their folder: only the paths change, and
        // each file that did not arrive is told.
        const QString work = m_flags & WorkFile ? WorkPath() : QString();
        m_folder = target;
        m_imagePath = FileNameRules::Join(target, FileNameOf(m_imagePath));
        if (!Exists(m_imagePath))
            outcome.Note(QStringLiteral("Le fichier JPEG %1 n'existe pas!").arg(Quoted(m_imagePath)));
        for (const Companion& companion : companions) {
            const QString moved = FileNameRules::Join(target, FileNameOf(companion.path));
            if ((m_flags & companion.flag) && !Exists(moved))
                outcome.Note(
                    QStringLiteral("Le fichier %1 %2 n'existe pas!").arg(QLatin1String(companion.kind), Quoted(moved)));
        }
        const QString movedWork = FileNameRules::Join(target, FileNameOf(work));
        if (!work.isEmpty() && !Exists(movedWork))
            outcome.Note(QStringLiteral("Le fichier de travail %1 n'existe pas!").arg(Quoted(movedWork)));
        if (!Exists(m_imagePath))
            outcome.Fail();
        return outcome;
    }

    if (const FolderFiles there(target); there.HasWorksheet(m_name) || there.HasEntry(m_name))
        return Outcome::Failure(
            QStringLiteral("Le document ne peut être déplacé : le document ou dossier %1 existe déja dans le "
                           "répertoire %2.")
                .arg(Quoted(m_name), Quoted(target)));
    // Listed while the picture still tells which files are this worksheet's.
    QStringList works, users, newWorks;
    EPDoc_ListWork(works, users, &newWorks, target);
    for (const QString& copy : RecoveryFiles()) {
        works << FileNameRules::Join(m_folder, copy);
        newWorks << FileNameRules::Join(target, copy);
    }
    const QString newImage = FileNameRules::Join(target, FileNameOf(m_imagePath));
    if (!QFile::rename(m_imagePath, newImage))
        return Outcome::Failure(QStringLiteral("Le document ne peut être déplacé : erreur de MoveFile()!"));
    m_imagePath = newImage;
    // The picture moved, so the document did: a file that could not follow
    // is told and the move goes on.
    for (const Companion& companion : companions)
        if ((m_flags & companion.flag)
            && !QFile::rename(companion.path, FileNameRules::Join(target, FileNameOf(companion.path))))
            outcome.Note(QStringLiteral("Le fichier %1 %2 n'a pu être déplacé!")
                             .arg(QLatin1String(companion.kind), Quoted(companion.path)));
    for (int i = 0; i < works.size(); ++i)
        if (!QFile::rename(works[i], newWorks[i]))
            outcome.Note(QStringLiteral("Le fichier de travail %1 n'a pu être déplacé!").arg(Quoted(works[i])));
    m_folder = target;
    RememberFiles();
    return outcome;
}

Outcome TEP_Doc::EPDoc_DeleteFiles()
{
    QStringList files, users;
    EPDoc_ListWork(files, users);
    if (HasInstructionSound())
        files << InstructionSoundPath();
    if (HasHelpSound())
        files << HelpSoundPath();
    if (HasBackgroundLayer())
        files << BackgroundLayerPath();
    for (const QString& copy : RecoveryFiles())
        files << FileNameRules::Join(m_folder, copy);
    files << m_imagePath;
    Outcome outcome;
    for (const QString& file : std::as_const(files))
        if (!QFile::remove(file))
            outcome.Note(QStringLiteral("Impossible de supprimer le fichier : %1.").arg(Quoted(file)));
    if (Exists(m_imagePath))
        outcome.Fail(); // the document is still there
    return outcome;
}

Outcome TEP_Doc::EPDoc_DeleteCurrentWork()
{
    const QString work = WorkPath();
    if (!Exists(work) || OwnWorkFile(FolderFiles(m_folder), m_user).isEmpty())
        return Outcome::Failure(QStringLiteral("Le document de travail n'existe pas (%1).").arg(Quoted(work)));
    if (!QFile::remove(work))
        return Outcome::Failure(
            QStringLiteral("Impossible de supprimer le travail du document %1 pour l'utilisateur %2 (fichier:%3).")
                .arg(Quoted(m_name), Quoted(m_user), Quoted(work)));
    m_flags &= ~WorkFile;
    m_files.work.clear();
    return {};
}

Outcome TEP_Doc::EPDoc_DeleteWork(const QString& user)
{
    const QString only = StrTrim(user);
    Outcome outcome;
    // The current user's work goes only when that user's work is asked for:
    // deleting another pupil's work must not take this one's with it.
    const bool currentAsked = only.isEmpty() || only.compare(m_user, Qt::CaseInsensitive) == 0;
    if (m_userSet && currentAsked && !OwnWorkFile(FolderFiles(m_folder), m_user).isEmpty())
        outcome.Merge(EPDoc_DeleteCurrentWork());
    QStringList files, users;
    EPDoc_ListWork(files, users);
    for (int i = 0; i < files.size(); ++i) {
        if (!only.isEmpty() && StrTrim(users[i]).compare(only, Qt::CaseInsensitive) != 0)
            continue;
        if (!Exists(files[i]))
            continue;
        if (!QFile::remove(files[i]))
            outcome.Fail(
                QStringLiteral("Impossible de supprimer le travail du document %1 pour l'utilisateur %2 (fichier:%3).")
                    .arg(Quoted(m_name), Quoted(users[i]), Quoted(files[i])));
    }
    // A deleted work is not offered back at the next opening; copies kept
    // aside stay for the teacher.
    const QString prefix = m_name + QLatin1Char('_');
    for (const QString& copy : RecoveryFiles()) {
        if (RecoveryJournal::IsKeptAsideName(copy))
            continue;
        const QString copyUser
            = copy.mid(prefix.size(), copy.size() - prefix.size() - RecoveryJournal::Extension.size());
        if (!only.isEmpty() && StrTrim(copyUser).compare(only, Qt::CaseInsensitive) != 0)
            continue;
        if (!QFile::remove(FileNameRules::Join(m_folder, copy)))
            outcome.Fail(QStringLiteral("Impossible de supprimer le fichier : %1.").arg(Quoted(copy)));
    }
    return outcome;
}

// --- Export ---------------------------------------------------------------------------

int TEP_Doc::ExportResolution(Outcome& outcome) const
{
    // A picture of unknown resolution is exported at 300 dpi.
    const int wanted = m_horizontalResolution > 0 ? m_horizontalResolution : 300;
    int resolution = wanted;
    // The export must open again: it stays within the decoder's budget.
    const auto pixels = [](int dpi) {
        return qint64(RoundHalfEven(dpi * ExportLongInches)) * RoundHalfEven(dpi * ExportShortInches);
    };
    if (pixels(resolution) > JpegCodec::MaxPixels)
        resolution = int(std::sqrt(double(JpegCodec::MaxPixels) / (ExportLongInches * ExportShortInches)));
    while (resolution > 1 && pixels(resolution) > JpegCodec::MaxPixels)
        --resolution;
    if (resolution != wanted)
        outcome.Note(QStringLiteral("La page %1 est exportée à %2 points par pouce au lieu de %3 : à %3 points par "
                                    "pouce, l'image dépasserait la limite de 100 millions de pixels.")
                         .arg(Quoted(m_name))
                         .arg(resolution)
                         .arg(wanted));
    return resolution;
}

void TEP_Doc::ForgetUnloadedWork(bool wasLoaded)
{
    if (wasLoaded)
        return;
    m_tree.reset();
    m_imageItem = nullptr;
    m_savedText.clear();
}

Outcome TEP_Doc::EPDoc_ReadWorkTree(std::unique_ptr<TDPRptRect>& tree)
{
    tree.reset();
    if (!m_userSet)
        return Outcome::Failure(QStringLiteral("Document non initialisé pour l'utilisateur"));
    Q_ASSERT(!m_loaded);
    if (m_loaded)
        return Outcome::Failure(QStringLiteral("Erreur interne : le document %1 est ouvert.").arg(Quoted(m_name)));
    Outcome outcome = LoadWork();
    if (outcome)
        tree = std::move(m_tree);
    m_tree.reset();
    m_imageItem = nullptr;
    m_savedText.clear();
    return outcome;
}

Outcome TEP_Doc::EPDoc_ExportJpeg(const QString& target)
{
    if (!m_userSet)
        return Outcome::Failure(QStringLiteral("Sauvegarde sur fichier impossible : document non initialisé."));
    const QString failure = QStringLiteral("Impossible de créer le fichier JPeg : %1.").arg(target);
    // Exporting only reads the work: it needs no lock, and works while the
    // pupil has the page open on another PC.
    const bool wasLoaded = m_loaded;
    if (!wasLoaded) {
        Outcome loaded = LoadWork();
        if (!loaded)
            return loaded.Fail(failure);
    }
    // A cut picture would export as a blank page: a failure, with the reason.
    if (!m_pictureProblem.isEmpty()) {
        ForgetUnloadedWork(wasLoaded);
        return Outcome::Failure(m_pictureProblem).Fail(failure);
    }
    Outcome outcome;
    const int resolution = ExportResolution(outcome);
    const int longSide = RoundHalfEven(resolution * ExportLongInches);
    const int shortSide = RoundHalfEven(resolution * ExportShortInches);
    // The orientation of the page the pupil worked on, not the picture's
    // pixel shape: a small picture may lie on a portrait page either way.
    const bool landscape = EPDoc_IsLandscape();
    QImage page(landscape ? longSide : shortSide, landscape ? shortSide : longSide, QImage::Format_RGB32);
    bool ok = !page.isNull();
    if (ok) {
        page.fill(Qt::white);
        DeviceScales::SetResolution(page, resolution);
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = float(resolution / 254.0);
        ok = DrawReportTreeOffScreen(*m_tree, painter, drawing);
        painter.end();
    }
    QString error;
    if (ok && m_imageItem && !m_imageItem->LastError().isEmpty())
        error = m_imageItem->LastError(); // the picture could not be drawn
    QByteArray bytes = ok && error.isEmpty() ? JpegCodec::Encode(page, resolution, &error) : QByteArray();
    ok = !bytes.isEmpty() && JpegHeader::StampResolution(bytes, resolution, resolution)
        && SafeSave::WriteFile(target, bytes, &error);
    ForgetUnloadedWork(wasLoaded);
    if (ok)
        return outcome;
    if (!error.isEmpty())
        outcome.Fail(error);
    return outcome.Fail(failure);
}
