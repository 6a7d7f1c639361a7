#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QListWidget;
class QRadioButton;

// Whose work goes into the class's PDF: every pupil who worked on the
// folder's worksheets, or the pupils ticked in the list.
class PupilChoiceDialog : public QDialog {
    Q_OBJECT

public:
    PupilChoiceDialog(const QStringList& pupils, QWidget* parent = nullptr);

    QRadioButton* AllWhoWorked() const { return m_all; }
    QRadioButton* Chosen() const { return m_chosen; }
    QListWidget* Pupils() const { return m_list; }
    // Empty: all who worked; else the ticked pupils. No answer when the
    // person gives up, or asks for chosen pupils and ticks none.
    std::optional<QStringList> Answer() const;

    static std::optional<QStringList> Ask(const QStringList& pupils, QWidget* parent);

private:
    QStringList Ticked() const;

    QRadioButton* m_all = nullptr;
    QRadioButton* m_chosen = nullptr;
    QListWidget* m_list = nullptr;
};
