// The palette's panels: the main panel with its exact geometry (the arrow
// navigation follows it), the text panel and the item panel with their
// groups, the key vocabulary's initial keys and the fixed neighbours.
#include "TPaFrmForm.h"

#include "CommandPictures.h"
#include "CommandVocabulary.h"
#include "TDPanel.h"

#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"

#include "config/TEP_Config.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int kTitleHeight = 15;
const QString kSans = QStringLiteral("MS Sans Serif");

QFont CaptionFont(const QString& family, int size, bool bold = false)
{
    QFont font(family);
    font.setPointSize(size);
    font.setBold(bold);
    return font;
}

struct ColourFace {
    const char* suffix;
    QColor colour;
    const char* does;
};
const ColourFace kColours[] = {{"Black", QColor(0, 0, 0), "Noir"}, {"Green", QColor(0, 128, 0), "Vert"},
    {"Blue", QColor(0, 0, 255), "Bleu"}, {"Red", QColor(255, 0, 0), "Rouge"}, {"Orange", QColor(255, 128, 0), "Orange"},
    {"Yellow", QColor(255, 255, 0), "Jaune"}};
} // namespace

QLabel* TPaFrmForm::MakeTitle(QWidget* parent, const QString& text, QRect geometry)
{
    auto* title = new QLabel(parent);
    title->setTextFormat(Qt::PlainText);
    title->setText(text);
    title->setGeometry(geometry);
    title->setFont(CaptionFont(QStringLiteral("Arial"), 8, true));
    title->setAccessibleName(text);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    return title;
}

TDPanel* TPaFrmForm::MakeGroup(
    TDPanel* parent, QWidget* host, const QString& name, QRect geometry, const QString& title)
{
    auto* control = new QLabel(host);
    control->setObjectName(name);
    control->setGeometry(geometry);
    control->setFrameShape(QFrame::Panel);
    control->setFrameShadow(QFrame::Raised);
    control->setAccessibleName(title.isEmpty() ? name : title);
    control->setAccessibleDescription(QStringLiteral("Groupe de commandes de la trousse"));
    m_panels.push_back(
        std::make_unique<TDPanel>(control, false, nullptr, nullptr, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, this));
    TDPanel* group = m_panels.back().get();
    if (!title.isEmpty())
        MakeTitle(control, title, QRect(4, 1, geometry.width() - 8, kTitleHeight));
    if (parent)
        parent->Add(group);
    return group;
}

