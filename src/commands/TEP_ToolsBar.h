#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class Clock;
class EP_ItEdt;
class Messenger;
class QFrame;
class QWidget;
class TDPRptItem;
class TEP_ToolsBarButton;
class TEP_ToolsBarFrm;
class TEP_ToolsBarGlyphs;
class UserSettings;

// The toolbar: a movable strip of small buttons over the worksheet, the
// mouse's way to the commands. In general mode it adds items (a creation
// button, then a click on the page), changes pages, plays the worksheet's
// sounds, zooms and prints; in item mode it changes the selected item
// (colour, size, pen, type, arrow, text font). It lays its controls out on
// the main window's host panel, horizontally or vertically, in three sizes,
// and follows the item editor's events.
class TEP_ToolsBar : public QObject {
    Q_OBJECT
public:
    static constexpr int RefButtonWidth = 23; // the reference button: the base of all sizes
    static constexpr int RefButtonHeight = 22;
    static constexpr int SeparatorThickness = 4;
    static constexpr int Gap = 2;
    static constexpr int ArrowTurn = 10; // degrees
    static constexpr int ArrowLengthStep = 30; // tenths of a millimetre
    static constexpr int PenStep = 2;

    TEP_ToolsBar(Messenger& messenger, const Clock& clock, QObject* parent = nullptr);
    ~TEP_ToolsBar() override;

    // --- Operations ---
    // Registers with the editor, makes the holder and its controls. The
    // host panel and the main window (whose client area bounds the bar)
    // belong to the caller; the callbacks are set on the fields below.
    void Create(EP_ItEdt& editor, QWidget* hostPanel, QWidget* mainWindow);
    void ShowBar();
    void HideBar();
    bool IsVisible() const;
    void SetVisible(bool visible);
    void SetVertical(bool vertical);
    bool IsVertical() const;
    void Layout(bool vertical, bool itemMode);
    // The bar takes no keys: every key goes on to the page.
    bool KeyOffer(int key) const;
    // A click on the page (page image pixels) while a creation button is
    // down places the new item there; handled says the click was used.
    bool PageClick(int x, int y, bool& handled);
    bool AnyCreationDown() const;
    void EditorEvent(QObject* owner, int event, EP_ItEdt& editor);
    // A pending add given up (a character typed, Space): the creation
    // buttons go up and the add-item cursor goes.
    void CancelCreation();

    // --- Callbacks of the main window ---
    std::function<bool(bool up)> OnZoomInOut;
    std::function<void()> OnPrint;
    std::function<bool(bool previous)> OnSiblingDocument;
    std::function<void(bool on)> OnAddItemMode;
    // Plays the worksheet's sound: 'C' the instruction, 'A' the help.
    std::function<void(QChar letter)> OnPlaySound;

    // --- State ---
    bool ItemMode = false;
    EP_ItEdt* ItemEditor = nullptr;
    int ObserverIndex = -1;
    QPointer<QWidget> HostPanel;
    QPointer<QWidget> MainWindow;
    bool Enlarge = true;
    TEP_ToolsBarButton* RepeatButton = nullptr;
    bool DragLocked = false;
    int SeparatorIndex = 0;
    std::array<QFrame*, 8> Separators {};
    int ClickX = 0;
    int ClickY = 0;
    std::unique_ptr<TEP_ToolsBarFrm> Holder;
    bool BarShown = false;

    UserSettings& Settings() const;
    Messenger& Messages() const { return m_messenger; }
    const Clock& Time() const { return m_clock; }
    TEP_ToolsBarGlyphs& Glyphs() const { return *m_glyphs; }
    // The button side and the handle thickness for the size step now.
    int ButtonSide() const;
    int HandleThickness() const;
    // How many layouts have run (a press that laid the bar out again does
    // not repeat: its release went with the old layout).
    int LayoutCount() const { return m_layouts; }
    // The owner the bar acts for in the editor.
    QObject* EditorOwner() const;

private:
    QList<QWidget*> GeneralControls();
    QList<QWidget*> ItemControls(TDPRptItem& item);
    QFrame* NextSeparator();
    void ShowStates(TDPRptItem* item);
    void ApplyGlyphs();
    void PlaceControls(const QList<QWidget*>& controls, bool vertical);
    void KeepInsideWindow();
    void GiveBackControls();
    QString HintStyleSheet() const;
    void ResetCreation();

    Messenger& m_messenger;
    const Clock& m_clock;
    std::unique_ptr<TEP_ToolsBarGlyphs> m_glyphs;
    int m_layouts = 0;
};
