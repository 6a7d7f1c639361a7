#include "TEP_UndoList.h"

#include "EP_ItEdt.h"
#include "ImageWidget.h"
#include "ItemColors.h"
#include "PageScrollBox.h"

#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <array>
#include <initializer_list>

TEP_UndoList::TEP_UndoList(EP_ItEdt& owner)
    : m_owner(owner)
{ }

TEP_UndoList::~TEP_UndoList() = default;

// --- Recording ----------------------------------------------------------------

std::unique_ptr<TEP_Undo> TEP_UndoList::Snapshot(int kind) const
{
    const TDPRptItem* item = m_owner.Current();
    if (Replaying || !item)
        return nullptr;
    auto record = std::make_unique<TEP_Undo>(kind, item->Name);
    const QRect surface = m_owner.SurfaceOnPage();
    record->Left = surface.left();
    record->Top = surface.top();
    record->Width = surface.width();
    record->Height = surface.height();
    record->PenSize = ItemColors::PenSizeOf(*item);
    record->UnitWidth = item->Width;
    record->UnitHeight = item->Height;
    record->PosX = item->PosX;
    record->PosY = item->PosY;
    record->Color = ItemColors::ColorOf(*item);
    if (const auto* text = dynamic_cast<const TDPRptText*>(item)) {
        record->Text = text->Value;
        record->Caret = text->EditState.CaretPosition;
    }
    return record;
}

const TEP_Undo* TEP_UndoList::Append(std::unique_ptr<TEP_Undo> record, bool collapse, bool compact)
{
    if (!record)
        return nullptr;
    if (Changed)
        Changed();
    if (collapse && !m_records.empty() && m_records.back()->SameSnapshot(*record))
        return nullptr;
    const TEP_Undo* appended = record.get();
    m_records.push_back(std::move(record));
    if (compact) {
        Compact();
        if (m_records.back().get() != appended)
            return nullptr;
    }
    return appended;
}

const TEP_Undo* TEP_UndoList::RecordSelection()
{
    return Append(Snapshot(TEP_Undo::Selected), true, false);
}

const TEP_Undo* TEP_UndoList::RecordCreation()
{
    const TEP_Undo* creation = Append(Snapshot(TEP_Undo::Created), false, false);
    if (creation)
        Append(Snapshot(TEP_Undo::Selected), false, false);
    return creation;
}

const TEP_Undo* TEP_UndoList::RecordCarryStart(const TDPRptItem& item)
{
    if (Replaying)
        return nullptr;
    auto record = std::make_unique<TEP_Undo>(TEP_Undo::CarryStarted, item.Name);
    record->PosX = item.PosX;
    record->PosY = item.PosY;
    return Append(std::move(record), true, false);
}

const TEP_Undo* TEP_UndoList::RecordSurfaceDrag()
{
    return Append(Snapshot(TEP_Undo::SurfaceDragged), true, true);
}

const TEP_Undo* TEP_UndoList::RecordMove()
{
    return Append(Snapshot(TEP_Undo::Moved), true, true);
}

const TEP_Undo* TEP_UndoList::RecordResize()
{
    return Append(Snapshot(TEP_Undo::Resized), true, true);
}

const TEP_Undo* TEP_UndoList::RecordGeometry()
{
    return Append(Snapshot(TEP_Undo::GeometrySnapshot), true, false);
}

const TEP_Undo* TEP_UndoList::RecordColor()
{
    return Append(Snapshot(TEP_Undo::ColorChanged), false, false);
}

const TEP_Undo* TEP_UndoList::RecordText()
{
    return Append(Snapshot(TEP_Undo::TextChanged), false, true);
}

const TEP_Undo* TEP_UndoList::RecordCaret()
{
    return Append(Snapshot(TEP_Undo::CaretMoved), false, true);
}

const TEP_Undo* TEP_UndoList::BeginGroup(int flag)
{
    std::unique_ptr<TEP_Undo> record = Snapshot(TEP_Undo::Reshaped);
    if (!record)
        return nullptr;
    record->Flag = flag;
    record->SavedState = m_owner.Current()->DeepCopy();
    return Append(std::move(record), false, false);
}

const TEP_Undo* TEP_UndoList::RecordDeletion(const QString& name, int index, std::unique_ptr<TDPRptItem> item)
{
    if (Replaying || !item)
        return nullptr;
    auto record = std::make_unique<TEP_Undo>(TEP_Undo::Deleted, name);
    record->Index = index;
    record->DeletedItem = std::move(item);
    return Append(std::move(record), false, false);
}

void TEP_UndoList::Cancel(const TEP_Undo* record)
{
    if (!record)
        return;
    for (auto it = m_records.begin(); it != m_records.end(); ++it)
        if (it->get() == record) {
            m_records.erase(it);
            return;
        }
}

void TEP_UndoList::Compact()
{
    static const std::array<std::initializer_list<int>, 6> groups
        = {{{TEP_Undo::CarryStarted, TEP_Undo::Moved}, {TEP_Undo::Resized}, {TEP_Undo::GeometrySnapshot},
            {TEP_Undo::TextChanged}, {TEP_Undo::CaretMoved}, {TEP_Undo::Reshaped}}};
    for (const auto& group : groups) {
        while (m_records.size() >= 2) {
            const TEP_Undo& newest = *m_records.back();
            const TEP_Undo& before = *m_records[m_records.size() - 2];
            if (std::find(group.begin(), group.end(), newest.Kind) == group.end() || before.Kind != newest.Kind
                || before.Flag != newest.Flag || before.ItemName.compare(newest.ItemName, Qt::CaseInsensitive) != 0)
                break;
            m_records.pop_back();
        }
    }
}

