#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class Clock;
class DocumentChooser;
class EP_ItEdt;
class Messenger;
class PageScrollBox;
class QLabel;
class ReadAloud;
class RecoveryJournal;
class SplashWindow;
class TDPRptItem;
class TEPSND_DocSoundPlayer;
class TEP_Config;
class TEP_ToolsBar;

// The program's one main window: it starts the program (data root,
// splash, sounds, configuration, command hosts), lets the pupil choose a
// worksheet, shows it as a page at one of three zoom levels for the item
// editor, and saves the pupil's work before another worksheet or the
// selection screen is shown. The program ends when the selection screen is
// left without a worksheet.
//
// The palette, the toolbar and the key dispatch come to the window through
// its host panels and hooks; a hook not set is skipped.
class TEP_Frm : public QWidget {
    Q_OBJECT
public:
    static inline const QString CaptionStart = QStringLiteral("Ardoisine 4.00 ");
    static inline const QString NoDocumentCaption = QStringLiteral(" Nouveau fichier");
    static inline const QString UseEscMessage = QStringLiteral("Utilisez la touche <Esc> pour sortir de Ardoisine.");
    static inline const QString MainPanelStatus = QStringLiteral("Ajout/Suppression d'éléments, commandes générales");
    static inline const QString ItemPanelStatus = QStringLiteral("Modification de l'élément");
    static inline const QString LockedStatus = QStringLiteral(" (position de la trousse verrouillée)");
    static constexpr int PageWidth = 2100; // A4, tenths of a millimetre
    static constexpr int PageHeight = 2970;
    static constexpr int HintPointSize = 24;
    enum ZoomLevel { CurrentZoom = 0, FitZoom = 1, FullZoom = 2, LargeZoom = 3 };

    TEP_Frm(TEP_Config& config, Messenger& messenger, const Clock& clock, QWidget* parent = nullptr);
    ~TEP_Frm() override;

    // --- Operations ---
    // The start-up sequence; false ends the program.
    bool Initialize(const QStringList& parameters);
    bool RunSelection();
    bool ShowDocument();
    void SaveWork();
    void SetZoom(int level);
    bool ZoomInOut(bool up);
    bool GoToSiblingDocument(bool previous);
    void RedrawPage();
    void UpdateCaption();
    void SetAddItemMode(bool on);
    void DockPanel(QWidget* panel);
    void UpdateToolsStatus();
    void PrintDocument();
    // Esc on the page: the sheet goes, the selection screen comes; without a
    // worksheet chosen the program ends.
    void LeaveDocument();
    // The session ends (logout, shutdown, SIGTERM): the open worksheet's work
    // and the settings are saved, then the program quits.
    void EndSession();

    // --- Hooks (the program's unless a test or a later part sets them) ---
    // The selection screen, made at the first selection and kept.
    std::function<std::unique_ptr<DocumentChooser>()> MakeChooser;
    // The sound player, made once at start (step 9); none: no sounds.
    std::function<std::unique_ptr<TEPSND_DocSoundPlayer>()> MakeSoundPlayer;
    // Shows the splash until it closes; the program's runs it modally.
    std::function<void(SplashWindow& splash)> ShowSplash;
    // Ends the event loop; the program's exits the application.
    std::function<void()> Quit;
    // The palette's: the width ToolsPnl takes for a docked panel (the right
    // edge of the sub-panel that matches what is edited); unset: the
    // panel's width.
    std::function<int(QWidget* panel)> DockedPanelWidth;
    // The palette's main panel (the status text names it).
    QPointer<QWidget> PaletteMainPanel;
    // The palette window's height, which places it when no place is stored;
    // unset: ToolsPnl's.
    std::function<int()> PaletteHeight;
    // The key and mouse dispatch of the page: true when it took the key.
    std::function<bool(QKeyEvent* event)> KeyDispatch;
    // Told after a worksheet is shown and after the page is drawn again.
    std::function<void()> AfterShow;

