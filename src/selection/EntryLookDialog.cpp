#include "EntryLookDialog.h"

#include "documents/TEP_DocsNode.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const StyleNames[4] = {"Gras", "Italique", "Souligné", "Barré"};
const int StyleBits[4] = {TEP_DocsNode::Bold, TEP_DocsNode::Italic, TEP_DocsNode::Underline, TEP_DocsNode::StrikeOut};

} // namespace

EntryLookDialog::EntryLookDialog(const TEP_DocsNode& node, QWidget* parent)
    : QDialog(parent)
    , m_color(node.Color())
{
    setWindowTitle(QStringLiteral("Affichage de \"%1\"").arg(node.Name()));
    setAccessibleName(QStringLiteral("Affichage de l'élément"));
    setAccessibleDescription(QStringLiteral("Couleur et style du texte d'un élément de l'arbre des documents"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_ownColor = new QCheckBox(QStringLiteral("Couleur particulière"), this);
    m_ownColor->setChecked(!node.ColorInherits());
    m_ownColor->setAccessibleName(QStringLiteral("Couleur particulière"));
    m_ownColor->setAccessibleDescription(QStringLiteral("Décoché : la couleur du dossier parent"));
    m_colorButton = new QPushButton(QStringLiteral("Couleur ..."), this);
    m_colorButton->setAccessibleName(QStringLiteral("Couleur"));
    m_colorButton->setAccessibleDescription(QStringLiteral("Choisir la couleur du texte de l'élément"));
    connect(m_colorButton, &QPushButton::clicked, this, &EntryLookDialog::ChooseColor);
    connect(m_ownColor, &QCheckBox::toggled, this, &EntryLookDialog::UpdateEnabling);

    m_ownStyle = new QCheckBox(QStringLiteral("Style particulier"), this);
    m_ownStyle->setChecked(!node.StyleInherits());
    m_ownStyle->setAccessibleName(QStringLiteral("Style particulier"));
    m_ownStyle->setAccessibleDescription(QStringLiteral("Décoché : le style du dossier parent"));
    connect(m_ownStyle, &QCheckBox::toggled, this, &EntryLookDialog::UpdateEnabling);
    auto* styles = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_styles[i] = new QCheckBox(QString::fromUtf8(StyleNames[i]), this);
        m_styles[i]->setChecked(node.TextStyle() & StyleBits[i]);
        m_styles[i]->setAccessibleName(QString::fromUtf8(StyleNames[i]));
        m_styles[i]->setAccessibleDescription(QStringLiteral("Style du texte de l'élément"));
        styles->addWidget(m_styles[i]);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_ownColor);
    colorRow->addWidget(m_colorButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(colorRow);
    layout->addWidget(m_ownStyle);
    layout->addLayout(styles);
    layout->addWidget(buttons);
    SetColor(m_color);
    UpdateEnabling();
}

QCheckBox* EntryLookDialog::StyleBox(int bit) const
{
    for (int i = 0; i < 4; ++i) {
        if (StyleBits[i] == bit)
            return m_styles[i];
    }
    return nullptr;
}

void EntryLookDialog::SetColor(RgbColor color)
{
    m_color = color;
    const QColor shown = color.ToQColor();
    m_colorButton->setStyleSheet(QStringLiteral("color: %1;").arg(shown.name()));
}

int EntryLookDialog::Style() const
{
    int style = 0;
    for (int i = 0; i < 4; ++i) {
        if (m_styles[i]->isChecked())
            style |= StyleBits[i];
    }
    return style;
}

void EntryLookDialog::ChooseColor()
{
    const QColor chosen = QColorDialog::getColor(m_color.ToQColor(), this, QStringLiteral("Couleur de l'élément"));
    if (chosen.isValid())
        SetColor(RgbColor::FromQColor(chosen));
}

void EntryLookDialog::UpdateEnabling()
{
    m_colorButton->setEnabled(m_ownColor->isChecked());
    for (QCheckBox* box : m_styles)
        box->setEnabled(m_ownStyle->isChecked());
}

bool EntryLookDialog::ApplyTo(TEP_DocsNode& node) const
{
    const RgbColor colorBefore = node.Color();
    const bool colorInheritedBefore = node.ColorInherits();
    const int styleBefore = node.TextStyle();
    const bool styleInheritedBefore = node.StyleInherits();
    if (m_ownColor->isChecked())
        node.SetOwnColor(m_color);
    else
        node.InheritColor();
    if (m_ownStyle->isChecked())
        node.SetOwnStyle(Style());
    else
        node.InheritStyle();
    return node.Color() != colorBefore || node.ColorInherits() != colorInheritedBefore
        || node.TextStyle() != styleBefore || node.StyleInherits() != styleInheritedBefore;
}

bool EntryLookDialog::Edit(TEP_DocsNode& node, QWidget* parent)
{
    EntryLookDialog dialog(node, parent);
    return dialog.exec() == Accepted && dialog.ApplyTo(node);
}
