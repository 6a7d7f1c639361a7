#include "TEP_ToolsBarFrm.h"

#include "TEP_ToolsBar.h"
#include "TEP_ToolsBarButton.h"

#include "report/TDPRptSpDr.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace {
using Role = TEP_ToolsBarButton::Role;
constexpr int kPush = TEP_ToolsBarButton::PushTag;
constexpr int kSmall = TEP_ToolsBarButton::SmallCaptionTag;
constexpr int kLarge = TEP_ToolsBarButton::LargeCaptionTag;

constexpr int NoGroup = TEP_ToolsBarButton::NoGroup;
constexpr int CreationGroup = TEP_ToolsBarButton::CreationGroup;
constexpr int RectangleGroup = TEP_ToolsBarButton::RectangleGroup;
constexpr int CircleGroup = TEP_ToolsBarButton::CircleGroup;
constexpr int ArrowGroup = TEP_ToolsBarButton::ArrowGroup;

struct ButtonDefinition {
    const char* name;
    const char* glyph; // "" for a caption button
    const char* caption;
    const char* hint;
    Role role;
    int value;
    int tag;
    int group;
};

// clang-format off
const ButtonDefinition kButtons[] = {
    {"TextSBtn", "", "Abc", "Ajouter du texte", Role::Creation, 0, kSmall, CreationGroup},
    {"SurSBtn", "highlight", "", "Surligner", Role::Creation, TDPRptSpDr::SpHighLight, 0, CreationGroup},
    {"RectangleSBtn", "rectangle", "", "Ajouter un rectangle", Role::Creation, TDPRptSpDr::SpRect, 0, CreationGroup},
    {"CrossSBtn", "cross", "", "Ajouter une croix", Role::Creation, TDPRptSpDr::SpCross, 0, CreationGroup},
    {"CircleSBtn", "circle", "", "Ajouter une ellipse", Role::Creation, TDPRptSpDr::SpBCircle, 0, CreationGroup},
    {"ArrowSBtn", "arrow", "", "Ajouter une flèche", Role::Creation, TDPRptSpDr::SpArrow, 0, CreationGroup},
    {"HLineSBtn", "horizontal-line", "", "Ajouter une ligne horizontale", Role::Creation, TDPRptSpDr::SpHLine, 0,
        CreationGroup},
    {"LinesSBtn", "polyline", "", "Ajouter une ligne brisée", Role::Creation, TDPRptSpDr::SpLines, 0, CreationGroup},
    {"BracketsSBtn", "brackets", "", "Ajouter un encadrement", Role::Creation, TDPRptSpDr::SpBrackets, 0,
        CreationGroup},
    {"PrevSheetSBtn", "", "P-", "Page précédente", Role::Press, 0, kSmall, NoGroup},
    {"NextSheetSBtn", "", "P+", "Page suivante", Role::Press, 0, kSmall, NoGroup},
    {"ConsigneSBtn", "instruction-sound", "", "Ecouter la consigne", Role::Press, 0, kPush, NoGroup},
    {"HelpSBtn", "help-sound", "", "Ecouter l'aide", Role::Press, 0, kPush, NoGroup},
    {"ZoomMoreSBtn", "zoom-in", "", "Zoom : agrandir", Role::Press, 0, kPush, NoGroup},
    {"ZoomLessSBtn", "zoom-out", "", "Zoom : diminuer", Role::Press, 0, kPush, NoGroup},
    {"PrintSBtn", "print", "", "Impression du document", Role::Press, 0, kPush, NoGroup},
    {"ToolsBarMode1SBtn", "general-commands", "", "Revenir aux commandes générales", Role::Press, 0, kPush, NoGroup},
    {"ToolsBarMode2SBtn", "item-commands", "", "Aller aux commandes de l'élément sélectionné", Role::Press, 0, kPush,
        NoGroup},
    {"DeleteItSBtn", "delete-item", "", "Supprimer l'élément sélectionné", Role::Press, 0, kPush, NoGroup},
    {"BlackSBtn", "black", "", "Noir", Role::Colour, 0x000000, 0, NoGroup},
    {"GraySBtn", "gray", "", "Gris", Role::Colour, 0x000000, 0, NoGroup},
    {"GreenSBtn", "green", "", "Vert", Role::Colour, 0x008000, 0, NoGroup},
    {"BlueSBtn", "blue", "", "Bleu", Role::Colour, 0xFF0000, 0, NoGroup},
    {"RedSBtn", "red", "", "Rouge", Role::Colour, 0x0000FF, 0, NoGroup},
    {"OrangeSBtn", "orange", "", "Orange", Role::Colour, 0x0080FF, 0, NoGroup},
    {"YellowSBtn", "yellow", "", "Jaune", Role::Colour, 0x00FFFF, 0, NoGroup},
    {"PinkSBtn", "pink", "", "Rose", Role::Colour, 0x0000FF, 0, NoGroup},
    {"AquaSBtn", "light-blue", "", "Bleu clair", Role::Colour, 0xFF0000, 0, NoGroup},
    {"SizeMoreOrLessSBtn", "", "+", "Agrandir/diminuer la taille de l'élément", Role::Press, 0, kLarge, NoGroup},
    {"SizeTopSBtn", "", "H", "Modifier la taille du bord haut", Role::Press, 0, kLarge, NoGroup},
    {"SizeBottomSBtn", "", "B", "Modifier la taille du bord bas", Role::Press, 0, kLarge, NoGroup},
    {"SizeLeftSBtn", "", "G", "Modifier la taille du bord gauche", Role::Press, 0, kLarge, NoGroup},
    {"SizeRightSBtn", "", "D", "Modifier la taille du bord droit", Role::Press, 0, kLarge, NoGroup},
    {"PenSizeLessSBtn", "pen-thinner", "", "Diminuer l'épaisseur du trait", Role::Press, 0, 0, NoGroup},
    {"PenSizeMoreSBtn", "pen-thicker", "", "Agrandir l'épaisseur du trait", Role::Press, 0, 0, NoGroup},
    {"RectNotFilledSBtn", "rectangle-outline", "", "Contour de rectangle", Role::ShapeType, TDPRptSpDr::SpRect, 0,
        RectangleGroup},
    {"RectFullSBtn", "rectangle-full", "", "Rectangle plein", Role::ShapeType, TDPRptSpDr::SpFRect, 0,
        RectangleGroup},
    {"RectFilledSBtn", "rectangle-filled", "", "Rectangle plein avec contour noir", Role::ShapeType,
        TDPRptSpDr::SpFBRect, 0, RectangleGroup},
    {"CircleNotFilledSBtn", "circle-outline", "", "Contour d'ellipse", Role::ShapeType, TDPRptSpDr::SpBCircle, 0,
        CircleGroup},
    {"CircleFullSBtn", "circle-full", "", "Ellipse pleine", Role::ShapeType, TDPRptSpDr::SpFCircle, 0, CircleGroup},
    {"CircleFilledSBtn", "circle-filled", "", "Ellipse pleine avec contour noir", Role::ShapeType,
        TDPRptSpDr::SpFBCircle, 0, CircleGroup},
    {"ClockWiseSBtn", "turn-clockwise", "", "Tourner la flèche dans le sens des aiguilles d'une montre", Role::Press,
        0, 0, NoGroup},
    {"NonClockWiseSBtn", "turn-counter-clockwise", "",
        "Tourner la flèche dans le sens inverse des aiguilles d'une montre", Role::Press, 0, 0, NoGroup},
    {"LengthMoreSBtn", "", "L+", "Agrandir la flèche", Role::Press, 0, kSmall, NoGroup},
    {"LengthLessSBtn", "", "L-", "Diminiuer la flèche", Role::Press, 0, kSmall, NoGroup},
    {"ArrowArrowSbtn", "arrow-head", "", "Style flèche", Role::Press, TDPRptSpDr::ArrowHead, 0, ArrowGroup},
    {"ArrowRelSBtn", "arrow-relation", "", "Style relation", Role::Press, TDPRptSpDr::ArrowRel, 0, ArrowGroup},
    {"ArrowLineSBtn", "arrow-line", "", "Style ligne", Role::Press, TDPRptSpDr::ArrowLine, 0, ArrowGroup},
    {"SupFirstPtSBtn", "", "P-", "Supprimer le premier point", Role::Press, 0, kSmall, NoGroup},
    {"SupLastPtSBtn", "", "D-", "Supprimer le dernier point", Role::Press, 0, kSmall, NoGroup},
    {"PolicePlusSBtn", "", "P+", "Police précédente", Role::Press, 0, kSmall, NoGroup},
    {"PoliceMinusSBtn", "", "P-", "Police suivante", Role::Press, 0, kSmall, NoGroup},
    {"PoliceSizePlusSBtn", "", "T+", "Agrandir la taille de la police", Role::Press, 0, kSmall, NoGroup},
    {"PoliceSizeMinusSBtn", "", "T-", "Diminuer la taille de la police", Role::Press, 0, kSmall, NoGroup},
    {"BoldSBtn", "", "G", "Texte en gras ou non", Role::Press, 0, kLarge, NoGroup},
    {"UnderlineSBtn", "", "S", "Texte souligné ou non", Role::Press, 0, kLarge, NoGroup},
};
// clang-format on

