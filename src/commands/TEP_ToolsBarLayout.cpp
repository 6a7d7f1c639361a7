// The toolbar's layout: which controls show for the mode and the selected
// item, their states, pictures and sizes, and their places on the host
// panel.
#include "TEP_ToolsBar.h"
#include "TEP_ToolsBarButton.h"
#include "TEP_ToolsBarFrm.h"
#include "TEP_ToolsBarGlyphs.h"

#include "config/TEP_Config.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QFrame>
#include <QLabel>

namespace {
bool In(int kind, int first, int last)
{
    return kind >= first && kind <= last;
}
} // namespace

void TEP_ToolsBar::Layout(bool vertical, bool itemMode)
{
    if (!Holder || !HostPanel)
        return;
    ++m_layouts;
    // A held button is taken away here: its repeat ends with it.
    Holder->StopRepeat();
    Settings().ToolbarHorizontal = !vertical;
    const bool hints = Settings().ToolbarShowHint;
    Holder->ToolsBarDragPnl->setToolTip(hints ? TEP_ToolsBarFrm::DragHint : QString());
    HostPanel->hide();
    GiveBackControls();
    for (TEP_ToolsBarButton* button : Holder->Buttons()) {
        if (button->Tag() != TEP_ToolsBarButton::PushTag)
            continue;
        button->SetGroup(TEP_ToolsBarButton::NoGroup);
        button->setChecked(false);
        button->setCheckable(false);
        button->setAutoRaise(false);
    }
    TDPRptItem* item = ItemEditor->Current();
    ItemMode = itemMode && item && !ItemEditor->IsTextEntry();
    SeparatorIndex = 0;
    const QList<QWidget*> controls = ItemMode ? ItemControls(*item) : GeneralControls();
    for (QWidget* control : controls)
        if (auto* button = qobject_cast<TEP_ToolsBarButton*>(control))
            button->setToolTip(hints ? button->Hint : QString());
    ShowStates(ItemMode ? item : nullptr);
    ApplyGlyphs();
    // A new style sheet restyles every control: only when the font changed.
    if (const QString hintStyle = HintStyleSheet(); HostPanel->styleSheet() != hintStyle)
        HostPanel->setStyleSheet(hintStyle);
    PlaceControls(controls, vertical);
    KeepInsideWindow();
    HostPanel->show();
    HostPanel->raise();
}

QFrame* TEP_ToolsBar::NextSeparator()
{
    Q_ASSERT(SeparatorIndex < int(Separators.size()));
    if (SeparatorIndex >= int(Separators.size()))
        return nullptr;
    return Separators[size_t(SeparatorIndex++)];
}

QList<QWidget*> TEP_ToolsBar::GeneralControls()
{
    auto button = [this](const char* name) { return static_cast<QWidget*>(Holder->Button(QLatin1String(name))); };
    QList<QWidget*> list {NextSeparator(), button("ToolsBarMode2SBtn"), NextSeparator()};
    const TEP_DocsNode* node = ItemEditor->Config().CurrentDocumentNode();
    TEP_DocsNode* here = const_cast<TEP_DocsNode*>(node);
    const bool previous = here && here->PreviousDocument();
    const bool next = here && here->NextDocument();
    Holder->Button(QStringLiteral("PrevSheetSBtn"))->setEnabled(previous);
    Holder->Button(QStringLiteral("NextSheetSBtn"))->setEnabled(next);
    if (previous || next)
        list << button("PrevSheetSBtn") << button("NextSheetSBtn");
    if (const TEP_Doc* document = ItemEditor->Document()) {
        if (document->HasInstructionSound())
            list << button("ConsigneSBtn");
        if (document->HasHelpSound())
            list << button("HelpSBtn");
    }
    list << button("ZoomMoreSBtn") << button("ZoomLessSBtn") << button("PrintSBtn") << NextSeparator();
    for (const char* name : {"TextSBtn", "SurSBtn", "RectangleSBtn", "CrossSBtn", "CircleSBtn", "ArrowSBtn",
             "HLineSBtn", "LinesSBtn", "BracketsSBtn"})
        list << button(name);
    return list;
}

