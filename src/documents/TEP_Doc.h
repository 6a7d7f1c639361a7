#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

#include "WorkLock.h"
#include "params/Outcome.h"

class FolderFiles;
class TDPRptImg;
class TDPRptRect;

// One worksheet: its page picture in a documents folder and the files that
// hang on it by name (one work file per user, two sounds, a background
// layer). It loads a user's work into an item tree, saves it back when it
// changed, and renames, moves, deletes and exports the group of files.
//
// Operations that can fail return an Outcome with their French messages;
// the caller shows them. The path getters answer from the names found by the
// last listing of the folder (EPDoc_RefreshFiles, EPDoc_RefreshWork), so they
// never touch the disk: the selection screen asks them several times a
// second, over a network share.
class TEP_Doc {
public:
    enum FileFlag {
        JpgFile = 1 << 0,
        JpegFile = 1 << 1,
        WorkFile = 1 << 2,
        InstructionSound = 1 << 3,
        HelpSound = 1 << 4,
        BackgroundLayer = 1 << 5,
    };
    static constexpr int ShortSide = 2000;
    static constexpr int LongSide = 2829; // round(2000 x 297 / 210)
    static constexpr int LandscapeWidth = 2100;
    // The user part of the background layer's file name "<name>_BKL.txt".
    static inline const QString BackgroundLayerUser = QStringLiteral("BKL");
    // An exported page is A4: 297 mm by 210 mm, in inches.
    static constexpr double ExportLongInches = 11.692913385826772;
    static constexpr double ExportShortInches = 8.26771653543307;

    TEP_Doc();
    ~TEP_Doc();
    TEP_Doc(const TEP_Doc&) = delete;
    TEP_Doc& operator=(const TEP_Doc&) = delete;

    // listing: the folder's files listed once by the caller (the documents
    // tree lists each folder once for all its documents); null lists it here.
    Outcome EPDoc_Init(const QString& name, const QString& folder, const FolderFiles* listing = nullptr);
    Outcome EPDoc_CreateFromPicture(const QString& name, const QString& folder, int horizontalResolution,
        int verticalResolution, const QImage& picture);
    void EPDoc_Clear();
    Outcome EPDoc_Refresh(const FolderFiles* listing = nullptr);
    Outcome EPDoc_RefreshFiles(const FolderFiles* listing = nullptr);
    Outcome EPDoc_RefreshWork(const FolderFiles* listing = nullptr);
    Outcome EPDoc_SetUser(const QString& user, const FolderFiles* listing = nullptr);
    Outcome EPDoc_LoadForUse();
    Outcome EPDoc_Save();
    void EPDoc_Close();
    // Puts a definition text found elsewhere (recovered work) in place of
    // the loaded tree. The text saved last stays as it was, so the next
    // save writes the recovered work. On failure the tree is unchanged.
    Outcome EPDoc_LoadLines(const QStringList& lines);
    // The tree's definition text as a save would write it now.
    bool EPDoc_CurrentText(QStringList& lines) const { return TreeText(lines); }
    // A failure to rename a file after the picture's is a remark of a
    // successful outcome: the document has its new name.
    Outcome EPDoc_Rename(const QString& newName);
    Outcome EPDoc_RenameUserWork(const QString& oldUser, const QString& newUser);
    // Files that could not be moved are remarks of a successful outcome.
    Outcome EPDoc_MoveTo(const QString& folder, bool alreadyMoved);
    Outcome EPDoc_DeleteFiles();
    Outcome EPDoc_DeleteCurrentWork();
    Outcome EPDoc_DeleteWork(const QString& user);
    Outcome EPDoc_ExportJpeg(const QString& target);
    // The current user's work (or the initial page of a user without work)
    // read into a tree of its own, as exports read it: without the lock, so
    // it works while the pupil has the page open on another PC. Refused
    // while the document is loaded for editing (its tree is the one to use).
    Outcome EPDoc_ReadWorkTree(std::unique_ptr<TDPRptRect>& tree);
    // The work files "<name>_*.txt" of the document (the background layer
    // left out) and their users; with a new folder and/or name, the paths
    // each work file would have there.
    int EPDoc_ListWork(QStringList& files, QStringList& users, QStringList* newFiles = nullptr,
        const QString& newFolder = QString(), const QString& newName = QString()) const;
    bool EPDoc_IsLandscape() const;

