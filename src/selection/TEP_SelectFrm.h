#pragma once

#include "SelectionRules.h"
#include "documents/DocsTreeListener.h"
#include "params/Outcome.h"
#include "sound/SoundListener.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class Clock;
class DocumentPreview;
class ExternalCapture;
class KeyPanel;
class Messenger;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QWidget;
struct ScanResult;
class Scanner;
class SelectionDialogs;
class TEPSND_DocSoundPlayer;
class TEP_Config;
class TEP_Doc;
class TEP_DocsNode;
class TEP_DocsTree;
struct ScannerDevice;

// The selection screen: between two worksheets the pupil chooses a name and
// a worksheet here; a teacher, after the settings password, scans, imports,
// rotates and exports worksheets, organises the folders and deletes work.
// The documents view is on the left of the preview, the command panels
// with their keys in a column, the sound panel under them.
//
// The main window runs ChooseDocument before showing a worksheet and after
// leaving one. The screen keeps no worksheet of its own: it asks the
// documents view for the selection each time, and the sound player is
// given none before a worksheet leaves the tree.
class TEP_SelectFrm : public QDialog, private DocsTreeListener, private SoundListener {
    Q_OBJECT

public:
    using Command = SelectionRules::Command;
    // How one showing of the screen ended.
    enum Showing { Closed = 0, Opened = 1, Quit = 2, SettingsAsked = 3 };

    static inline const QString Caption = QStringLiteral("Sélection du document");
    static constexpr int PreviewTick = 250; // ms
    static constexpr int PreviewDelay = 1500; // ms after the last selection change
    static constexpr int ExpandGuard = 800; // ms after an expand or collapse

