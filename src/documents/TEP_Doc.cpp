#include "TEP_Doc.h"

#include "FileNameRules.h"
#include "FolderFiles.h"
#include "JpegHeader.h"
#include "MessageText.h"
#include "Messenger.h"
#include "params/FileBytes.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/SafeSave.h"
#include "params/StrFields.h"
#include "params/TextFile.h"
#include "report/DefinitionFile.h"
#include "report/JpegCodec.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

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

TEP_Doc::TEP_Doc(Messenger* messenger)
    : m_messenger(messenger)
{ }

TEP_Doc::~TEP_Doc() = default;

void TEP_Doc::Show(const QString& text) const
{
    if (m_messenger)
        m_messenger->ShowMessage(text);
}

bool TEP_Doc::Fail(QStringList* messages, const QString& text) const
{
    return MessageText::Append(messages, text);
}

QStringList TEP_Doc::InitialDefinition()
{
    const QString rect = QStringLiteral("RECT=%1,%2").arg(ShortSide).arg(LongSide);
    return {QString(), QStringLiteral("[MAINRECT]"), QStringLiteral("TYPE=RECT"), rect,
        QStringLiteral("CHILD=MAINIMG,0,0"), QStringLiteral("[MAINIMG]"), QStringLiteral("TYPE=IMG"), rect,
        QStringLiteral("IMGNAME=")};
}

// --- Binding and files ----------------------------------------------------------

QString TEP_Doc::LockPath() const
{
    return FileNameRules::Join(m_folder, m_name + QLatin1Char('_') + m_user + QStringLiteral(".lock"));
}

void TEP_Doc::EPDoc_Clear()
{
    m_lock.Release();
    m_folder.clear();
    m_name.clear();
    m_imagePath.clear();
    m_imageItem = nullptr;
    m_flags = 0;
    m_user.clear();
    m_initialised = m_userSet = m_loaded = false;
    m_tree.reset();
    m_savedText.clear();
    m_imageWidth = m_imageHeight = 0;
    m_horizontalResolution = m_verticalResolution = 0;
    m_fitScale = 1.0f;
}

bool TEP_Doc::EPDoc_Init(const QString& name, const QString& folder, QStringList* messages, const FolderFiles* listing)
{
    EPDoc_Clear();
    m_folder = StrTrim(folder);
    m_name = name;
    m_initialised = true;
    if (EPDoc_RefreshFiles(messages, listing))
        return true;
    EPDoc_Clear();
    return false;
}

QString TEP_Doc::FilePath(const QString& suffix) const
{
    const QString wanted = m_name + suffix;
    const QString onDisk = FolderFiles(m_folder).Find(wanted);
    return FileNameRules::Join(m_folder, onDisk.isEmpty() ? wanted : onDisk);
}

QString TEP_Doc::WorkPath(const QString& user) const
{
    return FilePath(QLatin1Char('_') + StrTrim(user) + QStringLiteral(".txt"));
}

bool TEP_Doc::EPDoc_RefreshFiles(QStringList* messages, const FolderFiles* listing)
{
    if (!m_initialised)
        return Fail(messages, QStringLiteral("Le document n'est pas initialisé!"));
    std::unique_ptr<FolderFiles> own;
    if (!listing) {
        own = std::make_unique<FolderFiles>(m_folder);
        listing = own.get();
    }
    m_flags &= WorkFile;
    m_imagePath.clear();
    const auto found = [&](const QString& suffix, int flag) {
        const QString name = listing->Find(m_name + suffix);
        if (!name.isEmpty())
            m_flags |= flag;
        return name;
    };
    if (const QString jpeg = found(QStringLiteral(".jpeg"), JpegFile); !jpeg.isEmpty())
        m_imagePath = FileNameRules::Join(m_folder, jpeg);
    if (const QString jpg = found(QStringLiteral(".jpg"), JpgFile); !jpg.isEmpty())
        m_imagePath = FileNameRules::Join(m_folder, jpg);
    found(QStringLiteral("_BKL.txt"), BackgroundLayer);
    if (!(m_flags & (JpgFile | JpegFile)))
        return Fail(messages, QStringLiteral("Aucun fichier image associé au document : %1.").arg(Quoted(m_name)));
    found(QStringLiteral("_C.wav"), InstructionSound);
    found(QStringLiteral("_A.wav"), HelpSound);
    return true;
}

