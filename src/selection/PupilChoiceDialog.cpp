#include "PupilChoiceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PupilChoiceDialog::PupilChoiceDialog(const QStringList& pupils, QWidget* parent)
    : QDialog(parent)
{
    const QString title = QStringLiteral("Exporter le travail de la classe en PDF");
    setWindowTitle(title);
    setAccessibleName(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_all = new QRadioButton(QStringLiteral("Tous les élèves qui ont travaillé"), this);
    m_chosen = new QRadioButton(QStringLiteral("Les élèves cochés :"), this);
    m_all->setChecked(true);
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Élèves"));
    m_list->setAccessibleDescription(QStringLiteral("Espace coche ou décoche l'élève"));
    for (const QString& pupil : pupils) {
        auto* item = new QListWidgetItem(pupil, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_list->setEnabled(false);
    m_chosen->setEnabled(!pupils.isEmpty());
    connect(m_chosen, &QRadioButton::toggled, m_list, &QWidget::setEnabled);
    // Ticking a pupil means a choice of pupils.
    connect(m_list, &QListWidget::itemChanged, this, [this] {
        if (!Ticked().isEmpty())
            m_chosen->setChecked(true);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Exporter <Entrée>"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler <Échap>"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A choice of pupils with nobody ticked exports nothing.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    const auto updateOk = [this, ok] { ok->setEnabled(m_all->isChecked() || !Ticked().isEmpty()); };
    connect(m_chosen, &QRadioButton::toggled, this, updateOk);
    connect(m_list, &QListWidget::itemChanged, this, updateOk);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Pages de quels élèves ?"), this));
    layout->addWidget(m_all);
    layout->addWidget(m_chosen);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    m_all->setFocus();
}

QStringList PupilChoiceDialog::Ticked() const
{
    QStringList ticked;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->checkState() == Qt::Checked)
            ticked << m_list->item(row)->text();
    return ticked;
}

std::optional<QStringList> PupilChoiceDialog::Answer() const
{
    if (result() != Accepted)
        return std::nullopt;
    if (m_all->isChecked())
        return QStringList();
    const QStringList ticked = Ticked();
    if (ticked.isEmpty())
        return std::nullopt;
    return ticked;
}

std::optional<QStringList> PupilChoiceDialog::Ask(const QStringList& pupils, QWidget* parent)
{
    PupilChoiceDialog dialog(pupils, parent);
    dialog.exec();
    return dialog.Answer();
}
