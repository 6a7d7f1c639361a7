// The arrow neighbours of the commands laid out by hand (everything but the
// main panel, whose neighbours follow its geometry).
#include "TPaFrmForm.h"

#include "TDPanel.h"

#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"

#include <QLabel>

namespace {
// name: right, left, down, up; "" is none. In the move groups "Text" and
// "It" prefix the names; a "text|item" pair differs between them.
struct Neighbours {
    const char* name;
    const char* right;
    const char* left;
    const char* down;
    const char* up;
};

const Neighbours kMoves[] = {
    {"UpLeft", "Up", "Yellow", "Left", ""},
    {"Up", "UpRight", "UpLeft", "Down", ""},
    {"UpRight", "Left", "Up", "Right", ""},
    {"Left", "Right", "UpRight", "DownLeft", "UpLeft"},
    {"Right", "DownLeft", "Left", "DownRight", "UpRight"},
    {"DownLeft", "Down", "Right", "Black", "Left"},
    {"Down", "DownRight", "DownLeft", "Green", "Up"},
    {"DownRight", "Dep1", "Down", "Green", "Right"},
    {"Dep1", "DepLess", "DownRight", "Esc|*PenSizeLess", ""},
    {"DepLess", "DepMore", "Dep1", "Esc|*PenSizeLess", ""},
    {"DepMore", "Dep20", "DepLess", "Esc|*PenSizeMore", ""},
    {"Dep20", "Esc|*PenSizeLess", "DepMore", "Esc", ""},
    {"Esc", "Black", "Dep20|*PenSizeMore", "Red|Yellow", "DepLess|Dep20"},
    {"Black", "Green", "Esc", "", "DownLeft"},
    {"Green", "Blue", "Black", "", "DownRight"},
    {"Blue", "Red", "Green", "", "Esc"},
    {"Red", "Orange", "Blue", "", "Esc|*PenSizeLess"},
    {"Orange", "Yellow", "Red", "", "Esc|*PenSizeMore"},
    {"Yellow", "UpLeft", "Orange", "", "Esc"},
    {"*PenSizeLess", "*PenSizeMore", "Dep20", "Red", "DepLess"},
    {"*PenSizeMore", "Esc", "*PenSizeLess", "Orange", "DepMore"},
};

const Neighbours kFixed[] = {
    {"TextContent", "TextPrevFont", "TextBold", "TextPrevFont", "TextFontSizeLess"},
    {"TextPrevFont", "TextNextFont", "TextContent", "TextFontSizeLess", "TextContent"},
    {"TextNextFont", "TextFontSizeLess", "TextPrevFont", "TextFontSizeMore", "TextContent"},
    {"TextFontSizeLess", "TextFontSizeMore", "TextNextFont", "TextContent", "TextPrevFont"},
    {"TextFontSizeMore", "TextUnderline", "TextFontSizeLess", "TextContent", "TextPrevFont"},
    {"TextUnderline", "TextBold", "TextFontSizeMore", "TextContent", "TextContent"},
    {"TextBold", "TextContent", "TextUnderline", "TextContent", "TextContent"},
    {"ItSizeML", "ItSize6", "ItSize4", "ItSize2", "ItSize8"},
    {"ItSize7", "ItSize8", "ItSize3", "ItSize4", "ItSize1"},
    {"ItSize8", "ItSize9", "ItSize7", "ItSizeML", "ItSize2"},
    {"ItSize9", "ItSize4", "ItSize8", "ItSize6", "ItSize3"},
    {"ItSize4", "ItSizeML", "ItSize9", "ItSize1", "ItSize7"},
    {"ItSize6", "ItSize1", "ItSizeML", "ItSize3", "ItSize9"},
    {"ItSize1", "ItSize2", "ItSize6", "ItSize7", "ItSize4"},
    {"ItSize2", "ItSize3", "ItSize1", "ItSize8", "ItSizeML"},
    {"ItSize3", "ItSize7", "ItSize2", "ItSize9", "ItSize6"},
    {"DepL7", "DepL8", "DepLD", "DepL4", "DepL1"},
    {"DepL8", "DepL9", "DepL7", "DepL2", "DepL2"},
    {"DepL9", "DepLP", "DepL8", "DepL6", "DepL3"},
    {"DepL4", "DepL6", "DepLP", "DepL1", "DepL7"},
    {"DepL6", "DepL1", "DepL4", "DepL3", "DepL9"},
    {"DepL1", "DepL2", "DepL6", "DepL7", "DepL4"},
    {"DepL2", "DepL3", "DepL1", "DepL8", "DepL8"},
    {"DepL3", "DepLD", "DepL2", "DepL9", "DepL6"},
    {"DepLP", "DepL4", "DepL9", "DepLD", "DepLD"},
    {"DepLD", "DepL7", "DepL3", "DepLP", "DepLP"},
    {"ArrowNonClockWise", "ArrowArrowT", "ArrowClockWise", "ArrowNarrowing", "ArrowNarrowing"},
    {"ArrowClockWise", "ArrowNonClockWise", "ArrowNarrowing", "ArrowLengthening", "ArrowLengthening"},
    {"ArrowLengthening", "ArrowNarrowing", "ArrowLineT", "ArrowClockWise", "ArrowClockWise"},
    {"ArrowNarrowing", "ArrowClockWise", "ArrowLengthening", "ArrowNonClockWise", "ArrowNonClockWise"},
    {"ArrowArrowT", "ArrowRelT", "ArrowNonClockWise", "ArrowNarrowing", "ArrowNonClockWise"},
    {"ArrowRelT", "ArrowLineT", "ArrowArrowT", "ArrowNarrowing", "ArrowNonClockWise"},
    {"ArrowLineT", "ArrowLengthening", "ArrowRelT", "ArrowNarrowing", "ArrowNonClockWise"},
    // The type rings: plain, surrounded, full.
    {"Circle", "SCircle", "FullCircle", "", ""},
    {"SCircle", "FullCircle", "Circle", "", ""},
    {"FullCircle", "Circle", "SCircle", "", ""},
    {"Rect", "SRect", "FullRect", "", ""},
    {"SRect", "FullRect", "Rect", "", ""},
    {"FullRect", "Rect", "SRect", "", ""},
};

// The name a move-group entry gives: "a|b" picks by group, "*" marks an
// item-only command without prefix.
QString MoveName(const char* entry, bool text)
{
    QString name = QString::fromLatin1(entry);
    if (name.isEmpty())
        return name;
    if (const int bar = name.indexOf(QLatin1Char('|')); bar >= 0)
        name = text ? name.left(bar) : name.mid(bar + 1);
    if (name.startsWith(QLatin1Char('*')))
        return name.mid(1) + QStringLiteral("_Pnl");
    return (text ? QStringLiteral("Text") : QStringLiteral("It")) + name + QStringLiteral("_Pnl");
}
} // namespace

void TPaFrmForm::SetFixedNeighbours()
{
    const auto control = [this](const QString& name) -> QWidget* { return name.isEmpty() ? nullptr : Control(name); };
    for (const bool text : {true, false})
        for (const Neighbours& entry : kMoves) {
            if (text && entry.name[0] == '*')
                continue; // the pen sizes are the item group's only
            const QString name = MoveName(entry.name, text);
            TDPanel* command = Panel(name);
            Q_ASSERT(command);
            if (!command)
                continue;
            command->SetNeighbours(control(MoveName(entry.right, text)), control(MoveName(entry.left, text)),
                control(MoveName(entry.down, text)), control(MoveName(entry.up, text)));
        }
    const auto named
        = [](const char* name) { return *name ? QString::fromLatin1(name) + QStringLiteral("_Pnl") : QString(); };
    for (const Neighbours& entry : kFixed)
        if (TDPanel* command = Panel(named(entry.name)))
            command->SetNeighbours(control(named(entry.right)), control(named(entry.left)), control(named(entry.down)),
                control(named(entry.up)));
}
