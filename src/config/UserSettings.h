#pragma once

#include "params/FontDescription.h"
#include "params/Outcome.h"
#include "params/RgbColor.h"

#include <QMap>
#include <QSize>
#include <QString>
#include <optional>

class Param_Obj;

// One user's settings, kept in "<user>.conf" under the heading "ARDOISINE",
// with the palette commands the user redefined under "TOOLSBARKEYCODES".
// Reading never fails: a missing value or one outside its range leaves the
// default. Other sections of the file are kept when it is written again.
class UserSettings {
public:
    static inline const QString Heading = QStringLiteral("ARDOISINE");
    // The size keys of the special drawings, in their write order.
    static const QStringList& SizeKeys();
    // The key keeping the default size of new drawings of a mode (special
    // drawing modes 1 to 16): the filled rectangles share the rectangle's,
    // arrows (whose size comes from their geometry) keep none (empty).
    static QString SizeKeyForMode(int mode);

    // Reading aloud: speed in percent of the voice's own, and the voice.
    static constexpr int DefaultSpeechRate = 100;
    static constexpr int MinSpeechRate = 50;
    static constexpr int MaxSpeechRate = 200;
    static inline const QString DefaultSpeechVoice = QStringLiteral("fr");

    UserSettings() { Reset(); }
    void Reset();
    // The settings under a heading of a parameter file (older data keep
    // them under other headings than "ARDOISINE"). screen: the screen's
    // size, which bounds the palette's stored place (empty: any place is
    // taken).
    void Read(const Param_Obj& file, const QString& heading, QSize screen = QSize());
    void Write(Param_Obj& file, const QString& heading) const;
    // The redefined palette commands ("TOOLSBARKEYCODES").
    void ReadCommandKeys(const Param_Obj& file);
    void WriteCommandKeys(Param_Obj& file) const;
    // Both, with the file on disk; a missing file reads as defaults.
    void LoadFile(const QString& fileName, QSize screen = QSize());
    Outcome SaveFile(const QString& fileName) const;

    // The size of the next new drawing of a mode (200 x 200 for a mode
    // without a key), and the size the user last gave one.
    QSize DefaultSize(int mode) const;
    void RememberSize(int mode, QSize size);

    int ToolsTop, ToolsLeft, NewItemPosition;
    RgbColor ActiveLabel, ActivePanel, InactiveLabel, InactivePanel;
    RgbColor ActiveGroupLabel, ActiveGroupPanel, InactiveGroupLabel, InactiveGroupPanel;
    RgbColor ItemForeground, ItemBackground;
    int ItemPenSize;
    QString TextFontName;
    int TextFontSize;
    bool TextFontUnderline, TextFontBold;
    QMap<QString, QSize> ItemSizes; // by SizeKeys()
    int FirstMouseDelay, MouseDelay;
    bool ScanAllowed, RenameAllowed, DeleteAllowed, MoveAllowed;
    bool FolderCreateAllowed, FolderRenameAllowed, FolderDeleteAllowed, FolderMoveAllowed;
    QString HintFontName;
    int HintFontSize;
    std::optional<bool> HintFontBold; // none: the system's choice
    int ResizeSquareSize;
    RgbColor ResizeSquareColor;
    int SelectionBorderWidth;
    bool ToolsOneClick, ToolbarShowHint, ToolbarHorizontal;
    int ToolbarTop, ToolbarLeft, ToolbarSizeZoom;
    int SelectionDisplayMode, SelectionBlink;
    RgbColor SelectionColor;
    bool ScanTypeDialog, PrintConfirmDialog, PrintWaitDialog;
    FontDescription TreeFont;
    RgbColor TreeSelectedColor;
    int TreeWidth;
    QString AltTextEditorPlace;
    FontDescription AltTextEditorFont;
    int SpeechRate;
    QString SpeechVoice;
    // The eight fields of each redefined command (CommandDefinition), by
    // the command's name.
    QMap<QString, QStringList> CommandKeys;
};
