#include "TEP_Doc.h"

#include "FileNameRules.h"
#include "FolderFiles.h"
#include "JpegHeader.h"
#include "MessageText.h"
#include "TBkLayerIt.h"
#include "params/FileBytes.h"
#include "params/Numbers.h"
#include "params/Param_Obj.h"
#include "params/SafeSave.h"
#include "params/StrFields.h"
#include "params/TextFile.h"
#include "report/DefinitionFile.h"
#include "report/JpegCodec.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"

#include <QFile>
#include <QFileInfo>

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

TEP_Doc::TEP_Doc()
{
    // Work files may hold background layer items: their type must be known
    // before the first load, or they would be dropped at the next save.
    TBkLayerIt::RegisterItemType();
}

TEP_Doc::~TEP_Doc() = default;

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
    m_files = FileNames();
    m_imageItem = nullptr;
    m_flags = 0;
    m_user.clear();
    m_initialised = m_userSet = m_loaded = false;
    m_tree.reset();
    m_savedText.clear();
    m_imageWidth = m_imageHeight = 0;
    m_horizontalResolution = m_verticalResolution = 0;
    m_fitScale = 1.0f;
    m_pictureProblem.clear();
}

Outcome TEP_Doc::EPDoc_Init(const QString& name, const QString& folder, const FolderFiles* listing)
{
    EPDoc_Clear();
    m_folder = StrTrim(folder);
    m_name = name;
    m_initialised = true;
    Outcome outcome = EPDoc_RefreshFiles(listing);
    if (!outcome)
        EPDoc_Clear();
    return outcome;
}

QString TEP_Doc::KnownPath(const QString& onDisk, const QString& suffix) const
{
    return FileNameRules::Join(m_folder, onDisk.isEmpty() ? OwnFileName(suffix) : onDisk);
}

QString TEP_Doc::WorkFileName(const QString& user) const
{
    return OwnFileName(QLatin1Char('_') + StrTrim(user) + QStringLiteral(".txt"));
}

QString TEP_Doc::WorkPath(const QString& user) const
{
    if (!m_files.work.isEmpty() && StrTrim(user).compare(m_user, Qt::CaseInsensitive) == 0)
        return FileNameRules::Join(m_folder, m_files.work);
    return FileNameRules::Join(m_folder, WorkFileName(user));
}

Outcome TEP_Doc::EPDoc_RefreshFiles(const FolderFiles* listing)
{
    if (!m_initialised)
        return Outcome::Failure(QStringLiteral("Le document n'est pas initialisé!"));
    std::unique_ptr<FolderFiles> own;
    if (!listing) {
        own = std::make_unique<FolderFiles>(m_folder);
        listing = own.get();
    }
    m_flags &= WorkFile;
    m_imagePath.clear();
    const auto found = [&](const QString& suffix, int flag) {
        const QString name = listing->Find(OwnFileName(suffix));
        if (!name.isEmpty())
            m_flags |= flag;
        return name;
    };
    if (const QString jpeg = found(QStringLiteral(".jpeg"), JpegFile); !jpeg.isEmpty())
        m_imagePath = FileNameRules::Join(m_folder, jpeg);
    if (const QString jpg = found(QStringLiteral(".jpg"), JpgFile); !jpg.isEmpty())
        m_imagePath = FileNameRules::Join(m_folder, jpg);
    m_files.backgroundLayer = found(QStringLiteral("_BKL.txt"), BackgroundLayer);
    if (!(m_flags & (JpgFile | JpegFile))) {
        m_files.instructionSound.clear();
        m_files.helpSound.clear();
        return Outcome::Failure(QStringLiteral("Aucun fichier image associé au document : %1.").arg(Quoted(m_name)));
    }
    m_files.instructionSound = found(QStringLiteral("_C.wav"), InstructionSound);
    m_files.helpSound = found(QStringLiteral("_A.wav"), HelpSound);
    return {};
}

bool TEP_Doc::OwnsFile(const FolderFiles& listing, const QString& fileName) const
{
    // A longer worksheet name that prefixes the file takes it ("A_2_paul.txt"
    // is paul's work on "A_2", not work of "2_paul" on "A").
    return fileName.startsWith(m_name + QLatin1Char('_'), Qt::CaseInsensitive)
        && listing.WorksheetOf(fileName).size() <= m_name.size();
}

QString TEP_Doc::OwnWorkFile(const FolderFiles& listing, const QString& user) const
{
    // The background layer is never anybody's work.
    if (StrTrim(user).compare(BackgroundLayerUser, Qt::CaseInsensitive) == 0)
        return QString();
    const QString file = listing.Find(WorkFileName(user));
    return !file.isEmpty() && OwnsFile(listing, file) ? file : QString();
}

