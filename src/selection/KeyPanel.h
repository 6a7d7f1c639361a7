#pragma once

#include <QFrame>

class QLabel;

// A large raised panel showing a key ("<Enter>", an arrow) that acts like a
// button: a click (or Space/Enter while it has the focus) runs it. The
// selection screen, the quit question and the users dialog build their
// command columns from it, each with an accessible name and description.
class KeyPanel : public QFrame {
    Q_OBJECT

public:
    KeyPanel(
        const QString& caption, const QString& accessibleName, const QString& description, QWidget* parent = nullptr);

    QString Caption() const;
    void SetCaption(const QString& caption);
    // Runs the panel as a click does (a disabled panel does nothing).
    void Click();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLabel* m_caption = nullptr;
    bool m_pressed = false;
};
