#include "TEP_QuitFrm.h"

#include "KeyPanel.h"
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

TEP_QuitFrm::TEP_QuitFrm(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Sortir"));
    setAccessibleName(QStringLiteral("Sortir"));
    setAccessibleDescription(QStringLiteral("Question : quitter Ardoisine"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* question = new QLabel(QStringLiteral("Quitter Ardoisine ?"), this);
    question->setAlignment(Qt::AlignCenter);
    QFont font = question->font();
    font.setPointSize(16);
    font.setBold(true);
    question->setFont(font);

    m_yesPanel = new KeyPanel(QStringLiteral("OUI <Enter>"), QStringLiteral("Oui"),
        QStringLiteral("Quitter Ardoisine (touche Entrée)"), this);
    m_noPanel = new KeyPanel(QStringLiteral("NON <Esc>"), QStringLiteral("Non"),
        QStringLiteral("Revenir à la sélection du document (touche Echap)"), this);
    m_yesPanel->setMinimumSize(150, 56);
    m_noPanel->setMinimumSize(150, 56);
    connect(m_yesPanel, &KeyPanel::clicked, this, [this] { Close(true); });
    connect(m_noPanel, &KeyPanel::clicked, this, [this] { Close(false); });

    auto* panels = new QHBoxLayout;
    panels->addWidget(m_yesPanel);
    panels->addWidget(m_noPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(16);
    layout->addWidget(question);
    layout->addLayout(panels);
    setFixedSize(sizeHint());
}

bool TEP_QuitFrm::Ask(QWidget* parent)
{
    TEP_QuitFrm window(parent);
    window.exec();
    return window.Answer();
}

void TEP_QuitFrm::keyPressEvent(QKeyEvent* event)
{
    const TranslatedKey key = KeyTranslator::Translate(*event);
    if (key.code == WindowsKeys::Return)
        return Close(true);
    if (key.code == WindowsKeys::Escape)
        return Close(false);
    event->ignore();
}

void TEP_QuitFrm::Close(bool yes)
{
    m_yes = yes;
    done(yes ? Accepted : Rejected);
}