bool TEP_Doc::EPDoc_RefreshWork(QStringList* messages, const FolderFiles* listing)
{
    if (!m_userSet)
        return Fail(messages, QStringLiteral("Utilisateur non initialisé"));
    m_flags &= ~WorkFile;
    const QString workFile = m_name + QLatin1Char('_') + m_user + QStringLiteral(".txt");
    if (listing ? listing->Contains(workFile) : FolderFiles(m_folder).Contains(workFile))
        m_flags |= WorkFile;
    return true;
}

bool TEP_Doc::EPDoc_Refresh(QStringList* messages, const FolderFiles* listing)
{
    m_flags = 0;
    std::unique_ptr<FolderFiles> own;
    if (!listing) {
        own = std::make_unique<FolderFiles>(m_folder);
        listing = own.get();
    }
    const bool files = EPDoc_RefreshFiles(messages, listing);
    const bool work = EPDoc_RefreshWork(messages, listing);
    return files && work;
}

bool TEP_Doc::EPDoc_SetUser(const QString& user, QStringList* messages, const FolderFiles* listing)
{
    if (!m_initialised)
        return Fail(messages, QStringLiteral("Document non initialisé"));
    m_userSet = false;
    m_user = StrTrim(user);
    m_userSet = true;
    return EPDoc_RefreshWork(messages, listing);
}

bool TEP_Doc::EPDoc_CreateFromPicture(const QString& name, const QString& folder, QStringList* messages,
    int horizontalResolution, int verticalResolution, const QImage& picture)
{
    EPDoc_Clear();
    const QString trimmedName = StrTrim(name);
    if (trimmedName.isEmpty() || trimmedName.contains(QLatin1Char('.')) || !FileNameRules::IsSafe(trimmedName))
        return Fail(messages,
            QStringLiteral("Un nom de document ne peut être vide ou contenir le caractère  '\\' ni un point."));
    m_folder = StrTrim(folder);
    m_name = trimmedName;
    m_flags = JpgFile;
    const QString path = FileNameRules::Join(m_folder, m_name + QStringLiteral(".jpg"));
    QString error;
    QByteArray bytes = JpegCodec::Encode(picture, horizontalResolution, &error);
    if (bytes.isEmpty() || !JpegHeader::StampResolution(bytes, horizontalResolution, verticalResolution)
        || !SafeSave::WriteFile(path, bytes, &error)) {
        EPDoc_Clear();
        return Fail(messages, error);
    }
    m_initialised = true;
    if (EPDoc_RefreshFiles(messages))
        return true;
    EPDoc_Clear();
    return false;
}

// --- Loading and saving -----------------------------------------------------------

bool TEP_Doc::EPDoc_LoadForUse(QStringList* messages)
{
    if (!m_userSet) {
        m_loaded = false;
        return Fail(messages, QStringLiteral("Document non initialisé pour l'utilisateur"));
    }
    // Another PC (or window) with this work open would save over it.
    WorkLock::Holder holder;
    if (!m_lock.Acquire(LockPath(), &holder)) {
        m_loaded = false;
        return Fail(messages, WorkLock::HeldMessage(m_user, m_name, holder, LockPath()));
    }
    m_loaded = LoadWork(messages);
    if (!m_loaded)
        m_lock.Release();
    return m_loaded;
}

bool TEP_Doc::TreeText(QStringList& lines) const
{
    lines.clear();
    return m_tree && SaveToLines(m_tree.get(), lines);
}

