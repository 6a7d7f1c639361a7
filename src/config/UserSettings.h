#pragma once

#include "params/FontDescription.h"
#include "params/RgbColor.h"

#include <QMap>
#include <QSize>
#include <QString>
#include <optional>

class Param_Obj;

// One user's settings, kept in "<user>.conf" under the heading "ARDOISINE".
// Reading never fails: a missing value or one outside its range leaves the
// default. Other sections of the file (the palette's key codes) are kept
// when it is written again.
class UserSettings {
public:
    static inline const QString Heading = QStringLiteral("ARDOISINE");
    // The size keys of the special drawings, in their write order.
    static const QStringList& SizeKeys();

    UserSettings() { Reset(); }
    void Reset();
    // screen: the screen's size, which bounds the palette's stored place
    // (empty: any place is taken).
    void Read(const Param_Obj& file, QSize screen = QSize());
    void Write(Param_Obj& file) const;
    // The same, with the file on disk; a missing file reads as defaults.
    void LoadFile(const QString& fileName, QSize screen = QSize());
    bool SaveFile(const QString& fileName, QString* error = nullptr) const;

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
};
