#pragma once

#include <QDialog>

class KeyPanel;
class Messenger;
class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TEP_Config;

// The users dialog in its two faces. Choosing a name ("Choix de
// l'utilisateur"): the pupil picks a name before working with named users.
// Editing the names ("Utilisateurs multiples"): the teacher creates,
// renames and deletes users and turns named users on or off. Every change
// goes through the configuration's user operations.
//
// The outcome is kept in ResultCode (0 a name was chosen, 1 give up, 2 edit
// the names): QDialog's own Accepted/Rejected would mean other things.
class TEP_UsersMngFrm : public QDialog {
    Q_OBJECT

public:
    enum Result { NameChosen = 0, GiveUp = 1, EditNames = 2 };

    TEP_UsersMngFrm(TEP_Config& config, Messenger& messenger, bool editMode, QWidget* parent = nullptr);

    int ResultCode() const { return m_result; }
    // Whether the current user differs from the one the dialog opened with.
    bool UserChanged() const;
    bool EditMode() const { return m_editMode; }

    // The name-choice face, modal: the result code.
    static int ChooseName(TEP_Config& config, Messenger& messenger, QWidget* parent);
    // The names editor, modal: whether the current user changed.
    static bool EditUserNames(TEP_Config& config, Messenger& messenger, QWidget* parent);

    // --- What the keys, panels and buttons do ---
    // Closes when the selected name (or, unchecked in the editor, the
    // default user) became the current user; beeps and stays otherwise.
    bool Validate();
    void GiveUpChoice();
    void NewName();
    void ModifyName();
    void DeleteName();

    QListWidget* Names() const { return m_names; }
    QCheckBox* Activate() const { return m_activate; }
    KeyPanel* EnterPanel() const { return m_enterPanel; }
    KeyPanel* EscapePanel() const { return m_escapePanel; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* ModifyButton() const { return m_modify; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* ValidateButton() const { return m_validate; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void BuildChoiceFace();
    void BuildEditorFace();
    void FillNames(const QString& selected);
    QString SelectedName() const;
    bool MakeCurrent(const QString& name);
    void Close(int result);

    TEP_Config& m_config;
    Messenger& m_messenger;
    bool m_editMode = false;
    QString m_userOnEntry;
    int m_result = GiveUp;
    bool m_closing = false;
    QListWidget* m_names = nullptr;
    QCheckBox* m_activate = nullptr;
    KeyPanel* m_enterPanel = nullptr;
    KeyPanel* m_escapePanel = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_validate = nullptr;
};