bool TEP_Doc::InitDefinition(QStringList* messages)
{
    m_tree = std::make_unique<TDPRptRect>();
    Param_Obj params;
    params.LoadFromLines(InitialDefinition());
    if (!DPRpt_Load(m_tree.get(), QStringLiteral("MAINRECT"), params))
        return Fail(messages, QStringLiteral("Erreur fatale : IMPOSSIBLE D'INITIALISER UN ELEMENT VIDE"));
    m_tree->SetScale(1.0f);
    return true;
}

bool TEP_Doc::LoadWork(QStringList* messages)
{
    const QString work = WorkPath();
    m_tree = std::make_unique<TDPRptRect>();
    m_imageItem = nullptr;
    if (HasWork()) {
        if (!Exists(m_imagePath) || !Exists(work))
            return Fail(messages,
                QStringLiteral("Le fichier %1 ou le fichier %2 n'existe pas").arg(Quoted(m_imagePath), Quoted(work)));
        Param_Obj params;
        if (!params.LoadFromFile(work) || !DPRpt_Load(m_tree.get(), QStringLiteral("MAINRECT"), params))
            return Fail(messages,
                QStringLiteral("Le fichier de définition %1 contient des erreurs (DPRpt_Load())").arg(Quoted(work)));
        if (!PlaceImage(false, messages))
            return false;
    } else if (!InitDefinition(messages) || !PlaceImage(true, messages)) {
        return false;
    }
    m_tree->SetScale(1.0f);
    TreeText(m_savedText);
    m_tree->SetScale(1.0f);
    m_imageItem = dynamic_cast<TDPRptImg*>(m_tree->FindByName(QStringLiteral("MAINIMG")));
    if (!m_imageItem)
        Fail(messages,
            QStringLiteral("Erreur interne : impossible de trouver l'élément contenant l'image du document!"));
    return true;
}

bool TEP_Doc::PlaceImage(bool newPage, QStringList* messages)
{
    if (!Exists(m_imagePath))
        return Fail(messages, QStringLiteral("Le fichier image %1 n'existe pas").arg(Quoted(m_imagePath)));
    // The header is enough to place the page: the picture is decoded once,
    // by the page's image item, for the size it is shown at.
    QByteArray data;
    QSize pixels;
    QString error;
    constexpr qint64 kHeaderBytes = 256 * 1024; // room for an EXIF thumbnail
    if (!FileBytes::Read(m_imagePath, data, &error, kHeaderBytes))
        return Fail(messages, error);
    if (!JpegCodec::ReadSize(data, m_imagePath, pixels, &error)
        && (data.size() < kHeaderBytes || !FileBytes::Read(m_imagePath, data, &error)
            || !JpegCodec::ReadSize(data, m_imagePath, pixels, &error)))
        return Fail(messages, error);
    JpegHeader::Resolution resolution;
    JpegHeader::ReadResolution(data.left(50), resolution);

    double w = pixels.width(), h = pixels.height();
    double scale = 1.0;
    bool landscape = false;
    if (resolution.Usable()) {
        w = w / resolution.horizontal * 254.0;
        h = h / resolution.vertical * 254.0;
        if (w <= ShortSide && h <= LongSide) {
            landscape = false;
        } else if (w <= LongSide && h <= ShortSide) {
            landscape = true;
        } else {
            landscape = w >= h;
            const double pageW = landscape ? LongSide : ShortSide, pageH = landscape ? ShortSide : LongSide;
            scale = 1.0 / std::max(h / pageH, w / pageW);
        }
    } else {
        // No usable resolution: the picture's natural size is unknown, so it
        // is fitted to the page by its proportions.
        landscape = w > h;
        const double pageW = landscape ? LongSide : ShortSide, pageH = landscape ? ShortSide : LongSide;
        const double fit = std::min(pageW / w, pageH / h);
        w *= fit;
        h *= fit;
    }
    const int width = RoundHalfEven(w * scale), height = RoundHalfEven(h * scale);
    m_imageWidth = pixels.width();
    m_imageHeight = pixels.height();
    m_horizontalResolution = resolution.horizontal;
    m_verticalResolution = resolution.vertical;
    m_fitScale = float(scale);

    auto* image = dynamic_cast<TDPRptImg*>(m_tree->FindByName(QStringLiteral("MAINIMG")));
    if (image) {
        // Always the current path, so a moved or renamed document shows its picture.
        if (image->ImageName != m_imagePath) {
            image->ImageName = m_imagePath;
            image->ForgetPicture();
        }
        image->UsePlatformImaging = TDPRptImg::UsePlatformImagingByDefault;
    }
    if (newPage) {
        m_tree->Width = float(landscape ? LongSide : ShortSide);
        m_tree->Height = float(landscape ? ShortSide : LongSide);
        if (image) {
            image->Width = float(width);
            image->Height = float(height);
        }
    }
    return true;
}