void TEP_UndoList::Clear()
{
    m_records.clear();
}

// --- Replaying ------------------------------------------------------------------

void TEP_UndoList::Undo()
{
    // An undo asked for from inside a replayed step (an observer) waits.
    if (m_records.empty() || Replaying)
        return;
    if (Changed)
        Changed();
    Replaying = true;
    Next mode = Next::Continue;
    while (!m_records.empty()) {
        if (mode == Next::ContinueIntoSelection && m_records.back()->Kind != TEP_Undo::Selected)
            break;
        // Taken off the list first: whatever the step calls (observers
        // included) finds a list without it.
        const std::unique_ptr<TEP_Undo> record = std::move(m_records.back());
        m_records.pop_back();
        TDPRptItem* root = m_owner.Root();
        TDPRptItem* item = root ? root->FindByName(record->ItemName) : nullptr;
        if (item == root)
            item = nullptr;
        // A step whose item has gone since (or, for a deletion, has come
        // back meanwhile) cannot be replayed: it is dropped, and the undo
        // goes on with the step before it.
        if ((record->Kind == TEP_Undo::Deleted) == (item != nullptr))
            continue;
        bool refused = false;
        const Next next = Apply(*record, item, refused);
        if (refused || next == Next::Stop)
            break;
        mode = next;
    }
    Replaying = false;
}

void TEP_UndoList::RestorePlace(const TEP_Undo& record, TDPRptItem& item)
{
    // The stored place is exact; the surface goes back where it was.
    item.PosX = record.PosX;
    item.PosY = record.PosY;
    item.SetScale(m_owner.RootScale());
    m_owner.PutSurface(QPoint(record.Left, record.Top));
}

bool TEP_UndoList::MakeSelected(TDPRptItem* item)
{
    if (m_owner.Current() == item)
        return true;
    if (!m_owner.Select(m_owner.m_owner, item))
        return false;
    if (OnSelected)
        OnSelected(item);
    return true;
}

TEP_UndoList::Next TEP_UndoList::Apply(TEP_Undo& record, TDPRptItem* item, bool& refused)
{
    EP_ItEdt& editor = m_owner;
    switch (record.Kind) {
    case TEP_Undo::Selected:
        if (editor.Current() == item)
            return Next::Continue;
        MakeSelected(item);
        return Next::Stop;
    case TEP_Undo::Created:
        if (editor.Current() == item)
            editor.RemoveCurrent(false);
        else
            editor.Root()->RemoveChild(record.ItemName, item);
        if (editor.AfterDelete)
            editor.AfterDelete();
        editor.Redraw();
        return Next::ContinueIntoSelection;
    case TEP_Undo::CarryStarted: {
        const bool selected = editor.Current() == item;
        if (selected)
            editor.EndEdit(editor.m_owner, false);
        item->PosX = record.PosX;
        item->PosY = record.PosY;
        item->SetScale(editor.RootScale());
        editor.Redraw();
        if (selected)
            editor.Select(editor.m_owner, item);
        return Next::Stop;
    }
    case TEP_Undo::Deleted: {
        TDPRptItem* restored = record.DeletedItem.get();
        if (!editor.Root()->InsertChild(std::max(0, record.Index), std::move(record.DeletedItem)))
            return Next::Stop;
        restored->SetScale(editor.RootScale());
        editor.Redraw();
        MakeSelected(restored);
        return Next::Stop;
    }
    default:
        break;
    }

    // The other steps change the selected item.
    if (!MakeSelected(item)) {
        refused = true;
        return Next::Stop;
    }
    switch (record.Kind) {
    case TEP_Undo::SurfaceDragged:
    case TEP_Undo::Moved:
        RestorePlace(record, *item);
        editor.DrawSelection();
        break;
    case TEP_Undo::Resized:
        refused = !editor.Resize(record.Height, record.Width, true);
        break;
    case TEP_Undo::GeometrySnapshot:
        if (auto* drawing = dynamic_cast<TDPRptSpDr*>(item); drawing && record.PenSize > 0)
            drawing->PenSize = record.PenSize;
        item->Width = record.UnitWidth;
        item->Height = record.UnitHeight;
        RestorePlace(record, *item);
        editor.DrawSelection();
        break;
    case TEP_Undo::ColorChanged:
        editor.SetColor(record.Color);
        break;
    case TEP_Undo::TextChanged:
        if (dynamic_cast<TDPRptText*>(item)) {
            editor.SetText(record.Text);
            editor.SetCaret(record.Caret, false);
        }
        break;
    case TEP_Undo::CaretMoved:
        editor.SetCaret(record.Caret, false);
        break;
    case TEP_Undo::Reshaped:
        if (record.SavedState)
            editor.RestoreSaved(*item, *record.SavedState);
        RestorePlace(record, *item);
        editor.DrawSelection();
        break;
    default:
        break;
    }
    return Next::Stop;
}
