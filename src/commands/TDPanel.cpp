#include "TDPanel.h"

#include "TDPanelOwner.h"

#include "config/CommandDefinition.h"
#include "config/UserSettings.h"
#include "params/StrFields.h"
#include "platform/WindowsKeys.h"

#include <QEvent>
#include <QLabel>
#include <QMap>
#include <QMouseEvent>

TDPanel::TDPanel(QLabel* control, bool autoRepeat, QWidget* companion1, QWidget* companion2, quint8 shiftState,
    quint8 keyChar, quint16 keyCode, QWidget* right, QWidget* left, QWidget* down, QWidget* up, TDPanelOwner* owner)
    : Ctrl(control)
    , RightPnl(right)
    , LeftPnl(left)
    , UpPnl(up)
    , DownPnl(down)
    , KeyCode(keyCode)
    , KeyChar(keyChar)
    , ShiftState(shiftState)
    , AutoRepeat(autoRepeat)
    , Owner(owner)
{
    Q_ASSERT(control);
    Wire(control);
    for (QWidget* companion : {companion1, companion2}) {
        if (!companion)
            continue;
        const QString name = companion->objectName();
        if (name.endsWith(QLatin1String("Lbl")))
            Lbl = qobject_cast<QLabel*>(companion);
        else if (!name.endsWith(QLatin1String("Img")))
            SubPnl = qobject_cast<QLabel*>(companion);
        Wire(companion);
    }
    if (QLabel* shown = CaptionControl())
        m_caption = shown->text();
    RefreshColours(false);
}

TDPanel::~TDPanel() = default;

QString TDPanel::Name() const
{
    return Ctrl ? Ctrl->objectName() : QString();
}

void TDPanel::Wire(QWidget* widget)
{
    widget->installEventFilter(this);
}