bool TEP_Doc::EPDoc_Save()
{
    if (!m_loaded) {
        Show(QStringLiteral("Impossible de sauvegarder les données du document (données non chargées)"));
        return false;
    }
    const QString work = WorkPath();
    QStringList lines;
    if (!TreeText(lines)) {
        Show(QStringLiteral("Erreur inconnue dans la sauvegarde du fichier : %1!").arg(work));
        return false;
    }
    if (lines == m_savedText)
        return true; // a page opened and left untouched writes no file
    m_flags |= WorkFile;
    QString cause;
    if (!TextFile::WriteLines(work, lines, nullptr, &cause)) {
        Show(QStringLiteral("Impossible de sauvegarder le fichier : %1\n%2").arg(work, cause));
        return false;
    }
    m_savedText = lines;
    m_lock.Refresh();
    return true;
}

void TEP_Doc::EPDoc_Close()
{
    m_lock.Release();
    m_loaded = false;
    m_imageItem = nullptr;
    m_tree.reset();
    m_savedText.clear();
}

bool TEP_Doc::EPDoc_IsLandscape() const
{
    return m_tree && m_tree->Width > LandscapeWidth;
}

// --- Work files, renames, moves, deletes ----------------------------------------------

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
            || file.compare(layer, Qt::CaseInsensitive) == 0 || file.size() <= prefix.size() + 4)
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

bool TEP_Doc::EPDoc_Rename(const QString& newName, QStringList* messages)
{
    const QString name = StrTrim(newName);
    if (name.isEmpty() || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('.'))
        || !FileNameRules::IsSafe(name))
        return Fail(messages,
            QStringLiteral("Un nom de document ne peut être vide ou contenir le caractère  '\\' ni un point."));
    if (name == m_name)
        return true;
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

    const QString oldImage = m_imagePath;
    const QString newImage = renamed(QLatin1Char('.') + QFileInfo(oldImage).suffix());
    if (!QFile::rename(oldImage, newImage))
        return Fail(messages, QStringLiteral("Impossible de renommer le document sous le nom : '%1'!!").arg(name));
    m_name = name;
    m_imagePath = newImage;
    for (const Move& move : std::as_const(others))
        if (!QFile::rename(move.from, move.to))
            Show(
                QStringLiteral("Impossible de renommer le fichier %1 en %2!!").arg(Quoted(move.from), Quoted(move.to)));
    return true;
}

bool TEP_Doc::EPDoc_RenameUserWork(const QString& oldUser, const QString& newUser, QStringList* messages)
{
    const QString from = StrTrim(oldUser), to = StrTrim(newUser);
    if (from.isEmpty() || to.isEmpty())
        return Fail(messages,
            QStringLiteral(
                "Nom d'utilisateur vide impossible de procéder au changement de nom d'utilisateur : %1 => %2.")
                .arg(Quoted(from), Quoted(to)));
    if (m_user.compare(from, Qt::CaseInsensitive) == 0)
        m_user = to;
    const QString oldPath = WorkPath(from);
    if (!Exists(oldPath))
        return true;
    const QString newPath = FileNameRules::Join(m_folder, m_name + QLatin1Char('_') + to + QStringLiteral(".txt"));
    if (!QFile::rename(oldPath, newPath))
        return Fail(messages,
            QStringLiteral("Impossible de renommer le fichier %1 en %2.").arg(Quoted(oldPath), Quoted(newPath)));
    return true;
}