Outcome TEP_Doc::CheckWorkName() const
{
    if (m_user.compare(BackgroundLayerUser, Qt::CaseInsensitive) == 0)
        return Outcome::Failure(
            QStringLiteral("Le nom %1 est celui du fond de page des fiches : ce ne peut pas être un nom d'utilisateur.")
                .arg(Quoted(m_user)));
    const QString file = WorkFileName(m_user);
    const QString owner = FolderFiles(m_folder).WorksheetOf(file);
    if (owner.size() <= m_name.size())
        return {};
    return Outcome::Failure(
        QStringLiteral("Le travail de %1 sur la fiche %2 ne peut pas être ouvert : son fichier %3 serait celui du "
                       "travail de %4 sur la fiche %5.")
            .arg(Quoted(m_user), Quoted(m_name), Quoted(file), Quoted(file.mid(owner.size() + 1).chopped(4)),
                Quoted(owner)));
}

void TEP_Doc::RememberWorkFile(const FolderFiles& listing)
{
    m_files.work = m_userSet ? OwnWorkFile(listing, m_user) : QString();
    if (m_files.work.isEmpty())
        m_flags &= ~WorkFile;
    else
        m_flags |= WorkFile;
}

Outcome TEP_Doc::EPDoc_RefreshWork(const FolderFiles* listing)
{
    if (!m_userSet)
        return Outcome::Failure(QStringLiteral("Utilisateur non initialisé"));
    RememberWorkFile(listing ? *listing : FolderFiles(m_folder));
    return {};
}

Outcome TEP_Doc::EPDoc_Refresh(const FolderFiles* listing)
{
    m_flags = 0;
    std::unique_ptr<FolderFiles> own;
    if (!listing) {
        own = std::make_unique<FolderFiles>(m_folder);
        listing = own.get();
    }
    Outcome outcome = EPDoc_RefreshFiles(listing);
    return outcome.Merge(EPDoc_RefreshWork(listing));
}

Outcome TEP_Doc::EPDoc_SetUser(const QString& user, const FolderFiles* listing)
{
    if (!m_initialised)
        return Outcome::Failure(QStringLiteral("Document non initialisé"));
    m_userSet = false;
    m_user = StrTrim(user);
    m_userSet = true;
    return EPDoc_RefreshWork(listing);
}

Outcome TEP_Doc::EPDoc_CreateFromPicture(
    const QString& name, const QString& folder, int horizontalResolution, int verticalResolution, const QImage& picture)
{
    EPDoc_Clear();
    const QString trimmedName = StrTrim(name);
    if (trimmedName.isEmpty() || trimmedName.contains(QLatin1Char('.')) || !FileNameRules::IsSafe(trimmedName))
        return Outcome::Failure(
            QStringLiteral("Un nom de document ne peut être vide ou contenir le caractère  '\\' ni un point."));
    // Never over another worksheet or folder of that name, in any letter case.
    if (const FolderFiles listing(StrTrim(folder)); listing.HasWorksheet(trimmedName) || listing.HasEntry(trimmedName))
        return Outcome::Failure(QStringLiteral("Le document ou dossier %1 existe déja.").arg(Quoted(trimmedName)));
    m_folder = StrTrim(folder);
    m_name = trimmedName;
    m_flags = JpgFile;
    const QString path = FileNameRules::Join(m_folder, m_name + QStringLiteral(".jpg"));
    QString error;
    QByteArray bytes = JpegCodec::Encode(picture, horizontalResolution, &error);
    if (bytes.isEmpty() || !JpegHeader::StampResolution(bytes, horizontalResolution, verticalResolution)
        || !SafeSave::WriteFile(path, bytes, &error)) {
        EPDoc_Clear();
        return Outcome::Failure(error);
    }
    m_initialised = true;
    Outcome outcome = EPDoc_RefreshFiles();
    if (!outcome)
        EPDoc_Clear();
    return outcome;
}

// --- Loading and saving -----------------------------------------------------------

Outcome TEP_Doc::EPDoc_LoadForUse()
{
    if (!m_userSet) {
        m_loaded = false;
        return Outcome::Failure(QStringLiteral("Document non initialisé pour l'utilisateur"));
    }
    if (Outcome named = CheckWorkName(); !named) {
        m_loaded = false;
        return named;
    }
    // Another PC (or window) with this work open would save over it.
    WorkLock::Holder holder;
    if (!m_lock.Acquire(LockPath(), &holder)) {
        m_loaded = false;
        return Outcome::Failure(WorkLock::HeldMessage(m_user, m_name, holder, LockPath()));
    }
    Outcome outcome = LoadWork();
    m_loaded = outcome.Ok();
    if (!m_loaded)
        m_lock.Release();
    return outcome;
}

bool TEP_Doc::TreeText(QStringList& lines) const
{
    lines.clear();
    return m_tree && SaveToLines(m_tree.get(), lines);
}

