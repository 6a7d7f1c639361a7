// The palette's life: made once, opened and closed, following the item
// editor from one mode (main, text, item) to another and docking the panel
// that fits into the main window.
#include "TPaFrmForm.h"

#include "CommandPictures.h"
#include "TDPanel.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "platform/WindowsKeys.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>

TPaFrmForm::TPaFrmForm(TEP_Config& config, Messenger& messenger, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_config(config)
    , m_messenger(messenger)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("TPaFrmForm"));
    setWindowTitle(Caption);
    setAccessibleName(Caption);
    setAccessibleDescription(QStringLiteral("La trousse : ajout, modification et suppression des éléments"));
    RunDialog = [](QDialog& dialog) { return dialog.exec(); };
    ChooseFont = [](QFont& font, QWidget* owner) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, owner);
        if (ok)
            font = chosen;
        return ok;
    };
    TextTimer.setInterval(TextTimerMs);
    connect(&TextTimer, &QTimer::timeout, &TextTimer, &QTimer::stop);
    MouseTimer.setInterval(MouseTimerMs);
    connect(&MouseTimer, &QTimer::timeout, this, &TPaFrmForm::MouseTimerTick);
    EditTextMemoTimer.setInterval(EditTextMemoTimerMs);
    EditTextMemoTimer.setSingleShot(true);
    connect(&EditTextMemoTimer, &QTimer::timeout, this, &TPaFrmForm::RunTextMemo);
    TextCursorTimer.setInterval(TextCursorTimerMs);
    connect(&TextCursorTimer, &QTimer::timeout, this, &TPaFrmForm::TextCursorTick);
    BuildPanels();
    RememberInitialKeys();
    setFixedSize(m_mainPnl->size());
    SetMoveStep(QLatin1Char(' '));
}

TPaFrmForm::~TPaFrmForm()
{
    if (ItemEditor && ObserverIndex >= 0)
        ItemEditor->RemoveObserver(ObserverIndex);
}

// --- Parts ---------------------------------------------------------------------------------------

TDPanel* TPaFrmForm::Panel(const QString& name) const
{
    const QString wanted = name.trimmed().toUpper();
    for (const auto& panel : m_panels)
        if (panel->Name().toUpper() == wanted)
            return panel.get();
    return nullptr;
}

TDPanel* TPaFrmForm::Group(const QString& name) const
{
    return GroupsList.FindByName(name);
}

QLabel* TPaFrmForm::Control(const QString& name) const
{
    TDPanel* panel = Panel(name);
    return panel ? qobject_cast<QLabel*>(panel->Ctrl.data()) : nullptr;
}

int TPaFrmForm::DockedWidth(QWidget* panel) const
{
    if (panel != m_itEditPnl)
        return panel ? panel->width() : 0;
    int right = 0;
    for (TDPanel* member : m_itemGroup->Children())
        right = std::max(right, member->Ctrl->geometry().right() + 1);
    return right;
}

bool TPaFrmForm::SoundShown(QChar sound) const
{
    return sound == QLatin1Char('C') ? m_soundC : m_soundA;
}

const UserSettings& TPaFrmForm::PanelSettings() const
{
    return m_config.Settings;
}

void TPaFrmForm::SaveCommandDefinition(const QString& name, const QStringList& fields)
{
    const Outcome saved = m_config.SaveCommandDefinition(name, fields);
    if (saved.HasMessages())
        m_messenger.ShowMessages(saved.Messages());
}

void TPaFrmForm::PanelSelectionChanged(QWidget* control, bool selected)
{
    if (control && control->objectName() == QLatin1String("TextContent_Pnl"))
        TextContentHighlighted(selected);
}

// --- Life ------------------------------------------------------------------------------------------

void TPaFrmForm::AttachEditor(EP_ItEdt& editor)
{
    ItemEditor = &editor;
    PaletteOpen = false;
    CommandBusy = false;
    ObserverIndex = -1;
}

void TPaFrmForm::OpenPalette()
{
    if (ShownPanel || !ItemEditor)
        return;
    if (m_definitionsUser != m_config.CurrentUser())
        ApplyUserDefinitions();
    ObserverIndex = ItemEditor->AddObserver(
        [this](QObject* owner, int event, EP_ItEdt& editor) { EditorEvent(owner, event, editor); });
    ItemEditor->TextCallback = [](const QString&) {};
    SetMoveStep(QLatin1Char(' '));
    if (ItemEditor->Current()) {
        TDPanel* edit = Panel(QStringLiteral("EditIt_Pnl"));
        m_mainGroup->SelectControl(edit->Ctrl);
        m_mainGroup->CurrentChild = edit;
    }
    MainModeRefresh();
    PaletteOpen = true;
}

