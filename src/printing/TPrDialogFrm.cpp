#include "printing/TPrDialogFrm.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

// The information message has the size of the original window; the two
// printing panels are sized to their text.
constexpr QSize MessageSize(494, 88);
constexpr QSize PrintConfirmSize(400, 160);
constexpr QSize WaitPrintSize(440, 185);

QFrame* NewPanel(QWidget* parent, const QString& name, const QString& accessibleName, QSize size)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setAccessibleName(accessibleName);
    panel->setFixedSize(size);
    return panel;
}

QLabel* NewLine(QWidget* parent, const QString& text, int pointSize, bool bold)
{
    auto* line = new QLabel(text, parent);
    QFont font = line->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    line->setFont(font);
    line->setAlignment(Qt::AlignCenter);
    return line;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& text, const QString& description)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    button->setAccessibleDescription(description);
    button->setMinimumWidth(80);
    return button;
}

QCheckBox* NewSwitch(QWidget* parent, const QString& name, const QString& text, const QString& description)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setAccessibleName(text);
    box->setAccessibleDescription(description);
    return box;
}

// A row of widgets in the middle of the panel.
QHBoxLayout* CentredRow(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    row->addStretch();
    return row;
}

} // namespace

TPrDialogFrm::TPrDialogFrm(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("PrDialogFrm"));
    setModal(true);
    setSizeGripEnabled(false);
    m_panels = new QStackedLayout(this);
    m_panels->setContentsMargins(0, 0, 0, 0);
    MessagePnl = BuildMessagePanel();
    PrintConfirmPnl = BuildPrintConfirmPanel();
    WaitPrintPnl = BuildWaitPrintPanel();
    for (QFrame* panel : {MessagePnl, PrintConfirmPnl, WaitPrintPnl})
        m_panels->addWidget(panel);
    ShowPanel(Panel::Message, QString());
}

QFrame* TPrDialogFrm::BuildMessagePanel()
{
    QFrame* panel = NewPanel(this, QStringLiteral("MessagePnl"), QStringLiteral("Message"), MessageSize);
    MsgLbl = new QLabel(panel);
    MsgLbl->setObjectName(QStringLiteral("MsgLbl"));
    MsgLbl->setWordWrap(true);
    MsgLbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    DoNotShowAgainCBox = NewSwitch(panel, QStringLiteral("DoNotShowAgainCBox"), QStringLiteral("Ne plus afficher"),
        QStringLiteral("Cocher pour ne plus voir ce message"));
    MsgOkBtn = NewButton(panel, QStringLiteral("MsgOkBtn"), QStringLiteral("OK"), QStringLiteral("Fermer le message"));
    connect(MsgOkBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DoNotShowAgainCBox);
    bottom->addStretch();
    bottom->addWidget(MsgOkBtn);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(10, 6, 10, 6);
    column->addWidget(MsgLbl, 1);
    column->addLayout(bottom);
    return panel;
}

QFrame* TPrDialogFrm::BuildPrintConfirmPanel()
{
    QFrame* panel = NewPanel(
        this, QStringLiteral("PrintConfirmPnl"), QStringLiteral("Confirmation de l'impression"), PrintConfirmSize);
    panel->setAccessibleDescription(QStringLiteral("Entrée pour imprimer la page, Échap pour ne pas l'imprimer"));
    YesBtn = NewButton(panel, QStringLiteral("YesBtn"), QStringLiteral("&Oui"), QStringLiteral("Imprimer la page"));
    NoBtn = NewButton(panel, QStringLiteral("NoBtn"), QStringLiteral("&Non"), QStringLiteral("Ne pas imprimer"));
    PrintConfirmCBox
        = NewSwitch(panel, QStringLiteral("PrintConfirmCBox"), QStringLiteral("Ne plus afficher ce message"),
            QStringLiteral("Cocher pour imprimer désormais sans cette question"));
    connect(YesBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NoBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(12, 10, 12, 8);
    column->addWidget(NewLine(panel, QStringLiteral("Voulez-vous imprimer la page ?"), 13, true));
    column->addWidget(NewLine(panel, QStringLiteral("(Entrée : oui - Esc : non)"), 10, false));
    column->addStretch();
    column->addLayout(CentredRow({YesBtn, NoBtn}));
    column->addWidget(PrintConfirmCBox);
    return panel;
}

QFrame* TPrDialogFrm::BuildWaitPrintPanel()
{
    QFrame* panel
        = NewPanel(this, QStringLiteral("WaitPrintPnl"), QStringLiteral("Impression en cours"), WaitPrintSize);
    panel->setAccessibleDescription(QStringLiteral("Attendez la sortie de la feuille avant une nouvelle impression"));
    WaitOkBtn
        = NewButton(panel, QStringLiteral("WaitOkBtn"), QStringLiteral("Ok"), QStringLiteral("Fermer le message"));
    WaitPrintCbox = NewSwitch(panel, QStringLiteral("WaitPrintCbox"), QStringLiteral("Ne plus afficher ce message"),
        QStringLiteral("Cocher pour ne plus voir ce message après une impression"));
    connect(WaitOkBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(12, 10, 12, 8);
    for (const QString& text : {QStringLiteral("L'impression de la page est en cours,"),
             QStringLiteral("attendez la sortie de la feuille avant de"),
             QStringLiteral("lancer une nouvelle impression.")})
        column->addWidget(NewLine(panel, text, 11, true));
    column->addStretch();
    column->addLayout(CentredRow({WaitOkBtn}));
    column->addWidget(WaitPrintCbox);
    return panel;
}

void TPrDialogFrm::ShowPanel(Panel panel, const QString& title)
{
    m_current = panel;
    QFrame* shown = panel == Panel::Message ? MessagePnl
        : panel == Panel::PrintConfirm      ? PrintConfirmPnl
                                            : WaitPrintPnl;
    m_panels->setCurrentWidget(shown);
    setWindowTitle(title);
    setAccessibleName(title);
    setAccessibleDescription(shown->accessibleName());
    setFixedSize(shown->size());
    QPushButton* defaultButton = panel == Panel::Message ? MsgOkBtn : panel == Panel::PrintConfirm ? YesBtn : WaitOkBtn;
    for (QPushButton* button : {MsgOkBtn, YesBtn, NoBtn, WaitOkBtn})
        button->setDefault(button == defaultButton);
    defaultButton->setFocus();
}

bool TPrDialogFrm::DoNotShowAgain() const
{
    const QCheckBox* box = m_current == Panel::Message ? DoNotShowAgainCBox
        : m_current == Panel::PrintConfirm             ? PrintConfirmCBox
                                                       : WaitPrintCbox;
    return box->isChecked();
}

void TPrDialogFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // In the middle of the screen, whatever window asked.
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}
