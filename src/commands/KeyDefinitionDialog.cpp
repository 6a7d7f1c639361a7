#include "KeyDefinitionDialog.h"

#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

KeyDefinitionDialog::KeyDefinitionDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("KeyPanel"));
    setWindowTitle(Title);
    setAccessibleName(QStringLiteral("Redéfinition d'une touche"));
    setAccessibleDescription(QStringLiteral("La touche, le libellé et la police d'une commande de la trousse"));
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(Title, this);
    m_prompt->setObjectName(QStringLiteral("KeyPanelPrompt"));
    QFont big = m_prompt->font();
    big.setPointSize(14);
    big.setBold(true);
    m_prompt->setFont(big);
    m_prompt->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_prompt);

    m_buttons = new QWidget(this);
    auto* buttons = new QVBoxLayout(m_buttons);
    buttons->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const QString& text, const QString& name) {
        auto* made = new QPushButton(text, m_buttons);
        made->setObjectName(name);
        made->setAccessibleName(text);
        made->setAutoDefault(false);
        return made;
    };
    m_chooseKey = button(QStringLiteral("Choisir une nouvelle touche"), QStringLiteral("ChooseKeyBtn"));
    buttons->addWidget(m_chooseKey);
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(new QLabel(QStringLiteral("Libellé :"), m_buttons));
    m_caption = new QLineEdit(m_buttons);
    m_caption->setObjectName(QStringLiteral("CmdPnlLblEdt"));
    m_caption->setAccessibleName(QStringLiteral("Libellé de la commande"));
    captionRow->addWidget(m_caption);
    m_font = button(QStringLiteral("Police libellé"), QStringLiteral("CaptionFontBtn"));
    captionRow->addWidget(m_font);
    buttons->addLayout(captionRow);
    m_standard = button(
        QStringLiteral("Activer les touches 'clavier standard' par défaut"), QStringLiteral("StandardKeysBtn"));
    m_laptop
        = button(QStringLiteral("Activer les touches 'clavier portable' par défaut"), QStringLiteral("LaptopKeysBtn"));
    m_laptop->setEnabled(false);
    buttons->addWidget(m_standard);
    buttons->addWidget(m_laptop);
    auto* endRow = new QHBoxLayout;
    m_ok = button(QStringLiteral("OK"), QStringLiteral("OkBtn"));
    m_cancel = button(QStringLiteral("Annuler"), QStringLiteral("CancelBtn"));
    endRow->addStretch();
    endRow->addWidget(m_ok);
    endRow->addWidget(m_cancel);
    buttons->addLayout(endRow);
    layout->addWidget(m_buttons);

    connect(m_chooseKey, &QPushButton::clicked, this, &KeyDefinitionDialog::StartCapture);
    connect(m_font, &QPushButton::clicked, this, &KeyDefinitionDialog::FontWanted);
    connect(m_standard, &QPushButton::clicked, this, &KeyDefinitionDialog::StandardWanted);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void KeyDefinitionDialog::StartCapture()
{
    m_capturing = true;
    m_buttons->hide();
    setFocus();
}

bool KeyDefinitionDialog::TakeKey(int keyCode, quint8 character)
{
    if (!m_capturing)
        return false;
    // Shift, Ctrl and Alt alone are not keys: Shift+K is K's code with "K".
    if (keyCode == 0 && character == 0)
        return true;
    if (keyCode == WindowsKeys::Shift || keyCode == WindowsKeys::Control || keyCode == WindowsKeys::Alt)
        return true;
    PendingKeyCode = quint16(keyCode);
    PendingKeyChar = character;
    m_capturing = false;
    m_buttons->show();
    m_ok->setFocus();
    return true;
}

void KeyDefinitionDialog::keyPressEvent(QKeyEvent* event)
{
    if (m_capturing) {
        const TranslatedKey key = KeyTranslator::Translate(*event);
        TakeKey(key.code, key.character);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