QString DescriptionOf(Role role, const QString& hint)
{
    switch (role) {
    case Role::Creation:
        return hint + QStringLiteral(", puis cliquer sur la page à l'endroit voulu");
    case Role::Colour:
        return QStringLiteral("Couleur de l'élément sélectionné : ") + hint;
    default:
        return hint;
    }
}
} // namespace

TEP_ToolsBarFrm::TEP_ToolsBarFrm(TEP_ToolsBar& bar)
    : QWidget(nullptr)
    , Bar(bar)
{
    setObjectName(QStringLiteral("TEP_ToolsBarFrm"));
    setAccessibleName(QStringLiteral("Boutons de la barre d'outils"));
    RefSBtn = new QToolButton(this);
    RefSBtn->setObjectName(QStringLiteral("RefSBtn"));
    RefSBtn->setAccessibleName(QStringLiteral("Bouton de référence"));
    RefSBtn->resize(TEP_ToolsBar::RefButtonWidth, TEP_ToolsBar::RefButtonHeight);
    RefSBtn->hide();
    SepPnlRef = new QFrame(this);
    SepPnlRef->setObjectName(QStringLiteral("SepPnlRef"));
    SepPnlRef->resize(TEP_ToolsBar::SeparatorThickness, TEP_ToolsBar::RefButtonHeight);
    SepPnlRef->hide();
    for (int index = 1; index <= SeparatorCount; ++index) {
        auto* separator = new QFrame(this);
        separator->setObjectName(QStringLiteral("SepPnl%1").arg(index));
        separator->setAccessibleName(QStringLiteral("Séparateur"));
        separator->setFrameShape(QFrame::VLine);
        separator->setFrameShadow(QFrame::Sunken);
        separator->hide();
        SepPnls.append(separator);
    }
    BuildHandle();
    BuildButtons();
    ToolsBarTimer.setSingleShot(true);
    connect(&ToolsBarTimer, &QTimer::timeout, this, &TEP_ToolsBarFrm::RepeatTick);
}

