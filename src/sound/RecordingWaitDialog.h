#pragma once

#include <QDialog>

class QFrame;

// The wait shown while a recording runs: a borderless window in the middle
// of the screen that any fresh key press (or a click) closes. Auto-repeated
// presses and key releases are not fresh: the release of the Enter that
// answered the question must not end the recording at once.
class RecordingWaitDialog : public QDialog {
    Q_OBJECT

public:
    explicit RecordingWaitDialog(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QFrame* RecordingWaitPnl = nullptr;
};