bool TEP_Doc::EPDoc_MoveTo(const QString& folder, bool alreadyMoved, QStringList* messages)
{
    if (!m_initialised)
        return Fail(messages, QStringLiteral("Le document n'est pas initialisé et ne peut être déplacé!"));
    const QString target = StrTrim(folder);
    if (!QFileInfo(target).isDir())
        return Fail(messages,
            QStringLiteral("Le document ne peut être déplacé : le répertoire %1 n'existe pas!").arg(Quoted(target)));
    struct Companion {
        int flag;
        QString path;
        const char* kind; // as the messages name it
    };
    const QList<Companion> companions {{InstructionSound, InstructionSoundPath(), "son"},
        {HelpSound, HelpSoundPath(), "son"}, {BackgroundLayer, BackgroundLayerPath(), "trame"}};

    if (alreadyMoved) {
        const QString work = m_flags & WorkFile ? WorkPath() : QString();
        m_folder = target;
        m_imagePath = FileNameRules::Join(target, FileNameOf(m_imagePath));
        if (!Exists(m_imagePath))
            Fail(messages, QStringLiteral("Le fichier JPEG %1 n'existe pas!").arg(Quoted(m_imagePath)));
        for (const Companion& companion : companions) {
            const QString moved = FileNameRules::Join(target, FileNameOf(companion.path));
            if ((m_flags & companion.flag) && !Exists(moved))
                Fail(messages,
                    QStringLiteral("Le fichier %1 %2 n'existe pas!").arg(QLatin1String(companion.kind), Quoted(moved)));
        }
        const QString movedWork = FileNameRules::Join(target, FileNameOf(work));
        if (!work.isEmpty() && !Exists(movedWork))
            Fail(messages, QStringLiteral("Le fichier de travail %1 n'existe pas!").arg(Quoted(movedWork)));
        return Exists(m_imagePath);
    }

    const QString newImage = FileNameRules::Join(target, FileNameOf(m_imagePath));
    if (!QFile::rename(m_imagePath, newImage))
        return Fail(messages, QStringLiteral("Le document ne peut être déplacé : erreur de MoveFile()!"));
    m_imagePath = newImage;
    for (const Companion& companion : companions)
        if ((m_flags & companion.flag)
            && !QFile::rename(companion.path, FileNameRules::Join(target, FileNameOf(companion.path))))
            Fail(messages,
                QStringLiteral("Le fichier %1 %2 n'a pu être déplacé!")
                    .arg(QLatin1String(companion.kind), Quoted(companion.path)));
    QStringList works, users, newWorks;
    EPDoc_ListWork(works, users, &newWorks, target);
    for (int i = 0; i < works.size(); ++i)
        if (!QFile::rename(works[i], newWorks[i]))
            Fail(messages, QStringLiteral("Le fichier de travail %1 n'a pu être déplacé!").arg(Quoted(works[i])));
    m_folder = target;
    return true;
}

bool TEP_Doc::EPDoc_DeleteFiles(QStringList* messages)
{
    QStringList files, users;
    EPDoc_ListWork(files, users);
    if (HasInstructionSound())
        files << InstructionSoundPath();
    if (HasHelpSound())
        files << HelpSoundPath();
    if (HasBackgroundLayer())
        files << BackgroundLayerPath();
    files << m_imagePath;
    for (const QString& file : std::as_const(files))
        if (!QFile::remove(file))
            Fail(messages, QStringLiteral("Impossible de supprimer le fichier : %1.").arg(Quoted(file)));
    return !Exists(m_imagePath);
}