TEP_ToolsBarFrm::~TEP_ToolsBarFrm() = default;

void TEP_ToolsBarFrm::BuildHandle()
{
    ToolsBarDragPnl = new QFrame(this);
    ToolsBarDragPnl->setObjectName(QStringLiteral("ToolsBarDragPnl"));
    ToolsBarDragPnl->setAccessibleName(QStringLiteral("Poignée de la barre d'outils"));
    ToolsBarDragPnl->setAccessibleDescription(DragHint);
    ToolsBarDragPnl->setFrameShape(QFrame::StyledPanel);
    ToolsBarDragPnl->setFrameShadow(QFrame::Raised);
    ToolsBarDragPnl->setCursor(Qt::SizeAllCursor);
    ToolsBarDragPnl->installEventFilter(this);
    ToolsBarDragPnl->hide();
    // A press on the picture is a press on the handle at the same point.
    ToolsBarMovingImg = new QLabel(ToolsBarDragPnl);
    ToolsBarMovingImg->setObjectName(QStringLiteral("ToolsBarMovingImg"));
    ToolsBarMovingImg->setAttribute(Qt::WA_TransparentForMouseEvents);
    ToolsBarMovingImg->setAlignment(Qt::AlignCenter);
}

void TEP_ToolsBarFrm::BuildButtons()
{
    for (const ButtonDefinition& definition : kButtons) {
        const QString name = QString::fromLatin1(definition.name);
        auto* button
            = new TEP_ToolsBarButton(name, definition.role, definition.value, definition.tag, definition.group, this);
        button->Hint = QString::fromUtf8(definition.hint);
        button->Glyph = QString::fromLatin1(definition.glyph);
        button->setText(QString::fromUtf8(definition.caption));
        button->setAccessibleName(button->Hint);
        button->setAccessibleDescription(DescriptionOf(definition.role, button->Hint));
        button->hide();
        button->installEventFilter(this);
        switch (definition.role) {
        case Role::Creation:
            connect(button, &QToolButton::clicked, this, [this, button] { OnCreationButton(button); });
            break;
        case Role::Colour:
            connect(button, &QToolButton::clicked, this, [this, button] { ColorSBtnClick(button); });
            break;
        case Role::ShapeType:
            connect(button, &QToolButton::clicked, this, [this, button] { CirclesOrRectsSBtnClick(button); });
            break;
        case Role::Press:
            break;
        }
        m_buttons.insert(name, button);
        m_order.append(button);
    }
    Q_ASSERT(m_order.size() == 56);
}