TDPanel* TPaFrmForm::MakeCommand(TDPanel* group, const QString& name, QRect geometry, const QString& face,
    const QString& picture, const QString& caption, const QFont& font, const QString& does)
{
    QWidget* host = group->Ctrl;
    auto* control = new QLabel(host);
    control->setObjectName(name);
    control->setTextFormat(Qt::PlainText);
    control->setGeometry(geometry);
    control->setFrameShape(QFrame::Panel);
    control->setFrameShadow(QFrame::Raised);
    control->setAccessibleName(does);
    control->setAccessibleDescription(QStringLiteral("Commande %1").arg(TDPanel::DisplayedCaption(caption)));
    control->setToolTip(does);
    const QString base = name.left(name.size() - 4); // without "_Pnl"
    QLabel* label = nullptr;
    QLabel* image = nullptr;
    if (face.isEmpty() && picture.isEmpty()) {
        // The panel shows its caption itself.
        control->setText(TDPanel::DisplayedCaption(caption));
        control->setAlignment(Qt::AlignCenter);
        control->setFont(font);
    } else {
        label = new QLabel(control);
        label->setTextFormat(Qt::PlainText);
        label->setText(TDPanel::DisplayedCaption(caption));
        label->setObjectName(base + QStringLiteral("_Lbl"));
        label->setFont(font);
        const bool tall = geometry.height() > 40;
        if (!picture.isEmpty()) {
            image = new QLabel(control);
            image->setObjectName(base + QStringLiteral("_Img"));
            const int side = tall ? 44 : geometry.height() - 6;
            image->setPixmap(CommandPictures::Picture(picture, QSize(side, side)));
            image->setGeometry(tall ? QRect((geometry.width() - side) / 2, 3, side, side) : QRect(3, 3, side, side));
        }
        if (!face.isEmpty()) {
            control->setText(face);
            control->setFont(CaptionFont(QStringLiteral("Arial"), 8, true));
            control->setIndent(4);
            control->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        if (tall)
            label->setGeometry(2, geometry.height() - 20, geometry.width() - 4, 18);
        else
            label->setGeometry(2, 2, geometry.width() - 6, geometry.height() - 4);
        label->setAlignment(tall ? Qt::AlignHCenter | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    }
    const CommandVocabulary::InitialKey* key = CommandVocabulary::Initial(name);
    Q_ASSERT_X(key, "TPaFrmForm::MakeCommand", qPrintable(name));
    const bool autoRepeat = group != m_mainGroup;
    m_panels.push_back(std::make_unique<TDPanel>(control, autoRepeat, label, image, 0, key ? key->keyChar : 0,
        key ? key->keyCode : 0, nullptr, nullptr, nullptr, nullptr, this));
    TDPanel* command = m_panels.back().get();
    command->SetCaption(caption);
    group->Add(command);
    return command;
}

void TPaFrmForm::BuildPanels()
{
    BuildMainPanel();
    BuildTextPanel();
    BuildItemPanel();
    SetFixedNeighbours();
    BuildGroupsList();
}

void TPaFrmForm::BuildMainPanel()
{
    m_mainGroup = MakeGroup(nullptr, this, QStringLiteral("MainPnl"), QRect(0, 0, 633, 106), QString());
    m_mainPnl = m_mainGroup->Ctrl;
    m_mainPnl->setAccessibleName(QStringLiteral("Trousse : commandes générales"));
    m_mainPnl->setAccessibleDescription(
        QStringLiteral("Ajout et suppression des éléments, zoom, pages, sons, impression"));
    const QFont main = CaptionFont(kSans, 10);
    const auto add = [&](const char* name, QRect geometry, const QString& face, const char* picture,
                         const char* caption, const QString& does) {
        return MakeCommand(m_mainGroup, QString::fromLatin1(name), geometry, face, QString::fromLatin1(picture),
            QString::fromLatin1(caption), main, does);
    };
    // Member order is the tie-break of shared keys.
    add("Select_Txt_Pnl", {4, 5, 73, 24}, QStringLiteral("Texte"), "", "<T>", QStringLiteral("Nouveau texte"));
    add("Select_HL_Pnl", {76, 5, 89, 24}, QStringLiteral("Surligner"), "", "<S>", QStringLiteral("Nouveau surlignage"));
    add("Select_Rect_Pnl", {4, 35, 54, 68}, QString(), "rect", "<A>", QStringLiteral("Nouveau rectangle"));
    add("Select_Cross_Pnl", {60, 35, 54, 68}, QString(), "cross", "<B>", QStringLiteral("Nouvelle croix"));
    add("Select_HLine_Pnl", {116, 35, 54, 68}, QString(), "hline", "<C>", QStringLiteral("Nouveau trait horizontal"));
    add("Select_Rel_Pnl", {172, 35, 54, 68}, QString(), "rel", "<D>", QStringLiteral("Nouvelle flèche de relation"));
    add("Select_Circle_Pnl", {228, 35, 54, 68}, QString(), "circle", "<E>", QStringLiteral("Nouveau cercle"));
    add("Select_Brackets_Pnl", {284, 35, 54, 68}, QString(), "brackets", "<F>", QStringLiteral("Nouveaux crochets"));
    add("Select_Lines_Pnl", {340, 35, 54, 68}, QString(), "lines", "<G>", QStringLiteral("Nouvelle ligne brisée"));
    add("SoundC_Pnl", {520, 5, 50, 24}, QString(), "sound-c", "</>", QStringLiteral("Écouter la consigne"));
    add("SoundA_Pnl", {574, 5, 54, 24}, QString(), "sound-a", "<*>", QStringLiteral("Écouter l'aide"));
    add("Zoom1_Pnl", {171, 5, 61, 24}, QStringLiteral(" Petit"), "", "<1>", QStringLiteral("Zoom : petit"));
    add("Zoom2_Pnl", {231, 5, 76, 24}, QStringLiteral("Normal"), "", "<2>", QStringLiteral("Zoom : normal"));
    add("Zoom3_Pnl", {306, 5, 71, 24}, QStringLiteral(" Grand"), "", "<3>", QStringLiteral("Zoom : grand"));
    add("PrevDoc_Pnl", {555, 50, 52, 24}, QString(), "prev-doc", "<0>", QStringLiteral("Page précédente"));
    add("NextDoc_Pnl", {555, 75, 52, 24}, QString(), "next-doc", "<.>", QStringLiteral("Page suivante"));
    add("Sup_Pnl", {454, 75, 82, 24}, QString(), "delete", "<Suppr>", QStringLiteral("Supprimer l'élément"));
    add("Imp_Pnl", {384, 5, 52, 24}, QString(), "printer", "<i>", QStringLiteral("Imprimer la page"));
    add("Esc_Pnl", {439, 5, 51, 24}, QString(), "", " <Esc.>", QStringLiteral("Sortir"));
    add("PrevIt_Pnl", {402, 50, 50, 24}, QString(), "prev-item", "<->", QStringLiteral("Élément précédent"));
    add("NextIt_Pnl", {402, 75, 50, 24}, QString(), "next-item", "<+>", QStringLiteral("Élément suivant"));
    add("EditIt_Pnl", {454, 50, 82, 24}, QString(), "edit-item", "<Enter>", QStringLiteral("Modifier l'élément"));
    MakeTitle(m_mainPnl, QStringLiteral("Elément"), QRect(402, 33, 130, kTitleHeight));
    MakeTitle(m_mainPnl, QStringLiteral("Page"), QRect(555, 33, 52, kTitleHeight));
    // The top row is full from edge to edge: "Zoom :" is said by the
    // zoom commands' names and hints.
    m_mainGroup->BuildNeighbours();
}

void TPaFrmForm::BuildMovePanel(TDPanel* top, QWidget* parent, bool text)
{
    const QString prefix = text ? QStringLiteral("Text") : QStringLiteral("It");
    const int width = text ? 217 : 241;
    TDPanel* group = MakeGroup(top, parent, prefix + QStringLiteral("MovePnl"), QRect(0, 0, width, 112),
        QStringLiteral("Déplacements / couleurs"));
    const QFont small = CaptionFont(kSans, 8);
    const int cell = text ? 23 : 26;
    const int gap = cell + 1;
    const struct {
        const char* suffix;
        int column, row;
        const char* caption;
        const char* does;
    } moves[] = {{"UpLeft", 0, 0, "<7>", "Déplacer en haut à gauche"}, {"Up", 1, 0, "<8>", "Déplacer vers le haut"},
        {"UpRight", 2, 0, "<9>", "Déplacer en haut à droite"}, {"Left", 0, 1, "<4>", "Déplacer vers la gauche"},
        {"Right", 2, 1, "<6>", "Déplacer vers la droite"}, {"DownLeft", 0, 2, "<1>", "Déplacer en bas à gauche"},
        {"Down", 1, 2, "<2>", "Déplacer vers le bas"}, {"DownRight", 2, 2, "<3>", "Déplacer en bas à droite"}};
    for (const auto& move : moves)
        MakeCommand(group, prefix + QLatin1String(move.suffix) + QStringLiteral("_Pnl"),
            QRect(4 + move.column * gap, 18 + move.row * 23, cell, 22), QString(), QString(),
            QString::fromLatin1(move.caption), small, QString::fromUtf8(move.does));
    QLabel*& step = text ? m_step2 : m_step1;
    step = new QLabel(group->Ctrl);
    step->setObjectName(text ? QStringLiteral("MVStep2Pnl") : QStringLiteral("MVStep1Pnl"));
    step->setAccessibleName(QStringLiteral("Pas de déplacement"));
    step->setGeometry(4 + gap, 41, cell, 22);
    step->setAlignment(Qt::AlignCenter);
    step->setFrameShape(QFrame::Box);
    step->setFont(CaptionFont(kSans, 8, true));
    const int stepsLeft = 4 + 3 * gap + 5;
    const struct {
        const char* suffix;
        const char* caption;
        const char* does;
    } steps[] = {{"Dep1", "</>", "Pas de 1"}, {"DepLess", "<->", "Pas plus petit"},
        {"DepMore", "<+>", "Pas plus grand"}, {"Dep20", "<*>", "Pas de 20"}};
    for (int i = 0; i < 4; ++i)
        MakeCommand(group, prefix + QLatin1String(steps[i].suffix) + QStringLiteral("_Pnl"),
            QRect(stepsLeft + i * gap, 18, cell, 22), QString(), QString(), QString::fromLatin1(steps[i].caption),
            small, QString::fromUtf8(steps[i].does));
    const int escLeft = stepsLeft + 4 * gap + 2;
    MakeCommand(group, prefix + QStringLiteral("Esc_Pnl"), QRect(escLeft, 18, width - escLeft - 4, 22), QString(),
        QString(), QStringLiteral("<Esc>"), small, QStringLiteral("Fin de la modification"));
    const int colourWidth = (width - 8) / 6;
    for (int i = 0; i < 6; ++i) {
        const QString base = prefix + QLatin1String(kColours[i].suffix);
        // The colour itself carries the caption (an inner panel).
        auto* swatch = new QLabel(group->Ctrl);
        swatch->setObjectName(base + QStringLiteral("_SubPnl"));
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, kColours[i].colour);
        palette.setColor(QPalette::WindowText, kColours[i].colour.lightness() < 110 ? Qt::white : Qt::black);
        swatch->setPalette(palette);
        swatch->setAutoFillBackground(true);
        swatch->setAlignment(Qt::AlignCenter);
        swatch->setFont(CaptionFont(QStringLiteral("Arial Narrow"), 9));
        const QString key
            = QStringLiteral("<%1>").arg(QChar(CommandVocabulary::Initial(base + QStringLiteral("_Pnl"))->keyChar));
        swatch->setTextFormat(Qt::PlainText);
        swatch->setText(key);
        TDPanel* command = MakeCommand(group, base + QStringLiteral("_Pnl"),
            QRect(4 + i * colourWidth, 88, colourWidth - 1, 20), QString(), QString(), key,
            CaptionFont(QStringLiteral("Arial Narrow"), 9), QString::fromLatin1(kColours[i].does));
        swatch->setParent(command->Ctrl);
        swatch->setGeometry(3, 3, colourWidth - 7, 14);
        swatch->show();
        static_cast<QLabel*>(command->Ctrl.data())->setText(QString());
        command->SubPnl = swatch;
        swatch->installEventFilter(command);
        command->SetCaption(key);
    }
    // Pen sizes come after the colours in the group's order.
    if (!text) {
        MakeCommand(group, QStringLiteral("PenSizeLess_Pnl"), QRect(stepsLeft, 41, 52, 22), QStringLiteral("Fin"),
            QString(), QStringLiteral("<M>"), small, QStringLiteral("Trait plus fin"));
        MakeCommand(group, QStringLiteral("PenSizeMore_Pnl"), QRect(stepsLeft + 2 * gap, 41, 52, 22),
            QStringLiteral("Gros"), QString(), QStringLiteral("<P>"), small, QStringLiteral("Trait plus épais"));
        MakeTitle(group->Ctrl, QStringLiteral("Epaiss."), QRect(stepsLeft + 4 * gap + 2, 45, 40, kTitleHeight));
    }
}

void TPaFrmForm::BuildTextPanel()
{
    m_textGroup = MakeGroup(nullptr, this, QStringLiteral("TextPnl"), QRect(0, 0, 617, 112), QString());
    m_textPnl = m_textGroup->Ctrl;
    m_textPnl->setAccessibleName(QStringLiteral("Trousse : texte"));
    m_textPnl->setAccessibleDescription(QStringLiteral("Déplacement, couleur, police et contenu du texte"));
    m_textPnl->hide();
    BuildMovePanel(m_textGroup, m_textPnl, true);
    TDPanel* params
        = MakeGroup(m_textGroup, m_textPnl, QStringLiteral("TextParamsPnl"), QRect(217, 0, 400, 112), QString());
    QWidget* host = params->Ctrl;
    MakeTitle(host, QStringLiteral("Police"), QRect(4, 1, 150, kTitleHeight));
    MakeTitle(host, QStringLiteral("Taille"), QRect(196, 1, 100, kTitleHeight));
    MakeTitle(host, QStringLiteral("Souligné"), QRect(306, 1, 50, kTitleHeight));
    MakeTitle(host, QStringLiteral("Gras"), QRect(356, 1, 40, kTitleHeight));
    const QFont small = CaptionFont(kSans, 8);
    const QFont medium = CaptionFont(kSans, 10);
    MakeCommand(params, QStringLiteral("TextContent_Pnl"), QRect(44, 78, 34, 26), QString(), QString(),
        QStringLiteral("<T>"), small, QStringLiteral("Taper le texte"));
    MakeCommand(params, QStringLiteral("TextPrevFont_Pnl"), QRect(4, 18, 34, 24), QString(), QString(),
        QStringLiteral("<P>"), small, QStringLiteral("Police précédente"));
    MakeCommand(params, QStringLiteral("TextNextFont_Pnl"), QRect(160, 18, 34, 24), QString(), QString(),
        QStringLiteral("<S>"), small, QStringLiteral("Police suivante"));
    MakeCommand(params, QStringLiteral("TextFontSizeLess_Pnl"), QRect(196, 18, 30, 24), QString(), QString(),
        QStringLiteral("<->"), medium, QStringLiteral("Texte plus petit"));
    MakeCommand(params, QStringLiteral("TextFontSizeMore_Pnl"), QRect(274, 18, 30, 24), QString(), QString(),
        QStringLiteral("<+>"), medium, QStringLiteral("Texte plus grand"));
    MakeCommand(params, QStringLiteral("TextUnderline_Pnl"), QRect(306, 44, 46, 24), QString(), QString(),
        QStringLiteral("<_>"), small, QStringLiteral("Souligné"));
    MakeCommand(params, QStringLiteral("TextBold_Pnl"), QRect(356, 44, 40, 24), QString(), QString(),
        QStringLiteral("<G>"), small, QStringLiteral("Gras"));
    m_fontNames = new QComboBox(host);
    m_fontNames->setObjectName(QStringLiteral("FontNamesCBox"));
    m_fontNames->setAccessibleName(QStringLiteral("Police du texte"));
    m_fontNames->setGeometry(40, 18, 118, 24);
    m_fontSizes = new QComboBox(host);
    m_fontSizes->setObjectName(QStringLiteral("FontSizesCBox"));
    m_fontSizes->setAccessibleName(QStringLiteral("Taille du texte"));
    m_fontSizes->setGeometry(228, 18, 44, 24);
    m_underline = new QCheckBox(host);
    m_underline->setObjectName(QStringLiteral("UnderlineCBox"));
    m_underline->setAccessibleName(QStringLiteral("Souligné"));
    m_underline->setGeometry(320, 20, 20, 20);
    m_bold = new QCheckBox(host);
    m_bold->setObjectName(QStringLiteral("BoldCBox"));
    m_bold->setAccessibleName(QStringLiteral("Gras"));
    m_bold->setGeometry(368, 20, 20, 20);
    // The boxes show the item's font; only the commands change it.
    for (QWidget* box : std::initializer_list<QWidget*> {m_fontNames, m_fontSizes, m_underline, m_bold})
        box->setEnabled(false);
    MakeTitle(host, QStringLiteral("Texte"), QRect(4, 82, 40, kTitleHeight));
    m_textEdt = new QLineEdit(host);
    m_textEdt->setObjectName(QStringLiteral("TextEdt"));
    m_textEdt->setAccessibleName(QStringLiteral("Texte de l'élément"));
    m_textEdt->setAccessibleDescription(QStringLiteral("<Entrée> : retour à la ligne, <F3> : grande fenêtre"));
    m_textEdt->setGeometry(80, 78, 316, 26);
    m_textEdt->installEventFilter(this);
    connect(m_textEdt, &QLineEdit::textChanged, this, &TPaFrmForm::TextBoxChanged);
    TextContentHighlighted(false);
}

void TPaFrmForm::BuildItemPanel()
{
    m_itemGroup = MakeGroup(nullptr, this, QStringLiteral("ItEditPnl"), QRect(0, 0, 560, 112), QString());
    m_itEditPnl = m_itemGroup->Ctrl;
    m_itEditPnl->setAccessibleName(QStringLiteral("Trousse : élément"));
    m_itEditPnl->setAccessibleDescription(QStringLiteral("Déplacement, couleur, taille et forme de l'élément"));
    m_itEditPnl->hide();
    BuildMovePanel(m_itemGroup, m_itEditPnl, false);
    const QFont small = CaptionFont(kSans, 8);

    TDPanel* size
        = MakeGroup(m_itemGroup, m_itEditPnl, QStringLiteral("ItSizePnl"), QRect(241, 0, 112, 112), QString());
    m_sizeTitle = MakeTitle(size->Ctrl, QStringLiteral("AGRANDIR"), QRect(4, 1, 80, kTitleHeight));
    m_sizeSign = MakeTitle(size->Ctrl, QStringLiteral("+"), QRect(90, 1, 18, kTitleHeight));
    const auto keypad = [&](TDPanel* group, const QString& prefix, int width, int height, const QString& does) {
        for (const int digit : {7, 8, 9, 4, 6, 1, 2, 3}) {
            const int column = (digit - 1) % 3, row = 2 - (digit - 1) / 3;
            MakeCommand(group, prefix + QString::number(digit) + QStringLiteral("_Pnl"),
                QRect(4 + column * (width + 2), 18 + row * (height + 2), width, height), QString(), QString(),
                QStringLiteral("<%1>").arg(digit), small, does);
        }
    };
    MakeCommand(size, QStringLiteral("ItSizeML_Pnl"), QRect(4 + 34 + 2, 18 + 28 + 2, 34, 28), QString(), QString(),
        QStringLiteral("<5>"), small, QStringLiteral("Agrandir ou diminuer"));
    keypad(size, QStringLiteral("ItSize"), 34, 28, QStringLiteral("Changer la taille"));

    TDPanel* lines = MakeGroup(m_itemGroup, m_itEditPnl, QStringLiteral("ItLinesPnl"), QRect(241, 0, 280, 112),
        QStringLiteral("Tracer les lignes"));
    keypad(lines, QStringLiteral("DepL"), 30, 28, QStringLiteral("Tracer un trait"));
    MakeCommand(lines, QStringLiteral("DepLP_Pnl"), QRect(104, 18, 172, 40), QString(), QString(),
        QStringLiteral("Supprimer le premier trait <P>"), small, QStringLiteral("Supprimer le premier trait"));
    MakeCommand(lines, QStringLiteral("DepLD_Pnl"), QRect(104, 64, 172, 40), QString(), QString(),
        QStringLiteral("Supprimer le dernier trait <D>"), small, QStringLiteral("Supprimer le dernier trait"));

    TDPanel* arrow
        = MakeGroup(m_itemGroup, m_itEditPnl, QStringLiteral("ArrowItFnctPnl"), QRect(241, 0, 200, 112), QString());
    MakeTitle(arrow->Ctrl, QStringLiteral("Tourner"), QRect(4, 1, 92, kTitleHeight));
    MakeTitle(arrow->Ctrl, QStringLiteral("Allonger/Diminuer"), QRect(4, 45, 96, kTitleHeight));
    MakeTitle(arrow->Ctrl, QStringLiteral("Type de flèche"), QRect(104, 1, 92, kTitleHeight));
    MakeCommand(arrow, QStringLiteral("ArrowNonClockWise_Pnl"), QRect(4, 18, 44, 24), QStringLiteral("↺"), QString(),
        QStringLiteral("<7>"), small, QStringLiteral("Tourner à gauche"));
    MakeCommand(arrow, QStringLiteral("ArrowClockWise_Pnl"), QRect(52, 18, 44, 24), QStringLiteral("↻"), QString(),
        QStringLiteral("<9>"), small, QStringLiteral("Tourner à droite"));
    MakeCommand(arrow, QStringLiteral("ArrowLengthening_Pnl"), QRect(4, 62, 44, 24), QStringLiteral("+"), QString(),
        QStringLiteral("<1>"), small, QStringLiteral("Allonger"));
    MakeCommand(arrow, QStringLiteral("ArrowNarrowing_Pnl"), QRect(52, 62, 44, 24), QStringLiteral("−"), QString(),
        QStringLiteral("<3>"), small, QStringLiteral("Diminuer"));
    MakeCommand(arrow, QStringLiteral("ArrowArrowT_Pnl"), QRect(104, 18, 92, 24), QStringLiteral("Flèche"), QString(),
        QStringLiteral("<F>"), small, QStringLiteral("Flèche"));
    MakeCommand(arrow, QStringLiteral("ArrowRelT_Pnl"), QRect(104, 44, 92, 24), QStringLiteral("Relation"), QString(),
        QStringLiteral("<R>"), small, QStringLiteral("Relation"));
    MakeCommand(arrow, QStringLiteral("ArrowLineT_Pnl"), QRect(104, 70, 92, 24), QStringLiteral("Trait"), QString(),
        QStringLiteral("<T>"), small, QStringLiteral("Trait"));

    const auto kinds = [&](const QString& group, const QString& title, const QStringList& names, const QString& noun) {
        TDPanel* made = MakeGroup(m_itemGroup, m_itEditPnl, group, QRect(353, 0, 110, 112), title);
        const QStringList faces {QStringLiteral("Contour"), QStringLiteral("Entouré"), QStringLiteral("Plein")};
        for (int i = 0; i < 3; ++i)
            MakeCommand(made, names[i], QRect(4, 18 + i * 30, 102, 28), faces[i], QString(),
                QStringLiteral("<%1>").arg(i + 1), small, noun + QLatin1Char(' ') + faces[i].toLower());
    };
    kinds(QStringLiteral("CircleItTypePnl"), QStringLiteral("Type de cercle"),
        {QStringLiteral("Circle_Pnl"), QStringLiteral("SCircle_Pnl"), QStringLiteral("FullCircle_Pnl")},
        QStringLiteral("Cercle"));
    kinds(QStringLiteral("RectItTypePnl"), QStringLiteral("Type de rectangle"),
        {QStringLiteral("Rect_Pnl"), QStringLiteral("SRect_Pnl"), QStringLiteral("FullRect_Pnl")},
        QStringLiteral("Rectangle"));
}

void TPaFrmForm::BuildGroupsList()
{
    for (const char* name : {"MainPnl", "TextPnl", "TextMovePnl", "TextParamsPnl", "ItEditPnl", "ItMovePnl",
             "ItSizePnl", "ItLinesPnl", "ArrowItFnctPnl", "CircleItTypePnl", "RectItTypePnl"})
        for (const auto& panel : m_panels)
            if (panel->Name() == QLatin1String(name))
                GroupsList.Add(panel.get());
}
