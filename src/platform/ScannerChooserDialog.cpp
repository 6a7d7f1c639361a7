#include "ScannerChooserDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ScannerChooserDialog::ScannerChooserDialog(
    const QList<ScannerDevice>& devices, const QString& preferredDevice, QWidget* parent)
    : QDialog(parent)
    , m_devices(devices)
{
    setWindowTitle(QStringLiteral("Choix du scanner"));
    setAccessibleName(QStringLiteral("Choix du scanner"));
    m_prompt = new QLabel(
        devices.isEmpty() ? QStringLiteral("Aucun scanner n'a été trouvé.") : QStringLiteral("Choisissez le scanner :"),
        this);
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Scanners"));
    m_list->setAccessibleDescription(QStringLiteral("Les scanners disponibles sur cet ordinateur et le réseau"));
    m_list->addItems(Captions(devices));
    m_list->setMinimumWidth(420);
    m_prompt->setBuddy(m_list);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("Scanner avec ce scanner"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Annuler le scan"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, &ScannerChooserDialog::UpdateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_list);
    layout->addWidget(m_buttons);

    int row = 0;
    for (int i = 0; i < devices.size(); ++i)
        if (devices[i].name == preferredDevice)
            row = i;
    if (!devices.isEmpty())
        m_list->setCurrentRow(row);
    m_list->setFocus();
    UpdateButtons();
}

QStringList ScannerChooserDialog::Captions(const QList<ScannerDevice>& devices)
{
    QStringList labels;
    for (const ScannerDevice& device : devices)
        labels << device.Label();
    QStringList captions;
    for (int i = 0; i < devices.size(); ++i)
        captions << (labels.count(labels[i]) > 1 && labels[i] != devices[i].name
                ? QStringLiteral("%1 - %2").arg(labels[i], devices[i].name)
                : labels[i]);
    return captions;
}

void ScannerChooserDialog::UpdateButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_list->currentRow() >= 0);
}

QString ScannerChooserDialog::SelectedDevice() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_devices.size() ? m_devices[row].name : QString();
}

QString ScannerChooserDialog::Choose(
    QWidget* parent, const QList<ScannerDevice>& devices, const QString& preferredDevice)
{
    ScannerChooserDialog dialog(devices, preferredDevice, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.SelectedDevice() : QString();
}
