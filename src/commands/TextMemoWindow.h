#pragma once

#include <QDialog>
#include <functional>

class QPlainTextEdit;

// The larger box for a text item's text, one line per "¶"-separated part
// ("Edition du texte"). Escape closes it; F3 chooses its font. Each change
// is offered to the editor, and a refused change puts the previous text
// back.
class TextMemoWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Edition du texte");
    static constexpr int FallbackLeft = 30;
    static constexpr int FallbackTop = 30;

    explicit TextMemoWindow(const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit* TextMemo() const { return m_memo; }
    // The text with its lines joined by "¶".
    QString Text() const;
    // Told each changed text; false puts the previous text back.
    std::function<bool(const QString& text)> TextChanged;
    // F3: the font dialog for the box.
    std::function<void()> FontWanted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Changed();

    QPlainTextEdit* m_memo = nullptr;
    QString m_accepted;
    bool m_restoring = false;
};
