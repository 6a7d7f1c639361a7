#pragma once

#include "TEP_Undo.h"

#include <functional>
#include <memory>
#include <vector>

class EP_ItEdt;
class TDPRptItem;

// The item editor's history of changes, newest last. Each record operation
// reads the editor's selected item and edit surface and answers the record
// it appended, or null when it appended none (while replaying, without a
// selected item, or when the snapshot repeats the newest one). Undo replays
// backwards to the previous selection step.
class TEP_UndoList {
public:
    explicit TEP_UndoList(EP_ItEdt& owner);
    ~TEP_UndoList();
    TEP_UndoList(const TEP_UndoList&) = delete;
    TEP_UndoList& operator=(const TEP_UndoList&) = delete;

    const TEP_Undo* RecordSelection();
    // A creation and the selection that follows it (two records); answers
    // the creation.
    const TEP_Undo* RecordCreation();
    const TEP_Undo* RecordCarryStart(const TDPRptItem& item);
    const TEP_Undo* RecordSurfaceDrag();
    const TEP_Undo* RecordMove();
    const TEP_Undo* RecordResize();
    const TEP_Undo* RecordGeometry();
    const TEP_Undo* RecordColor();
    const TEP_Undo* RecordText();
    const TEP_Undo* RecordCaret();
    // A reshape: the item's whole state, to restore at once.
    const TEP_Undo* BeginGroup(int flag);
    // Takes over an item removed from the tree.
    const TEP_Undo* RecordDeletion(const QString& name, int index, std::unique_ptr<TDPRptItem> item);

    // Removes the record an operation appended, when it is still listed;
    // nothing when the operation appended none.
    void Cancel(const TEP_Undo* record);
    // A run of equal changes to one item keeps only its first record.
    void Compact();
    void Undo();
    void Clear();

    int Count() const { return int(m_records.size()); }
    const TEP_Undo& At(int index) const { return *m_records[size_t(index)]; }
    const TEP_Undo* Newest() const { return m_records.empty() ? nullptr : m_records.back().get(); }

    bool Replaying = false;
    // Told the item an undo step selected.
    std::function<void(TDPRptItem* item)> OnSelected;
    // Told whenever the work may change: a change is recorded (it is made
    // right after) or undone. Listeners only take note; a key press must
    // stay cheap.
    std::function<void()> Changed;

private:
    enum class Next { Stop, Continue, ContinueIntoSelection };
    std::unique_ptr<TEP_Undo> Snapshot(int kind) const;
    const TEP_Undo* Append(std::unique_ptr<TEP_Undo> record, bool collapse, bool compact);
    Next Apply(TEP_Undo& record, TDPRptItem* item, bool& refused);
    bool MakeSelected(TDPRptItem* item);
    void RestorePlace(const TEP_Undo& record, TDPRptItem& item);

    EP_ItEdt& m_owner;
    std::vector<std::unique_ptr<TEP_Undo>> m_records;
};
