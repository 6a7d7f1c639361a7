#include "printing/PrintDialogs.h"

#include "platform/OverrideCursor.h"
#include "printing/PrintConfirmObj.h"
#include "printing/TPrDialogFrm.h"

#include <QLabel>

namespace {

const QString PrintingTitle = QStringLiteral("Impression");

// Shows one panel modally; true when it was accepted. `show` follows its box.
bool Run(TPrDialogFrm& window, bool& show)
{
    const bool accepted = window.exec() == QDialog::Accepted;
    show = !window.DoNotShowAgain();
    return accepted;
}

} // namespace

void ShowInfoMessage(const QString& caption, const QString& message, bool& show, QWidget* parent)
{
    if (!show)
        return;
    TPrDialogFrm window(parent);
    window.ShowPanel(TPrDialogFrm::Panel::Message, caption);
    window.MsgLbl->setText(message);
    window.setAccessibleDescription(message);
    Run(window, show);
}

bool ConfirmPrint(bool& show, QWidget* parent)
{
    if (!show)
        return true;
    const OverrideCursor arrow(Qt::ArrowCursor);
    TPrDialogFrm window(parent);
    window.ShowPanel(TPrDialogFrm::Panel::PrintConfirm, PrintingTitle);
    new PrintConfirmObj(window); // owned by the window
    return Run(window, show);
}

void PrintWait(bool& show, QWidget* parent)
{
    if (!show)
        return;
    TPrDialogFrm window(parent);
    window.ShowPanel(TPrDialogFrm::Panel::WaitPrint, PrintingTitle);
    Run(window, show);
}