QList<QWidget*> TEP_ToolsBar::ItemControls(TDPRptItem& item)
{
    auto add = [this](QList<QWidget*>& list, std::initializer_list<const char*> names) {
        for (const char* name : names)
            list << Holder->Button(QLatin1String(name));
    };
    QList<QWidget*> list {NextSeparator(), Holder->Button(QStringLiteral("ToolsBarMode1SBtn")), NextSeparator(),
        Holder->Button(QStringLiteral("DeleteItSBtn")), NextSeparator()};
    const auto* drawing = dynamic_cast<const TDPRptSpDr*>(&item);
    const bool text = dynamic_cast<const TDPRptText*>(&item) != nullptr;
    int kind = drawing ? drawing->SpDrMode : TDPRptSpDr::SpNone;
    // Relations are arrows once laid out: they get the arrow's commands.
    if (In(kind, TDPRptSpDr::SpHRel, TDPRptSpDr::SpBTRel))
        kind = TDPRptSpDr::SpArrow;
    if (kind == TDPRptSpDr::SpHighLight)
        add(list, {"GraySBtn", "GreenSBtn", "AquaSBtn", "PinkSBtn", "OrangeSBtn", "YellowSBtn"});
    else if (drawing || text)
        add(list, {"BlackSBtn", "GreenSBtn", "BlueSBtn", "RedSBtn", "OrangeSBtn", "YellowSBtn"});
    if (drawing
        && (In(kind, TDPRptSpDr::SpRect, TDPRptSpDr::SpHLine) || In(kind, TDPRptSpDr::SpBCircle, TDPRptSpDr::SpBrackets)
            || kind == TDPRptSpDr::SpHighLight)) {
        list << NextSeparator();
        add(list, {"SizeMoreOrLessSBtn"});
        if (kind != TDPRptSpDr::SpHLine)
            add(list, {"SizeTopSBtn", "SizeBottomSBtn"});
        add(list, {"SizeLeftSBtn", "SizeRightSBtn"});
    }
    if (drawing
        && (In(kind, TDPRptSpDr::SpRect, TDPRptSpDr::SpHLine) || In(kind, TDPRptSpDr::SpBCircle, TDPRptSpDr::SpLines)
            || kind == TDPRptSpDr::SpArrow)) {
        list << NextSeparator();
        add(list, {"PenSizeLessSBtn", "PenSizeMoreSBtn"});
    }
    if (In(kind, TDPRptSpDr::SpRect, TDPRptSpDr::SpFBRect)) {
        list << NextSeparator();
        add(list, {"RectNotFilledSBtn", "RectFullSBtn", "RectFilledSBtn"});
    } else if (In(kind, TDPRptSpDr::SpBCircle, TDPRptSpDr::SpFBCircle)) {
        list << NextSeparator();
        add(list, {"CircleNotFilledSBtn", "CircleFullSBtn", "CircleFilledSBtn"});
    } else if (kind == TDPRptSpDr::SpLines) {
        add(list, {"SupFirstPtSBtn", "SupLastPtSBtn"});
    } else if (kind == TDPRptSpDr::SpArrow) {
        list << NextSeparator();
        add(list, {"ClockWiseSBtn", "NonClockWiseSBtn", "LengthLessSBtn", "LengthMoreSBtn"});
        list << NextSeparator();
        add(list, {"ArrowArrowSbtn", "ArrowRelSBtn", "ArrowLineSBtn"});
    }
    if (text) {
        list << NextSeparator();
        add(list,
            {"PoliceMinusSBtn", "PolicePlusSBtn", "PoliceSizeMinusSBtn", "PoliceSizePlusSBtn", "BoldSBtn",
                "UnderlineSBtn"});
    }
    return list;
}

void TEP_ToolsBar::ShowStates(TDPRptItem* item)
{
    const auto* drawing = dynamic_cast<const TDPRptSpDr*>(item);
    const bool text = dynamic_cast<const TDPRptText*>(item) != nullptr;
    const bool highlight = drawing && drawing->SpDrMode == TDPRptSpDr::SpHighLight;
    for (TEP_ToolsBarButton* button : Holder->Buttons()) {
        if (button->ButtonRole() == TEP_ToolsBarButton::Colour) {
            const QString name = button->objectName();
            const bool forHighlight = name == QLatin1String("GraySBtn") || name == QLatin1String("PinkSBtn")
                || name == QLatin1String("AquaSBtn");
            const bool forOthers = name == QLatin1String("BlackSBtn") || name == QLatin1String("BlueSBtn")
                || name == QLatin1String("RedSBtn");
            const bool any = drawing || text;
            button->setEnabled(any && (highlight ? !forOthers : !forHighlight));
        }
    }
    int kind = drawing ? drawing->SpDrMode : TDPRptSpDr::SpNone;
    const int arrowType = drawing && drawing->SpDrMode == TDPRptSpDr::SpArrow ? drawing->ArrowType : -1;
    for (int group : {TEP_ToolsBarButton::RectangleGroup, TEP_ToolsBarButton::CircleGroup})
        for (TEP_ToolsBarButton* button : Holder->Group(group))
            button->SetDown(button->Value() == kind);
    for (TEP_ToolsBarButton* button : Holder->Group(TEP_ToolsBarButton::ArrowGroup))
        button->SetDown(button->Value() == arrowType);
    Holder->Button(QStringLiteral("SizeMoreOrLessSBtn"))->setText(Enlarge ? QStringLiteral("+") : QStringLiteral("-"));
}