void TPaFrmForm::ClosePalette()
{
    if (!ShownPanel)
        return;
    StopRepeat();
    if (ItemEditor)
        ItemEditor->EndEdit(this, true);
    PaletteOpen = false;
    if (ItemEditor)
        ItemEditor->TextCallback = nullptr;
    TextCursorTimer.stop();
    ShowPanel(nullptr);
    if (ItemEditor && ObserverIndex >= 0)
        ItemEditor->RemoveObserver(ObserverIndex);
    ObserverIndex = -1;
    m_mode = 0;
}

void TPaFrmForm::EditorEvent(QObject*, int event, EP_ItEdt&)
{
    if (CommandBusy) {
        if (event == EP_ItEdt::Attached)
            MainModeRefresh();
        return;
    }
    switch (event) {
    case EP_ItEdt::Attached:
        if (PaletteOpen)
            OpenPalette();
        break;
    case EP_ItEdt::Selected:
        if (ShownPanel)
            SwitchToSelectedItem();
        break;
    case EP_ItEdt::EditEnded:
        if (ShownPanel)
            MainModeRefresh();
        break;
    case EP_ItEdt::Detaching:
        ClosePalette();
        PaletteOpen = true;
        break;
    default:
        break;
    }
}

void TPaFrmForm::SwitchToSelectedItem()
{
    RefreshTextParams();
    const int kind = SelectedKind();
    if (kind > 0)
        SetMode(ItemMode);
    else if (kind == 0)
        SetMode(TextMode);
}

int TPaFrmForm::SelectedKind() const
{
    TDPRptItem* current = ItemEditor ? ItemEditor->Current() : nullptr;
    if (const auto* drawing = dynamic_cast<TDPRptSpDr*>(current))
        return drawing->SpDrMode;
    return dynamic_cast<TDPRptText*>(current) ? 0 : -1;
}

void TPaFrmForm::MainModeRefresh()
{
    RefreshTextParams();
    SetMode(MainMode);
    UpdateSoundPictures();
}

void TPaFrmForm::UpdateSoundPictures()
{
    const TEP_Doc* document = ItemEditor ? ItemEditor->Document() : nullptr;
    m_soundC = document && document->HasInstructionSound();
    m_soundA = document && document->HasHelpSound();
    for (const auto& [name, picture, shown] :
        {std::tuple {"SoundC_Img", "sound-c", m_soundC}, std::tuple {"SoundA_Img", "sound-a", m_soundA}})
        if (auto* image = m_mainPnl->findChild<QLabel*>(QString::fromLatin1(name)))
            image->setPixmap(CommandPictures::Picture(QString::fromLatin1(picture), image->size(), !shown));
}

void TPaFrmForm::SetMode(int mode)
{
    TDPanel* group = nullptr;
    QWidget* panel = nullptr;
    switch (mode) {
    case MainMode:
        group = m_mainGroup;
        panel = m_mainPnl;
        TextTimer.stop();
        break;
    case TextMode:
        group = m_textGroup;
        panel = m_textPnl;
        TextTimer.start();
        break;
    case ItemMode:
        group = m_itemGroup;
        panel = m_itEditPnl;
        TextTimer.stop();
        break;
    default:
        return;
    }
    m_mode = mode;
    // A group left remembers its command for the next visit.
    if (ActiveGroup && ActiveGroup != group)
        if (TDPanel* last = ActiveGroup->DeepestSelected(); last && last != ActiveGroup)
            ActiveGroup->CurrentChild = last;
    ActiveGroup = group;
    if (mode == ItemMode)
        RebuildItemGroup();
    group->NavigateKey(WindowsKeys::Pause);
    if (mode == TextMode)
        TextCursorTimer.start();
    if (mode == ItemMode) {
        TDPanel* member = m_itemGroup->SelectedChild();
        if (!member || !member->IsGroup())
            member = m_itemGroup->Child(0);
        m_itemGroup->CurrentChild = member;
        for (int i = m_itemGroup->IndexOf(member) + 1; i < m_itemGroup->Count(); ++i)
            m_itemGroup->Child(i)->CurrentChild = nullptr;
        TDPanel* command = member->DeepestSelected();
        if (!command || command == member)
            command = member->FirstLeaf();
        m_itemGroup->SelectControl(command->Ctrl);
    }
    if (mode == MainMode && ItemEditor && !ItemEditor->Current()) {
        TDPanel* remembered = m_mainGroup->CurrentChild;
        const QString name = remembered ? remembered->Name() : QString();
        if (name == QLatin1String("EditIt_Pnl") || name == QLatin1String("Sup_Pnl")
            || name == QLatin1String("NextIt_Pnl") || name == QLatin1String("PrevIt_Pnl")) {
            // The item the command will act on is chosen at once; the
            // selection must not take the palette to the item's panel.
            Busy([&] { return ItemEditor->Navigate(this, EP_ItEdt::SelectFirst); });
            ItemEditor->ScrollToCurrent();
            m_mainGroup->SelectControl(remembered->Ctrl);
        }
    }
    ShowPanel(panel);
}

