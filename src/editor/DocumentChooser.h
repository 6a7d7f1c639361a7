#pragma once

// Where the main window asks for the next worksheet: the selection screen in
// the program, a scripted chooser in the tests. The configuration's current
// document is the worksheet chosen.
class DocumentChooser {
public:
    virtual ~DocumentChooser() = default;
    // True when a worksheet was opened for the current user; false when the
    // user leaves the program.
    virtual bool ChooseDocument() = 0;
};
