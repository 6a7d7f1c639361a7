#pragma once

#include <sane/sane.h>

class SaneLibrary;

// The few options of an open SANE device the program sets or reads: the
// scan mode (colour, as worksheets are scanned) and the resolution.
class SaneOptions {
public:
    SaneOptions(const SaneLibrary& library, SANE_Handle handle);

    // Chooses colour when the device offers it; a device without colour
    // keeps its own mode. False when the device refused the change.
    bool SelectColour();
    // Dots per inch the device will scan at; 0 when it does not tell.
    int HorizontalResolution() const;
    int VerticalResolution() const;

private:
    // The index of the active option of that name, or -1.
    int Find(const char* name) const;
    int ReadResolution(const char* name) const;

    const SaneLibrary& m_library;
    SANE_Handle m_handle;
};