    // The player may be null (no sounds); the dialogs are the program's
    // windows unless a test gives its own.
    TEP_SelectFrm(TEP_Config& config, Messenger& messenger, const Clock& clock, TEPSND_DocSoundPlayer* player,
        SelectionDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~TEP_SelectFrm() override;

    // The selection loop: true when a worksheet was opened for the current
    // user (the configuration's current document); false when the user
    // quits.
    bool ChooseDocument();

    // --- Hooks of the main window and of the tests ---
    // Shows the screen modally and returns how it ended (Showing); the
    // program's is exec().
    std::function<int()> RunModal;
    // Key "C" in settings mode: the settings dialog, once it exists; true
    // when it changed how pictures are read. Unset: "C" does nothing.
    std::function<bool()> OpenSettingsDialog;
    // "Imprimer": prints a worksheet with the current user's work; the
    // program's makes it current for the print (PrintSelectedDocument).
    std::function<void(TEP_Doc& document)> PrintHandler;
    // The scanner; the program's is SANE, made at the first scan.
    void SetScanner(Scanner* scanner);

    // --- Commands ---
    // Runs a command of a panel, a key or a button.
    void RunCommand(Command command);
    // A key as the rules see it; true when it ran a command.
    bool HandleKey(const TranslatedKey& key);
    Outcome ExportWork(TEP_Doc& document);
    // The work of the pupils chosen on the worksheets of a folder and of
    // its folders, in one PDF of the export folder.
    Outcome ExportClassWork(const TEP_DocsNode& folder);
    void Scan();
    void Rotate(bool clockwise);
    void DeleteDocumentWork(bool allUsers);
    void DeleteFolderWork(bool allUsers);
    void DeleteAllWorkOfUser();
    void DeleteSelectedEntry();
    void ImportDocument(bool copy);
    void EditNames();
    // The popup menu of the mode, its entries enabled as the selection
    // allows.
    std::unique_ptr<QMenu> MakePopupMenu();

    // --- State the main window and the tests read ---
    bool SettingsMode() const { return m_settingsMode; }
    void SetSettingsMode(bool settingsMode) { m_settingsMode = settingsMode; }
    bool IsScanning() const { return m_scanning; }
    bool AsksPassword() const { return m_askPassword; }
    // The worksheet of the selected entry, or none.
    TEP_Doc* SelectedDocument() const;
    TEP_DocsTree* Tree() const { return m_tree; }
    DocumentPreview* Preview() const { return m_preview; }
    QLabel* InfoLabel() const { return m_infoLabel; }
    QLabel* PrinterLabel() const { return m_printerLabel; }
    QLabel* InstructionLabel() const { return m_instructionLabel; }
    QLabel* HelpLabel() const { return m_helpLabel; }
    QWidget* SoundHost() const { return m_soundHost; }
    KeyPanel* Panel(Command command) const;
    QPushButton* NamesButton() const { return m_namesButton; }
    QWidget* SettingsButtons() const { return m_settingsButtons; }
    // One look at the preview's clock (the timer calls it every 250 ms).
    void PreviewTickNow();
    void RedrawPreview();
    void UpdateCaption();
    void UpdatePrinterLabel();
    void UpdateSoundLabels();
    // The settings password question ("Mot de passe"), also asked by the
    // palette before a key is redefined; true when passed.
    bool AskSettingsPassword();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void changeEvent(QEvent* event) override;

private:
    // Layout
    void BuildLayout();
    QWidget* BuildCommandColumn();
    KeyPanel* AddPanel(Command command, const QString& caption, const QString& name, const QString& description);
    void ConnectTree();
    void PlaceOnScreen();
    // The loop
    int ShowScreen();
    void SetUpMode();
    void ScreenClosing();
    void CloseAs(Showing showing);
    void NewPassword();
    bool ChooseUserName(bool& askName);
    // Commands
    void OpenSelected();
    void AskQuit();
    void Configure();
    void PlaySound(QChar letter);
    void SelectionChanged();
    void DoubleClicked(TEP_DocsNode* node);
    void Print();
    void ShowOutcome(const Outcome& outcome) const;
    void ChooseSelectionColor();
    void ChooseTreeFont();
    void EditEntryLook();
    void RefreshTree();
    // Menus (TEP_SelectFrmMenus.cpp)
    void FillSettingsMenu(QMenu& menu);
    void FillPupilMenu(QMenu& menu);
    void AddImportMenu(QMenu& menu, bool enabled);
    TEP_DocsNode* SelectedFolder() const;
    void RefreshDocuments(TEP_DocsNode* folder, bool recursive);
    // Scanning (TEP_SelectFrmScan.cpp)
    void ScanWithScanner();
    void CaptureExternally();
    void DevicesListed(const QList<ScannerDevice>& devices, const QString& error);
    void ScanFinished(const ScanResult& result);
    void CaptureFinished(const ScanResult& result);
    bool AskPageName(QString& name, bool& replace);
    void AddScannedPage(const ScanResult& result, const QString& name, bool replace);
    Outcome ReplacePicture(const QString& name, const ScanResult& result);
    Scanner& TheScanner();
    // Notifications
    void NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last) override;
    void SoundsChanged(TEP_Doc* document) override;

    TEP_Config& m_config;
    Messenger& m_messenger;
    const Clock& m_clock;
    TEPSND_DocSoundPlayer* m_player;
    std::unique_ptr<SelectionDialogs> m_ownDialogs;
    SelectionDialogs* m_dialogs;
    TEP_DocsNode* m_listenedRoot = nullptr;

    TEP_DocsTree* m_tree = nullptr;
    QSplitter* m_splitter = nullptr;
    DocumentPreview* m_preview = nullptr;
    QLabel* m_infoLabel = nullptr;
    QLabel* m_printerLabel = nullptr;
    QLabel* m_instructionLabel = nullptr;
    QLabel* m_helpLabel = nullptr;
    QWidget* m_soundHost = nullptr;
    QWidget* m_pupilPanels = nullptr;
    QWidget* m_settingsButtons = nullptr;
    QPushButton* m_namesButton = nullptr;
    QList<QPair<Command, KeyPanel*>> m_panels;
    QTimer m_previewTimer;

    bool m_settingsMode = false;
    bool m_scanning = false;
    bool m_closing = false;
    bool m_firstShowing = true;
    bool m_askPassword = true;
    bool m_previewPending = false;
    qint64 m_selectionStamp = 0;
    qint64 m_expandStamp = -1;
    int m_showing = Closed;

    Scanner* m_scanner = nullptr;
    std::unique_ptr<Scanner> m_ownScanner;
    QString m_lastDevice;
    QPointer<ExternalCapture> m_capture;
    QString m_captureName;
    bool m_captureReplaces = false;
};
