#pragma once

#include <QDialog>

class KeyPanel;

// "Sortir": "Quitter Ardoisine ?" with the panels "OUI <Enter>" and
// "NON <Esc>". Enter or the first panel answers yes; Escape, the second
// panel or the window's close button no.
class TEP_QuitFrm : public QDialog {
    Q_OBJECT

public:
    explicit TEP_QuitFrm(QWidget* parent = nullptr);

    bool Answer() const { return m_yes; }
    KeyPanel* YesPanel() const { return m_yesPanel; }
    KeyPanel* NoPanel() const { return m_noPanel; }

    // Shows the question modally; true for yes.
    static bool Ask(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Close(bool yes);

    KeyPanel* m_yesPanel = nullptr;
    KeyPanel* m_noPanel = nullptr;
    bool m_yes = false;
};