bool TDPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Commands only: a click on a group does nothing.
    if (!Owner || IsGroup())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            Owner->CommandPressed(*this, mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        Owner->CommandPointerMoved(*this, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Owner->CommandReleased(*this);
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void TDPanel::Add(TDPanel* panel)
{
    TDPanelTbl::Add(panel);
    panel->ParentPnl = this;
    for (TDPanel* at = this; at; at = at->ParentPnl) {
        int deepest = 0;
        for (TDPanel* child : at->m_children)
            deepest = std::max(deepest, child->Depth + 1);
        at->Depth = deepest;
    }
    RefreshColours(true);
}

// --- Keys and selection ----------------------------------------------------------------------

bool TDPanel::MatchesKey(int keyCode, int character, const QString& name)
{
    const QString wanted = name.trimmed().toUpper();
    const auto named = [&](TDPanel* found) { return found && found->Name().trimmed().toUpper() == wanted; };
    TDPanel* found = FindByKeyCode(keyCode);
    if (!named(found))
        found = FindByKeyChar(character);
    if (!named(found))
        return false;
    if (!found->Selected)
        SelectControl(found->Ctrl);
    return true;
}

TDPanel* TDPanel::Top()
{
    TDPanel* top = this;
    while (top->ParentPnl)
        top = top->ParentPnl;
    return top;
}

void TDPanel::CollectFlags(QList<QPair<TDPanel*, bool>>& flags)
{
    flags.append({this, Selected});
    for (TDPanel* child : m_children)
        child->CollectFlags(flags);
}

bool TDPanel::MarkPath(QWidget* control)
{
    if (Ctrl == control) {
        Selected = true;
        return true;
    }
    for (TDPanel* child : m_children)
        if (child->MarkPath(control)) {
            Selected = true;
            return true;
        }
    return false;
}

bool TDPanel::SelectControl(QWidget* control)
{
    TDPanel* top = Top();
    QList<QPair<TDPanel*, bool>> before;
    top->CollectFlags(before);
    top->ClearSelection();
    const bool found = control && top->MarkPath(control);
    for (const auto& [panel, was] : before)
        if (panel->Selected != was && panel->Owner)
            panel->Owner->PanelSelectionChanged(panel->Ctrl, panel->Selected);
    top->RefreshColours(true);
    return found;
}

void TDPanel::ClearSelection()
{
    Selected = false;
    for (TDPanel* child : m_children)
        child->ClearSelection();
}

TDPanel* TDPanel::SelectedChild() const
{
    for (auto it = m_children.crbegin(); it != m_children.crend(); ++it)
        if ((*it)->Selected)
            return *it;
    return nullptr;
}

TDPanel* TDPanel::DeepestSelected() const
{
    if (!Selected)
        return nullptr;
    const TDPanel* at = this;
    while (TDPanel* child = at->SelectedChild())
        at = child;
    return const_cast<TDPanel*>(at);
}

TDPanel* TDPanel::FirstLeaf()
{
    TDPanel* at = this;
    while (at->Count() > 0)
        at = at->Child(0);
    return at;
}

void TDPanel::EnterMember(TDPanel* member)
{
    if (member->CurrentChild && member->CurrentChild->Ctrl) {
        SelectControl(member->CurrentChild->Ctrl);
        return;
    }
    SelectControl(member->FirstLeaf()->Ctrl);
}

bool TDPanel::NavigateKey(int keyCode)
{
    if (ParentPnl)
        return false;
    switch (keyCode) {
    case WindowsKeys::Pause:
        if (CurrentChild && CurrentChild->Ctrl)
            SelectControl(CurrentChild->Ctrl);
        else {
            CurrentChild = FirstLeaf();
            SelectControl(CurrentChild->Ctrl);
        }
        return true;
    case WindowsKeys::Escape:
        CurrentChild = DeepestSelected();
        if (TDPanel* member = SelectedChild())
            member->CurrentChild = CurrentChild;
        SelectControl(nullptr);
        return true;
    case WindowsKeys::Left:
    case WindowsKeys::Up:
    case WindowsKeys::Right:
    case WindowsKeys::Down: {
        CurrentChild = DeepestSelected();
        if (!CurrentChild)
            return true;
        QWidget* next = keyCode == WindowsKeys::Left ? CurrentChild->LeftPnl
            : keyCode == WindowsKeys::Up             ? CurrentChild->UpPnl
            : keyCode == WindowsKeys::Right          ? CurrentChild->RightPnl
                                                     : CurrentChild->DownPnl;
        if (next)
            SelectControl(next);
        return true;
    }
    case WindowsKeys::F1 + 3: { // F4: the next member group
        TDPanel* member = SelectedChild();
        if (member && member->IsGroup() && Count() > 1) {
            member->CurrentChild = DeepestSelected();
            EnterMember(Child((IndexOf(member) + 1) % Count()));
        }
        return true;
    }
    default:
        return false;
    }
}

// --- Clicks ------------------------------------------------------------------------------------

void TDPanel::Activate()
{
    if (IsGroup() || !Owner)
        return;
    if (Owner->PanelSettings().ToolsOneClick) {
        if (!Selected)
            SelectControl(Ctrl);
        Fire();
        return;
    }
    if (!Selected)
        SelectControl(Ctrl);
    else
        Fire();
}

void TDPanel::Fire()
{
    if (!Owner)
        return;
    // Letters are fired as characters; a letter redefined without Shift has
    // no character, and its key fires it.
    const bool letter = KeyCode >= WindowsKeys::LetterA && KeyCode <= WindowsKeys::LetterZ;
    if (KeyCode != 0 && (!letter || KeyChar == 0))
        Owner->KeyDown(KeyCode, ShiftState);
    else if (KeyChar != 0)
        Owner->KeyPress(KeyChar);
}

// --- Definitions -------------------------------------------------------------------------------

QLabel* TDPanel::CaptionControl() const
{
    if (Lbl)
        return Lbl;
    if (SubPnl)
        return SubPnl;
    return qobject_cast<QLabel*>(Ctrl.data());
}

QString TDPanel::Caption() const
{
    return m_caption;
}

QString TDPanel::DisplayedCaption(const QString& stored)
{
    QString shown;
    for (int i = 0; i < stored.size(); ++i) {
        if (stored[i] != QLatin1Char('&'))
            shown += stored[i];
        else if (i + 1 < stored.size() && stored[i + 1] == QLatin1Char('&'))
            shown += stored[++i];
    }
    return shown;
}

void TDPanel::SetCaption(const QString& stored)
{
    m_caption = stored;
    if (QLabel* shown = CaptionControl()) {
        // "<B>", "<i>", "<S>" are key names, not markup.
        shown->setTextFormat(Qt::PlainText);
        shown->setText(DisplayedCaption(stored));
    }
}

QStringList TDPanel::GetDefinition() const
{
    CommandDefinition definition;
    definition.KeyCode = KeyCode;
    definition.KeyChar = KeyChar;
    definition.Caption = m_caption;
    if (const QLabel* shown = CaptionControl()) {
        definition.FontName = shown->font().family();
        definition.FontSize = shown->font().pointSize();
    }
    return definition.Fields();
}

void TDPanel::ApplyDefinition(const QStringList& fields)
{
    CommandDefinition definition;
    definition.KeyCode = KeyCode;
    definition.KeyChar = KeyChar;
    definition.Caption = m_caption;
    QLabel* shown = CaptionControl();
    if (shown) {
        definition.FontName = shown->font().family();
        definition.FontSize = shown->font().pointSize();
    }
    definition.Apply(fields);
    KeyCode = quint16(definition.KeyCode);
    KeyChar = quint8(definition.KeyChar);
    SetCaption(definition.Caption);
    if (shown) {
        QFont font = shown->font();
        if (!definition.FontName.isEmpty())
            font.setFamily(definition.FontName);
        if (definition.FontSize > 0)
            font.setPointSize(definition.FontSize);
        shown->setFont(font);
    }
}

void TDPanel::SaveDefinition() const
{
    if (!Owner)
        return;
    QStringList fields = GetDefinition();
    // A control character (Enter, Backspace) would cut the settings line or
    // put a control byte in the file; the character code says it all.
    if (KeyChar < 32)
        fields[2].clear();
    // ";" separates the fields of the stored line.
    fields[5].replace(QLatin1Char(';'), QLatin1Char(' '));
    Owner->SaveCommandDefinition(Name(), fields);
}

// --- Neighbours and colours ----------------------------------------------------------------------

void TDPanel::SetNeighbours(QWidget* right, QWidget* left, QWidget* down, QWidget* up)
{
    RightPnl = right;
    LeftPnl = left;
    DownPnl = down;
    UpPnl = up;
}

void TDPanel::BuildNeighbours()
{
    const auto padded = [](int value) { return QString::number(value).rightJustified(5, QLatin1Char(' ')); };
    // Rows by top edge, members by left edge, both as padded text so that
    // they sort as the numbers do.
    QMap<QString, QMap<QString, TDPanel*>> rows;
    for (TDPanel* member : m_children)
        if (member->Ctrl)
            rows[padded(member->Ctrl->y())].insert(padded(member->Ctrl->x()), member);
    const QList<QList<TDPanel*>> ordered = [&] {
        QList<QList<TDPanel*>> list;
        for (const auto& row : rows)
            list.append(row.values());
        return list;
    }();
    const int rowCount = int(ordered.size());
    const auto vertical = [](const QList<TDPanel*>& row, const TDPanel* member) -> QWidget* {
        const int left = member->Ctrl->x();
        for (TDPanel* other : row)
            if (other->Ctrl->x() + other->Ctrl->width() - 1 > left || other->Ctrl->x() >= left)
                return other->Ctrl;
        return row.last()->Ctrl;
    };
    for (int r = 0; r < rowCount; ++r) {
        const QList<TDPanel*>& row = ordered[r];
        const QList<TDPanel*>& previous = ordered[(r + rowCount - 1) % rowCount];
        const QList<TDPanel*>& next = ordered[(r + 1) % rowCount];
        for (int m = 0; m < row.size(); ++m) {
            TDPanel* member = row[m];
            member->LeftPnl = m > 0 ? row[m - 1]->Ctrl : previous.last()->Ctrl;
            member->RightPnl = m + 1 < row.size() ? row[m + 1]->Ctrl : next.first()->Ctrl;
            member->UpPnl = vertical(previous, member);
            member->DownPnl = vertical(next, member);
        }
    }
}

void TDPanel::RefreshColours(bool recursive)
{
    if (Ctrl && Owner) {
        const UserSettings& settings = Owner->PanelSettings();
        const bool group = IsGroup();
        const RgbColor back = group ? (Selected ? settings.ActiveGroupPanel : settings.InactiveGroupPanel)
                                    : (Selected ? settings.ActivePanel : settings.InactivePanel);
        const RgbColor text = group ? (Selected ? settings.ActiveGroupLabel : settings.InactiveGroupLabel)
                                    : (Selected ? settings.ActiveLabel : settings.InactiveLabel);
        QPalette palette = Ctrl->palette();
        palette.setColor(QPalette::Window, back.ToQColor());
        palette.setColor(QPalette::WindowText, text.ToQColor());
        Ctrl->setPalette(palette);
        Ctrl->setAutoFillBackground(true);
        if (Lbl) {
            QPalette labelPalette = Lbl->palette();
            labelPalette.setColor(QPalette::WindowText, text.ToQColor());
            Lbl->setPalette(labelPalette);
        }
    }
    if (recursive)
        for (TDPanel* child : m_children)
            child->RefreshColours(true);
}