    bool HasJpg() const { return m_flags & JpgFile; }
    bool HasJpeg() const { return m_flags & JpegFile; }
    bool HasWork() const { return m_flags & WorkFile; }
    bool HasInstructionSound() const { return m_flags & InstructionSound; }
    bool HasHelpSound() const { return m_flags & HelpSound; }
    bool HasBackgroundLayer() const { return m_flags & BackgroundLayer; }
    int FileFlags() const { return m_flags; }

    QString ImagePath() const { return m_imagePath; }
    QString WorkPath() const { return WorkPath(m_user); }
    // The current user's work as found on disk (any letter case); another
    // user's by its name.
    QString WorkPath(const QString& user) const;
    QString InstructionSoundPath() const { return KnownPath(m_files.instructionSound, QStringLiteral("_C.wav")); }
    QString HelpSoundPath() const { return KnownPath(m_files.helpSound, QStringLiteral("_A.wav")); }
    QString BackgroundLayerPath() const { return KnownPath(m_files.backgroundLayer, QStringLiteral("_BKL.txt")); }
    // The lock that marks the user's work as open ("<name>_<user>.lock").
    QString LockPath() const;

    QString Folder() const { return m_folder; }
    QString Name() const { return m_name; }
    QString CurrentUser() const { return m_user; }
    bool IsInitialised() const { return m_initialised; }
    bool IsUserSet() const { return m_userSet; }
    bool IsLoaded() const { return m_loaded; }
    TDPRptRect* Tree() const { return m_tree.get(); }
    TDPRptImg* ImageItem() const { return m_imageItem; }
    const QStringList& SavedText() const { return m_savedText; }
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    int HorizontalResolution() const { return m_horizontalResolution; }
    int VerticalResolution() const { return m_verticalResolution; }
    float FitScale() const { return m_fitScale; }
    // Why the page's picture cannot be shown whole (French), empty when it can.
    QString PictureProblem() const { return m_pictureProblem; }
    // The nine lines a user without work starts from.
    static QStringList InitialDefinition();

private:
    // The names on disk of the files that hang on the picture, as the last
    // listing found them (empty: not there).
    struct FileNames {
        QString instructionSound;
        QString helpSound;
        QString backgroundLayer;
        QString work; // the current user's
    };
    QString KnownPath(const QString& onDisk, const QString& suffix) const;
    QString OwnFileName(const QString& suffix) const { return m_name + suffix; }
    QString WorkFileName(const QString& user) const;
    void RememberWorkFile(const FolderFiles& listing);
    // Whether a file of the folder hangs on this worksheet by its name.
    bool OwnsFile(const FolderFiles& listing, const QString& fileName) const;
    // The file name of that user's work on this worksheet when it exists
    // and is this worksheet's; empty otherwise.
    QString OwnWorkFile(const FolderFiles& listing, const QString& user) const;
    // Refused when the current user's work cannot be this worksheet's: the
    // user is named as the background layer, or the work file's name is that
    // of another worksheet's work.
    Outcome CheckWorkName() const;
    // The copies kept against a power cut of this worksheet's work
    // ("<name>_*.recup", live and kept aside): file names in the folder.
    QStringList RecoveryFiles() const;
    int ExportResolution(Outcome& outcome) const;
    void ForgetUnloadedWork(bool wasLoaded);
    // Lists the folder again after the document's files changed.
    void RememberFiles();
    Outcome LoadWork();
    Outcome InitDefinition();
    Outcome PlaceImage(bool newPage);
    bool TreeText(QStringList& lines) const;

    QString m_folder;
    QString m_name;
    QString m_imagePath;
    FileNames m_files;
    TDPRptImg* m_imageItem = nullptr;
    int m_flags = 0;
    QString m_user;
    bool m_initialised = false;
    bool m_userSet = false;
    bool m_loaded = false;
    std::unique_ptr<TDPRptRect> m_tree;
    QStringList m_savedText;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_horizontalResolution = 0;
    int m_verticalResolution = 0;
    float m_fitScale = 1.0f;
    QString m_pictureProblem;
    WorkLock m_lock;
};
