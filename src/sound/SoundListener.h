#pragma once

class TEP_Doc;

// Whoever shows whether a worksheet has its sounds (the selection screen's
// labels, the palette's pictures, the toolbar's buttons) listens to the
// sound player: a sound was recorded or deleted and the worksheet's files
// were read again.
class SoundListener {
public:
    virtual ~SoundListener() = default;
    virtual void SoundsChanged(TEP_Doc* document) = 0;
};
