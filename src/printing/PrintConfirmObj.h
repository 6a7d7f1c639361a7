#pragma once

#include <QObject>

class QDialog;

// Gives the print question its keys: Enter answers yes and Esc answers no,
// wherever the focus is in the window (on "Non" or on the check box too), so
// a pupil who only uses the keyboard never has to move the focus first.
class PrintConfirmObj : public QObject {
    Q_OBJECT

public:
    // Watches the window and every widget in it for as long as it lives.
    explicit PrintConfirmObj(QDialog& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& m_window;
};