QList<TEP_ToolsBarButton*> TEP_ToolsBarFrm::Group(int group) const
{
    QList<TEP_ToolsBarButton*> members;
    for (TEP_ToolsBarButton* button : m_order)
        if (button->Group() == group)
            members.append(button);
    return members;
}

QList<QWidget*> TEP_ToolsBarFrm::Controls() const
{
    QList<QWidget*> controls {ToolsBarDragPnl};
    for (QFrame* separator : SepPnls)
        controls.append(separator);
    for (TEP_ToolsBarButton* button : m_order)
        controls.append(button);
    return controls;
}

TEP_ToolsBarButton* TEP_ToolsBarFrm::ButtonOf(QObject* object) const
{
    auto* button = qobject_cast<TEP_ToolsBarButton*>(object);
    return button && m_buttons.value(button->objectName()) == button ? button : nullptr;
}

bool TEP_ToolsBarFrm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove
        && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint point = mouse->position().toPoint();
    if (watched == ToolsBarDragPnl) {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            ToolsBarDragPnlMouseDown(mouse->button(), point.x(), point.y());
        else if (type == QEvent::MouseMove)
            ToolsBarDragPnlMouseMove(point.x(), point.y());
        else
            ToolsBarDragPnlMouseUp();
        return true;
    }
    TEP_ToolsBarButton* button = ButtonOf(watched);
    if (!button || button->ButtonRole() != Role::Press || mouse->button() != Qt::LeftButton)
        return QWidget::eventFilter(watched, event);
    // The button still shows itself pressed (Qt's own handling goes on);
    // the command runs at the press and repeats until the release.
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        GenSBtnMouseDown(button, std::max(0, point.x()), std::max(0, point.y()));
    else if (type == QEvent::MouseButtonRelease)
        GenSBtnMouseUp(button);
    return QWidget::eventFilter(watched, event);
}
