#pragma once

// What the item editor shows of an item while a pupil works on it. It
// belongs to the editing session, not to the work: copies (AssignFrom) and
// saved files leave it out, and drawing only reads it.
struct ItemEditState {
    bool SelectionVisible = false; // the selection frame is drawn
    bool HiddenWhileEdited = false; // shown on the edit surface, not on the page
    bool BeingEdited = false;
    bool HandlesShown = false; // special drawings: handle squares drawn
    // Text items: the caret, drawn while visible, before character
    // CaretPosition of the value (0 to its length).
    bool CaretVisible = false;
    int CaretPosition = 0;
};