void TEP_ToolsBar::ApplyGlyphs()
{
    const int zoom = std::clamp(Settings().ToolbarSizeZoom, 1, 3);
    const int side = TEP_ToolsBarGlyphs::GlyphSide(zoom);
    for (TEP_ToolsBarButton* button : Holder->Buttons()) {
        if (button->Glyph.isEmpty()) {
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setFont(TEP_ToolsBarGlyphs::CaptionFont(button->font(), button->Tag(), zoom));
            continue;
        }
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIcon(QIcon(m_glyphs->Picture(button->Glyph, zoom)));
        button->setIconSize(QSize(side, side));
    }
    Holder->ToolsBarMovingImg->setPixmap(m_glyphs->Picture(QStringLiteral("move-bar"), zoom));
}

void TEP_ToolsBar::PlaceControls(const QList<QWidget*>& controls, bool vertical)
{
    const int side = ButtonSide();
    QFrame* handle = Holder->ToolsBarDragPnl;
    handle->setParent(HostPanel);
    int along = (vertical ? RefButtonHeight : RefButtonWidth) + Gap;
    int across = 0;
    for (QWidget* control : controls) {
        if (!control)
            continue;
        const bool separator = qobject_cast<QFrame*>(control) && !qobject_cast<TEP_ToolsBarButton*>(control);
        const int length = separator ? SeparatorThickness : side;
        if (auto* frame = qobject_cast<QFrame*>(control); frame && separator)
            frame->setFrameShape(vertical ? QFrame::HLine : QFrame::VLine);
        control->setParent(HostPanel);
        if (vertical)
            control->setGeometry(Gap, along, side, length);
        else
            control->setGeometry(along, Gap, length, side);
        control->show();
        along += length + Gap;
        across = std::max(across, side);
    }
    // The handle is docked: it spans the bar's thickness.
    if (vertical) {
        HostPanel->resize(across + 2 * Gap, along);
        handle->setGeometry(0, 0, HostPanel->width(), RefButtonHeight);
    } else {
        HostPanel->resize(along, across + 2 * Gap);
        handle->setGeometry(0, 0, RefButtonWidth, HostPanel->height());
    }
    Holder->ToolsBarMovingImg->setGeometry(handle->rect());
    handle->show();
}

void TEP_ToolsBar::KeepInsideWindow()
{
    if (!MainWindow)
        return;
    const QSize client = MainWindow->size();
    QPoint at = HostPanel->pos();
    if (at.x() + HostPanel->width() > client.width())
        at.setX(client.width() - HostPanel->width());
    if (at.y() + HostPanel->height() > client.height())
        at.setY(client.height() - HostPanel->height());
    HostPanel->move(std::max(0, at.x()), std::max(0, at.y()));
}

void TEP_ToolsBar::GiveBackControls()
{
    if (!Holder)
        return;
    for (QWidget* control : Holder->Controls()) {
        if (control->parentWidget() == Holder.get())
            continue;
        control->hide();
        control->setParent(Holder.get());
    }
}

QString TEP_ToolsBar::HintStyleSheet() const
{
    // The hints of the bar are in the user's hint font.
    const HintFontChoice& font = ItemEditor->Config().HintFont();
    QStringList rules;
    if (!font.name.isEmpty())
        rules << QStringLiteral("font-family: \"%1\";").arg(font.name);
    if (font.size > 0)
        rules << QStringLiteral("font-size: %1pt;").arg(font.size);
    if (font.bold)
        rules << QStringLiteral("font-weight: %1;").arg(*font.bold ? QStringLiteral("bold") : QStringLiteral("normal"));
    return rules.isEmpty() ? QString() : QStringLiteral("QToolTip { %1 }").arg(rules.join(QLatin1Char(' ')));
}