void TPaFrmForm::RebuildItemGroup()
{
    TDPanel* move = Group(QStringLiteral("ItMovePnl"));
    TDPanel* size = Group(QStringLiteral("ItSizePnl"));
    TDPanel* lines = Group(QStringLiteral("ItLinesPnl"));
    TDPanel* arrow = Group(QStringLiteral("ArrowItFnctPnl"));
    TDPanel* circle = Group(QStringLiteral("CircleItTypePnl"));
    TDPanel* rect = Group(QStringLiteral("RectItTypePnl"));
    for (TDPanel* member : {size, lines, arrow, circle, rect}) {
        m_itemGroup->Remove(member);
        member->Ctrl->hide();
    }
    const int kind = SelectedKind();
    const int beside = move->Ctrl->geometry().right() + 1;
    const auto join = [&](TDPanel* member, int left) {
        member->Ctrl->move(left, 0);
        member->Ctrl->show();
        m_itemGroup->Add(member);
    };
    if (kind == TDPRptSpDr::SpLines) {
        join(lines, beside);
    } else if (kind == TDPRptSpDr::SpArrow) {
        // The resize commands do not act on an arrow: its group is not
        // reachable either.
        join(arrow, beside);
    } else {
        join(size, beside);
        const int right = size->Ctrl->geometry().right() + 1;
        if (kind >= TDPRptSpDr::SpBCircle && kind <= TDPRptSpDr::SpFBCircle)
            join(circle, right);
        else if (kind >= TDPRptSpDr::SpRect && kind <= TDPRptSpDr::SpFBRect)
            join(rect, right);
    }
    m_itEditPnl->resize(DockedWidth(m_itEditPnl), m_itEditPnl->height());
}

void TPaFrmForm::ShowPanel(QWidget* panel)
{
    const bool changed = panel != ShownPanel;
    ShownPanel = panel;
    if (!changed)
        return;
    // A held command belongs to the panel that goes.
    StopRepeat();
    if (OnDockPanel) {
        OnDockPanel(panel);
        return;
    }
    // Not docked: the palette shows the panel in its own window.
    for (QWidget* top : {m_mainPnl, m_textPnl, m_itEditPnl})
        if (top->parentWidget() == this)
            top->setVisible(top == panel);
    if (panel)
        setFixedSize(DockedWidth(panel), panel->height());
}

bool TPaFrmForm::AllowsUndo() const
{
    return !(m_mode == TextMode && m_textEdt->hasFocus());
}

void TPaFrmForm::EndItemEdit()
{
    TextCursorTimer.stop();
    if (ItemEditor) {
        if (ItemEditor->HasPendingChange())
            Busy([&] {
                ItemEditor->CommitEdit(this);
                return true;
            });
        ItemEditor->EndEdit(this, true);
    }
    SetMode(MainMode);
}

bool TPaFrmForm::Busy(const std::function<bool()>& call)
{
    const bool was = CommandBusy;
    CommandBusy = true;
    const bool result = call();
    CommandBusy = was;
    return result;
}

void TPaFrmForm::SetMoveStep(QChar command)
{
    const int step = m_config.Session.SetMoveStep(command);
    m_step1->setText(QString::number(step));
    m_step2->setText(QString::number(step));
}
