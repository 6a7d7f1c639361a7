#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QStackedLayout;

// The small window of the printing messages. It holds three panels and
// shows one at a time, sized to it: a general information message, the
// question before printing, and the notice to wait for the sheet after.
// Each has a box that switches the message off; the caller reads it and
// keeps the switch in the pupil's settings.
class TPrDialogFrm : public QDialog {
    Q_OBJECT

public:
    enum class Panel { Message, PrintConfirm, WaitPrint };

    explicit TPrDialogFrm(QWidget* parent = nullptr);

    // Shows that panel alone under that title, the window fixed to its size.
    void ShowPanel(Panel panel, const QString& title);
    Panel Current() const { return m_current; }
    // Whether the shown panel's "do not show again" box is ticked.
    bool DoNotShowAgain() const;

    QLabel* MsgLbl = nullptr;
    QCheckBox* DoNotShowAgainCBox = nullptr;
    QCheckBox* PrintConfirmCBox = nullptr;
    QCheckBox* WaitPrintCbox = nullptr;
    QPushButton* MsgOkBtn = nullptr;
    QPushButton* YesBtn = nullptr;
    QPushButton* NoBtn = nullptr;
    QPushButton* WaitOkBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QFrame* BuildMessagePanel();
    QFrame* BuildPrintConfirmPanel();
    QFrame* BuildWaitPrintPanel();

    QStackedLayout* m_panels = nullptr;
    QFrame* MessagePnl = nullptr;
    QFrame* PrintConfirmPnl = nullptr;
    QFrame* WaitPrintPnl = nullptr;
    Panel m_current = Panel::Message;
};
