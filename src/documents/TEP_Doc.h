#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

#include "WorkLock.h"

class FolderFiles;
class Messenger;
class TDPRptImg;
class TDPRptRect;

// One worksheet: its page picture in a documents folder and the files that
// hang on it by name (one work file per user, two sounds, a background
// layer). It loads a user's work into an item tree, saves it back when it
// changed, and renames, moves, deletes and exports the group of files.
//
// Operations that can fail append French sentences to an optional message
// list; messages the Part shows at once go to the messenger.
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

    explicit TEP_Doc(Messenger* messenger = nullptr);
    ~TEP_Doc();
    TEP_Doc(const TEP_Doc&) = delete;
    TEP_Doc& operator=(const TEP_Doc&) = delete;

    bool EPDoc_Init(const QString& name, const QString& folder, QStringList* messages = nullptr,
        const FolderFiles* listing = nullptr);
    bool EPDoc_CreateFromPicture(const QString& name, const QString& folder, QStringList* messages,
        int horizontalResolution, int verticalResolution, const QImage& picture);
    void EPDoc_Clear();
    bool EPDoc_Refresh(QStringList* messages = nullptr, const FolderFiles* listing = nullptr);
    // With a listing of the folder made by the caller (the documents tree
    // scans each folder once).
    bool EPDoc_RefreshFiles(QStringList* messages = nullptr, const FolderFiles* listing = nullptr);
    bool EPDoc_RefreshWork(QStringList* messages = nullptr, const FolderFiles* listing = nullptr);
    bool EPDoc_SetUser(const QString& user, QStringList* messages = nullptr, const FolderFiles* listing = nullptr);
    bool EPDoc_LoadForUse(QStringList* messages = nullptr);
    bool EPDoc_Save();
    void EPDoc_Close();
    bool EPDoc_Rename(const QString& newName, QStringList* messages = nullptr);
    bool EPDoc_RenameUserWork(const QString& oldUser, const QString& newUser, QStringList* messages = nullptr);
    bool EPDoc_MoveTo(const QString& folder, bool alreadyMoved, QStringList* messages = nullptr);
    bool EPDoc_DeleteFiles(QStringList* messages = nullptr);
    bool EPDoc_DeleteCurrentWork(QStringList* messages = nullptr);
    bool EPDoc_DeleteWork(const QString& user, QStringList* messages = nullptr);
    bool EPDoc_ExportJpeg(const QString& target, QStringList* messages = nullptr);
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
    QString WorkPath(const QString& user) const;
    QString InstructionSoundPath() const { return FilePath(QStringLiteral("_C.wav")); }
    QString HelpSoundPath() const { return FilePath(QStringLiteral("_A.wav")); }
    QString BackgroundLayerPath() const { return FilePath(QStringLiteral("_BKL.txt")); }
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
    // The nine lines a user without work starts from.
    static QStringList InitialDefinition();

private:
    QString FilePath(const QString& suffix) const;
    bool LoadWork(QStringList* messages);
    bool InitDefinition(QStringList* messages);
    bool PlaceImage(bool newPage, QStringList* messages);
    bool TreeText(QStringList& lines) const;
    void Show(const QString& text) const;
    bool Fail(QStringList* messages, const QString& text) const;

    Messenger* m_messenger;
    QString m_folder;
    QString m_name;
    QString m_imagePath;
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
    WorkLock m_lock;
};
