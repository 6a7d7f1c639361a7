#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

// A modal window that shows a list of lines (the files a transfer could not
// move, a migration's report) in a box that scrolls and cannot be edited;
// the person can select and copy the text. Closes with its button, Enter or
// Esc.
class TextViewerDialog : public QDialog {
    Q_OBJECT

public:
    TextViewerDialog(const QString& title, const QStringList& lines, QWidget* parent = nullptr);

    // Shows the lines and returns when the window is closed.
    static void Show(QWidget* parent, const QString& title, const QStringList& lines);

    QPlainTextEdit* TextBox() const { return m_text; }
    QPushButton* CloseButton() const { return m_close; }

private:
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_close = nullptr;
};