bool TEP_Doc::EPDoc_DeleteCurrentWork(QStringList* messages)
{
    const QString work = WorkPath();
    if (!Exists(work))
        return Fail(messages, QStringLiteral("Le document de travail n'existe pas (%1).").arg(Quoted(work)));
    if (!QFile::remove(work))
        return Fail(messages,
            QStringLiteral("Impossible de supprimer le travail du document %1 pour l'utilisateur %2 (fichier:%3).")
                .arg(Quoted(m_name), Quoted(m_user), Quoted(work)));
    m_flags &= ~WorkFile;
    return true;
}

bool TEP_Doc::EPDoc_DeleteWork(const QString& user, QStringList* messages)
{
    const QString only = StrTrim(user);
    bool ok = true;
    // The current user's work goes only when that user's work is asked for:
    // deleting another pupil's work must not take this one's with it.
    const bool currentAsked = only.isEmpty() || only.compare(m_user, Qt::CaseInsensitive) == 0;
    if (m_userSet && currentAsked && Exists(WorkPath()))
        ok = EPDoc_DeleteCurrentWork(messages);
    QStringList files, users;
    EPDoc_ListWork(files, users);
    for (int i = 0; i < files.size(); ++i) {
        if (!only.isEmpty() && StrTrim(users[i]).compare(only, Qt::CaseInsensitive) != 0)
            continue;
        if (!Exists(files[i]))
            continue;
        if (!QFile::remove(files[i])) {
            Fail(messages,
                QStringLiteral("Impossible de supprimer le travail du document %1 pour l'utilisateur %2 (fichier:%3).")
                    .arg(Quoted(m_name), Quoted(users[i]), Quoted(files[i])));
            ok = false;
        }
    }
    return ok;
}

// --- Export ---------------------------------------------------------------------------

bool TEP_Doc::EPDoc_ExportJpeg(const QString& target, QStringList* messages)
{
    if (!m_userSet)
        return Fail(messages, QStringLiteral("Sauvegarde sur fichier impossible : document non initialisé."));
    const QString failure = QStringLiteral("Impossible de créer le fichier JPeg : %1.").arg(target);
    // Exporting only reads the work: it needs no lock, and works while the
    // pupil has the page open on another PC.
    const bool wasLoaded = m_loaded;
    if (!wasLoaded && !LoadWork(messages))
        return Fail(messages, failure);
    // A picture of unknown resolution is exported at 300 dpi.
    const int resolution = m_horizontalResolution > 0 ? m_horizontalResolution : 300;
    const int longSide = RoundHalfEven(resolution * 11.692913385826772);
    const int shortSide = RoundHalfEven(resolution * 8.26771653543307);
    const bool landscape = m_imageHeight < m_imageWidth;
    QImage page(landscape ? longSide : shortSide, landscape ? shortSide : longSide, QImage::Format_RGB32);
    bool ok = !page.isNull();
    if (ok) {
        page.fill(Qt::white);
        const int dotsPerMetre = RoundHalfEven(resolution / 0.0254);
        page.setDotsPerMeterX(dotsPerMetre);
        page.setDotsPerMeterY(dotsPerMetre);
        const float previousScale = m_tree->Scale;
        QPainter painter(&page);
        SurfaceDrawing drawing;
        drawing.surface = &page;
        drawing.scale = float(resolution / 254.0);
        ok = DrawReportTree(*m_tree, painter, drawing);
        painter.end();
        m_tree->SetScale(previousScale);
    }
    QByteArray bytes = ok ? JpegCodec::Encode(page, resolution) : QByteArray();
    ok = !bytes.isEmpty() && JpegHeader::StampResolution(bytes, resolution, resolution)
        && SafeSave::WriteFile(target, bytes);
    if (!wasLoaded) {
        m_tree.reset();
        m_imageItem = nullptr;
        m_savedText.clear();
    }
    return ok || Fail(messages, failure);
}
