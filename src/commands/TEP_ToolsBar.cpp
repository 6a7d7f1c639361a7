#include "TEP_ToolsBar.h"

#include "TEP_ToolsBarButton.h"
#include "TEP_ToolsBarFrm.h"
#include "TEP_ToolsBarGlyphs.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "platform/WindowsKeys.h"
#include "report/TDPRptSpDr.h"

#include <QFrame>
#include <QLabel>

TEP_ToolsBar::TEP_ToolsBar(Messenger& messenger, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_glyphs(std::make_unique<TEP_ToolsBarGlyphs>())
{ }

TEP_ToolsBar::~TEP_ToolsBar()
{
    if (ItemEditor && ObserverIndex >= 0)
        ItemEditor->RemoveObserver(ObserverIndex);
    // The controls lent to the host panel come back before the holder goes,
    // whoever is destroyed first.
    if (Holder)
        GiveBackControls();
}

void TEP_ToolsBar::Create(EP_ItEdt& editor, QWidget* hostPanel, QWidget* mainWindow)
{
    Q_ASSERT(hostPanel && mainWindow && !Holder);
    if (!hostPanel || !mainWindow || Holder)
        return;
    ItemEditor = &editor;
    HostPanel = hostPanel;
    MainWindow = mainWindow;
    ObserverIndex = editor.AddObserver(
        [this](QObject* owner, int event, EP_ItEdt& source) { EditorEvent(owner, event, source); });
    Holder = std::make_unique<TEP_ToolsBarFrm>(*this);
    for (int index = 0; index < int(Separators.size()); ++index)
        Separators[size_t(index)] = Holder->SepPnls.value(index);
    HostPanel->setAutoFillBackground(true);
    HostPanel->setAccessibleDescription(QStringLiteral("Les commandes à la souris, à déplacer par la poignée"));
    HostPanel->hide();
}

UserSettings& TEP_ToolsBar::Settings() const
{
    Q_ASSERT(ItemEditor);
    return ItemEditor->Config().Settings;
}

QObject* TEP_ToolsBar::EditorOwner() const
{
    return MainWindow.data();
}

int TEP_ToolsBar::ButtonSide() const
{
    return RefButtonWidth * (std::clamp(Settings().ToolbarSizeZoom, 1, 3) + 2) / 3;
}

int TEP_ToolsBar::HandleThickness() const
{
    return RefButtonHeight * (std::clamp(Settings().ToolbarSizeZoom, 1, 3) + 2) / 3;
}

// --- Showing ----------------------------------------------------------------------------------

void TEP_ToolsBar::ShowBar()
{
    if (!Holder)
        return;
    // The bar comes back where the user last put it.
    HostPanel->move(std::max(0, Settings().ToolbarLeft), std::max(0, Settings().ToolbarTop));
    Layout(IsVertical(), true);
    BarShown = true;
}

void TEP_ToolsBar::HideBar()
{
    if (!Holder)
        return;
    Holder->StopRepeat();
    ResetCreation();
    if (HostPanel)
        HostPanel->hide();
    GiveBackControls();
    BarShown = false;
}

bool TEP_ToolsBar::IsVisible() const
{
    return HostPanel && !HostPanel->isHidden();
}

void TEP_ToolsBar::SetVisible(bool visible)
{
    if (visible == IsVisible())
        return;
    if (visible)
        ShowBar();
    else
        HideBar();
}

void TEP_ToolsBar::SetVertical(bool vertical)
{
    if (!ItemEditor)
        return;
    // The stored value says "horizontal" when true.
    Settings().ToolbarHorizontal = !vertical;
    if (IsVisible())
        Layout(vertical, ItemMode);
}

bool TEP_ToolsBar::IsVertical() const
{
    return ItemEditor && !Settings().ToolbarHorizontal;
}

bool TEP_ToolsBar::KeyOffer(int) const
{
    return false;
}

void TEP_ToolsBar::EditorEvent(QObject*, int event, EP_ItEdt&)
{
    if (!Holder)
        return;
    switch (event) {
    case EP_ItEdt::Attached:
        // The bar the pupil had on comes back with the next worksheet.
        if (BarShown && !IsVisible()) {
            ShowBar();
            return;
        }
        [[fallthrough]];
    case EP_ItEdt::Selected:
    case EP_ItEdt::EditEnded:
        if (IsVisible())
            Layout(IsVertical(), true);
        break;
    case EP_ItEdt::Detaching: {
        const bool shown = BarShown;
        HideBar();
        BarShown = shown;
        break;
    }
    default:
        break;
    }
}

// --- Adding an item by a click on the page ------------------------------------------------------

bool TEP_ToolsBar::AnyCreationDown() const
{
    if (!Holder)
        return false;
    for (TEP_ToolsBarButton* button : Holder->Group(TEP_ToolsBarButton::CreationGroup))
        if (button->IsDown())
            return true;
    return false;
}

void TEP_ToolsBar::ResetCreation()
{
    if (!Holder)
        return;
    const bool wasDown = AnyCreationDown();
    for (TEP_ToolsBarButton* button : Holder->Buttons())
        if (button->ButtonRole() == TEP_ToolsBarButton::Creation)
            button->SetDown(false);
    if (wasDown && OnAddItemMode)
        OnAddItemMode(false);
}

void TEP_ToolsBar::CancelCreation()
{
    ResetCreation();
}

bool TEP_ToolsBar::PageClick(int x, int y, bool& handled)
{
    if (!Holder || !ItemEditor || !ItemEditor->Root())
        return false;
    TEP_ToolsBarButton* down = nullptr;
    for (TEP_ToolsBarButton* button : Holder->Group(TEP_ToolsBarButton::CreationGroup))
        if (button->IsDown())
            down = button;
    if (!down)
        return false;
    EP_ItEdt& editor = *ItemEditor;
    QObject* owner = EditorOwner();
    ClickX = x;
    ClickY = y;
    down->SetDown(false);
    editor.EndEdit(owner, true);
    // The editor asks where the new item goes: at the click.
    auto placement = std::move(editor.NewItemPosition);
    editor.NewItemPosition = [this, &editor](int, int, int& left, int& top) {
        const QPoint page = editor.PageImage() ? editor.PageImage()->pos() : QPoint();
        left = page.x() + ClickX;
        top = page.y() + ClickY;
        return true;
    };
    const int kind = down->Value();
    const bool added = kind == 0 ? editor.AddText(owner, Settings().TextFontName, Settings().TextFontSize)
                                 : editor.AddDrawing(owner, kind);
    editor.NewItemPosition = std::move(placement);
    if (added && kind == 0) {
        // The pupil types at once.
        editor.KeyDown(WindowsKeys::Return, 0);
    } else if (added) {
        TDPRptItem* item = editor.Current();
        editor.EndEdit(owner, false);
        if (item)
            editor.Select(owner, item);
    } else {
        m_messenger.Beep();
    }
    Layout(IsVertical(), true);
    handled = true;
    ResetCreation();
    // The add is over: the cursor shows it too.
    if (OnAddItemMode)
        OnAddItemMode(false);
    return added;
}