    // --- State ---
    QString WorkDir;
    TDPRptItem* RootItem = nullptr;
    int ZoomIndex = 1;
    float ZoomFactor = 1.0f;
    std::array<float, 3> ZoomTable {1.0f, 1.0f, 1.5f};
    bool AddItemMode = false;
    bool ToolsLocked = false;
    bool ToolsDragging = false;
    int ToolsDragX = 0;
    int ToolsDragY = 0;
    QWidget* DockedPanel = nullptr;
    // Screen pixels per inch (the screen's logical resolution).
    double ScreenPpi = 96.0;

    EP_ItEdt& Editor() const { return *m_editor; }
    TEP_Config& Config() const { return m_config; }
    PageScrollBox* EditSCBox() const { return m_scrollBox; }
    QWidget* ToolsPnl() const { return m_toolsPanel; }
    QLabel* ToolsPnlTopPnl() const { return m_toolsTitle; }
    QLabel* PinImage() const { return m_pinImage; }
    QWidget* ToolsBarPnl() const { return m_toolbarHost; }
    QWidget* BkLayerToolsBarPnl() const { return m_backgroundToolbarHost; }
    TEPSND_DocSoundPlayer* SoundPlayer() const { return m_player.get(); }
    // The toolbar over the page, made at start (none before).
    TEP_ToolsBar* ToolsBar() const { return m_toolsBar.get(); }
    DocumentChooser* Chooser() const { return m_chooser.get(); }
    RecoveryJournal& Journal() const { return *m_journal; }
    ReadAloud& Reading() const { return *m_reading; }
    int RedrawCount() const { return m_redraws; }
    // Pixels per tenth of a millimetre at 100 % and at the current zoom.
    float ScreenScale() const;
    float DrawingScale() const;
    // The A4 sheet the open worksheet sits on, in tenths of a millimetre:
    // landscape when the worksheet is wider than 2100.
    QSize PageUnits() const;
    // The sheet and the page image in pixels at the current zoom.
    QSize SheetPixels() const;
    QSize PagePixels() const;
    // The fit-to-window factor for the window's client area now.
    float FitFactor() const;
    // Places ToolsPnl where the user's settings say, or where a new
    // palette goes (the place then written back into the settings).
    void PlaceToolsPanel();

    // The reading keys (F11, Esc while speech plays), before any other
    // handler of the window's keys; true when the key was taken.
    bool TakeReadingKey(QKeyEvent* event);

    // The program frees its sound player before the application object.
    void ReleaseSoundPlayer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void BuildToolsPanel();
    void ShowMaximised();
    void RunSplash();
    void ApplyHintFont();
    void LayOutPage();
    void Show(const QStringList& messages);
    void ToolsTitleMouse(QEvent* event);
    void CreateToolsBar();
    bool ToolsBarPendingKey(QKeyEvent* event);
    bool ToolsBarKey(QKeyEvent* event);
    bool OfferPageClick(QEvent* event);
    QSize ClientSize() const;

    TEP_Config& m_config;
    Messenger& m_messenger;
    const Clock& m_clock;
    std::unique_ptr<EP_ItEdt> m_editor;
    std::unique_ptr<RecoveryJournal> m_journal;
    ReadAloud* m_reading = nullptr;
    std::unique_ptr<TEPSND_DocSoundPlayer> m_player;
    std::unique_ptr<DocumentChooser> m_chooser;
    std::unique_ptr<TEP_ToolsBar> m_toolsBar;
    PageScrollBox* m_scrollBox = nullptr;
    QWidget* m_toolsPanel = nullptr;
    QLabel* m_toolsTitle = nullptr;
    QLabel* m_pinImage = nullptr;
    QWidget* m_toolsContent = nullptr;
    QWidget* m_toolbarHost = nullptr;
    QWidget* m_backgroundToolbarHost = nullptr;
    QPointer<QWidget> m_dockedHome; // where a docked panel goes back to
    int m_redraws = 0;
    bool m_ending = false;
};