Outcome TEP_Doc::InitDefinition()
{
    m_tree = std::make_unique<TDPRptRect>();
    Param_Obj params;
    params.LoadFromLines(InitialDefinition());
    if (!DPRpt_Load(m_tree.get(), QStringLiteral("MAINRECT"), params))
        return Outcome::Failure(QStringLiteral("Erreur fatale : IMPOSSIBLE D'INITIALISER UN ELEMENT VIDE"));
    m_tree->SetScale(1.0f);
    return {};
}

Outcome TEP_Doc::LoadWork()
{
    const QString work = WorkPath();
    m_tree = std::make_unique<TDPRptRect>();
    m_imageItem = nullptr;
    Outcome outcome;
    if (HasWork()) {
        if (!Exists(m_imagePath) || !Exists(work))
            return Outcome::Failure(
                QStringLiteral("Le fichier %1 ou le fichier %2 n'existe pas").arg(Quoted(m_imagePath), Quoted(work)));
        Param_Obj params;
        if (!params.LoadFromFile(work) || !DPRpt_Load(m_tree.get(), QStringLiteral("MAINRECT"), params))
            return Outcome::Failure(
                QStringLiteral("Le fichier de définition %1 contient des erreurs (DPRpt_Load())").arg(Quoted(work)));
        outcome = PlaceImage(false);
    } else {
        outcome = InitDefinition();
        if (outcome)
            outcome.Merge(PlaceImage(true));
    }
    if (!outcome)
        return outcome;
    m_tree->SetScale(1.0f);
    TreeText(m_savedText);
    m_tree->SetScale(1.0f);
    m_imageItem = dynamic_cast<TDPRptImg*>(m_tree->FindByName(QStringLiteral("MAINIMG")));
    if (!m_imageItem) // the work still loads: the page is shown without its picture
        outcome.Note(QStringLiteral("Erreur interne : impossible de trouver l'élément contenant l'image du document!"));
    return outcome;
}

Outcome TEP_Doc::PlaceImage(bool newPage)
{
    if (!Exists(m_imagePath))
        return Outcome::Failure(QStringLiteral("Le fichier image %1 n'existe pas").arg(Quoted(m_imagePath)));
    // The header is enough to place the page: the picture is decoded once,
    // by the page's image item, for the size it is shown at. The markers are
    // walked to the end, so a picture cut short (a copy interrupted on the
    // network) is told about instead of showing as a blank page.
    QByteArray data;
    QSize pixels;
    QString error;
    if (!FileBytes::Read(m_imagePath, data, &error) || !JpegCodec::ReadSize(data, m_imagePath, pixels, &error))
        return Outcome::Failure(error);
    Outcome outcome;
    m_pictureProblem.clear();
    if (!JpegCodec::CheckComplete(data, m_imagePath, &m_pictureProblem))
        outcome.Note(m_pictureProblem); // the work still opens, on a blank page
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
    return outcome;
}

Outcome TEP_Doc::EPDoc_Save()
{
    if (!m_loaded)
        return Outcome::Failure(
            QStringLiteral("Impossible de sauvegarder les données du document (données non chargées)"));
    const QString work = WorkPath();
    QStringList lines;
    if (!TreeText(lines))
        return Outcome::Failure(QStringLiteral("Erreur inconnue dans la sauvegarde du fichier : %1!").arg(work));
    if (lines == m_savedText)
        return {}; // a page opened and left untouched writes no file
    m_flags |= WorkFile;
    QString cause;
    if (!TextFile::WriteLines(work, lines, nullptr, &cause))
        return Outcome::Failure(QStringLiteral("Impossible de sauvegarder le fichier : %1\n%2").arg(work, cause));
    m_files.work = FileNameOf(work);
    m_savedText = lines;
    m_lock.Refresh();
    return {};
}

Outcome TEP_Doc::EPDoc_LoadLines(const QStringList& lines)
{
    if (!m_loaded)
        return Outcome::Failure(QStringLiteral("Impossible de charger les données du document (document non chargé)"));
    Param_Obj params;
    params.LoadFromLines(lines);
    auto tree = std::make_unique<TDPRptRect>();
    if (!DPRpt_Load(tree.get(), QStringLiteral("MAINRECT"), params))
        return Outcome::Failure(QStringLiteral("Le travail retrouvé contient des erreurs (DPRpt_Load())"));
    std::swap(m_tree, tree);
    Outcome outcome = PlaceImage(false);
    if (!outcome) {
        std::swap(m_tree, tree);
        return outcome;
    }
    m_tree->SetScale(1.0f);
    m_imageItem = dynamic_cast<TDPRptImg*>(m_tree->FindByName(QStringLiteral("MAINIMG")));
    if (!m_imageItem)
        outcome.Note(QStringLiteral("Erreur interne : impossible de trouver l'élément contenant l'image du document!"));
    return outcome;
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
