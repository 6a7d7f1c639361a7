#include "TEP_UsersMngFrm.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"
#include "selection/KeyPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TEP_UsersMngFrm::TEP_UsersMngFrm(TEP_Config& config, Messenger& messenger, bool editMode, QWidget* parent)
    : QDialog(parent)
    , m_config(config)
    , m_messenger(messenger)
    , m_editMode(editMode)
    , m_userOnEntry(config.CurrentUser())
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_names = new QListWidget(this);
    m_names->setAccessibleName(QStringLiteral("Noms"));
    m_names->setAccessibleDescription(QStringLiteral("Liste des utilisateurs"));
    QFont font = m_names->font();
    font.setPointSize(14);
    m_names->setFont(font);
    // A double click chooses (name choice) or validates and closes (editor).
    connect(m_names, &QListWidget::itemDoubleClicked, this, [this] { Validate(); });
    if (m_editMode)
        BuildEditorFace();
    else
        BuildChoiceFace();
    FillNames(m_config.CurrentUser());
    m_names->setFocus();
}

void TEP_UsersMngFrm::BuildChoiceFace()
{
    setWindowTitle(QStringLiteral("Choix de l'utilisateur"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(QStringLiteral("Choisir son nom avant de travailler"));
    m_enterPanel = new KeyPanel(QStringLiteral("<Enter>"), QStringLiteral("Choisir le nom"),
        QStringLiteral("Choisir le nom sélectionné"), this);
    m_escapePanel = new KeyPanel(
        QStringLiteral("<Esc>"), QStringLiteral("Quitter le logiciel"), QStringLiteral("Quitter Ardoisine"), this);
    connect(m_enterPanel, &KeyPanel::clicked, this, [this] { Validate(); });
    connect(m_escapePanel, &KeyPanel::clicked, this, &TEP_UsersMngFrm::GiveUpChoice);

    auto* panels = new QGridLayout;
    panels->addWidget(m_enterPanel, 0, 0, 2, 1);
    panels->addWidget(new QLabel(QStringLiteral("Choisir"), this), 0, 1);
    panels->addWidget(new QLabel(QStringLiteral("le nom"), this), 1, 1);
    panels->addWidget(m_escapePanel, 2, 0, 2, 1);
    panels->addWidget(new QLabel(QStringLiteral("Quitter"), this), 2, 1);
    panels->addWidget(new QLabel(QStringLiteral("le logiciel"), this), 3, 1);
    panels->setRowStretch(4, 1);
    auto* hint = new QLabel(QStringLiteral("(<F8> Editer les noms)"), this);
    hint->setTextFormat(Qt::PlainText);

    auto* row = new QHBoxLayout;
    row->addWidget(m_names, 1);
    row->addLayout(panels);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(hint);
    resize(420, 360);
}

void TEP_UsersMngFrm::BuildEditorFace()
{
    setWindowTitle(QStringLiteral("Utilisateurs multiples"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(QStringLiteral("Créer, renommer et supprimer les utilisateurs"));
    m_activate = new QCheckBox(QStringLiteral("Activer : "), this);
    m_activate->setLayoutDirection(Qt::RightToLeft);
    m_activate->setChecked(m_config.UseNames);
    m_activate->setAccessibleName(QStringLiteral("Activer"));
    m_activate->setAccessibleDescription(QStringLiteral("Travailler avec des noms d'utilisateurs"));
    const auto button = [this](const QString& text, const QString& description) {
        auto* b = new QPushButton(text, this);
        b->setAccessibleName(text);
        b->setAccessibleDescription(description);
        b->setAutoDefault(false);
        return b;
    };
    m_new = button(QStringLiteral("Nouveau"), QStringLiteral("Créer un nouvel utilisateur"));
    m_modify = button(QStringLiteral("Modifier"), QStringLiteral("Renommer l'utilisateur sélectionné"));
    m_delete
        = button(QStringLiteral("Supprimer"), QStringLiteral("Supprimer l'utilisateur sélectionné et son travail"));
    m_validate = button(QStringLiteral("Valider et quitter <Escape>"), QStringLiteral("Valider le choix et fermer"));
    connect(m_new, &QPushButton::clicked, this, &TEP_UsersMngFrm::NewName);
    connect(m_modify, &QPushButton::clicked, this, &TEP_UsersMngFrm::ModifyName);
    connect(m_delete, &QPushButton::clicked, this, &TEP_UsersMngFrm::DeleteName);
    connect(m_validate, &QPushButton::clicked, this, [this] { Validate(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_modify);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_names, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_activate, 0, Qt::AlignLeft);
    layout->addLayout(row);
    layout->addWidget(m_validate);
    resize(440, 380);
}

int TEP_UsersMngFrm::ChooseName(TEP_Config& config, Messenger& messenger, QWidget* parent)
{
    TEP_UsersMngFrm dialog(config, messenger, false, parent);
    dialog.exec();
    return dialog.ResultCode();
}

bool TEP_UsersMngFrm::EditUserNames(TEP_Config& config, Messenger& messenger, QWidget* parent)
{
    TEP_UsersMngFrm dialog(config, messenger, true, parent);
    dialog.exec();
    return dialog.UserChanged();
}

bool TEP_UsersMngFrm::UserChanged() const
{
    return m_config.CurrentUser() != m_userOnEntry;
}

void TEP_UsersMngFrm::FillNames(const QString& selected)
{
    m_names->clear();
    const QStringList users = m_config.UserList();
    m_names->addItems(users);
    int row = 0;
    for (int i = 0; i < users.size(); ++i) {
        if (users[i].compare(selected, Qt::CaseInsensitive) == 0)
            row = i;
    }
    if (!users.isEmpty())
        m_names->setCurrentRow(row);
}

QString TEP_UsersMngFrm::SelectedName() const
{
    const QListWidgetItem* item = m_names->currentItem();
    return item && item->isSelected() ? item->text().trimmed() : QString();
}

bool TEP_UsersMngFrm::MakeCurrent(const QString& name)
{
    if (name.isEmpty())
        return false;
    if (name == m_config.CurrentUser())
        return true;
    if (!m_config.UserExists(name))
        return false;
    const Outcome set = m_config.SetUser(name, true);
    if (set.HasMessages())
        m_messenger.ShowMessages(set.Messages());
    return set.Ok() && m_config.CurrentUser() == name;
}

bool TEP_UsersMngFrm::Validate()
{
    const bool named = !m_editMode || m_activate->isChecked();
    if (!MakeCurrent(named ? SelectedName() : TEP_Config::DefaultUser)) {
        m_messenger.Beep();
        return false;
    }
    m_config.UseNames = !m_config.IsDefaultUser();
    Close(NameChosen);
    return true;
}

void TEP_UsersMngFrm::GiveUpChoice()
{
    Close(GiveUp);
}

void TEP_UsersMngFrm::NewName()
{
    QString name;
    for (;;) {
        QString answer;
        if (!m_messenger.AskText(
                QStringLiteral("Création d'un nouveau nom"), QStringLiteral("Nouveau nom : "), QString(), answer))
            return;
        name = answer.trimmed();
        const bool listed = m_config.UserList().contains(name, Qt::CaseInsensitive);
        // The default user, the reserved name and the background layer's
        // suffix are no one's.
        if (!name.isEmpty() && !listed && TEP_Config::IsValidUserName(name) && !TEP_Config::IsReservedUserName(name))
            break;
        m_messenger.Beep();
    }
    const Outcome set = m_config.SetUser(name, true);
    if (set.HasMessages())
        m_messenger.ShowMessages(set.Messages());
    FillNames(name);
}

void TEP_UsersMngFrm::ModifyName()
{
    QString name = SelectedName();
    if (name.isEmpty())
        return m_messenger.Beep();
    const Outcome renamed = m_config.RenameUser(name, m_messenger);
    if (renamed.HasMessages())
        m_messenger.ShowMessages(renamed.Messages());
    if (renamed)
        FillNames(name);
}

void TEP_UsersMngFrm::DeleteName()
{
    const QString name = SelectedName();
    if (name.isEmpty())
        return m_messenger.Beep();
    if (!m_messenger.AskYesNo(
            QStringLiteral("Confirmez vous la suppression de l'utilisateur '%1' et de tout son travail ?").arg(name)))
        return;
    const int row = m_names->currentRow();
    const Outcome deleted = m_config.DeleteUser(name, m_messenger);
    if (deleted.HasMessages())
        m_messenger.ShowMessages(deleted.Messages());
    if (!deleted)
        return;
    delete m_names->takeItem(row);
    if (m_names->count() > 0)
        m_names->setCurrentRow(qMin(row, m_names->count() - 1));
}

void TEP_UsersMngFrm::keyPressEvent(QKeyEvent* event)
{
    const TranslatedKey key = KeyTranslator::Translate(*event);
    if (key.code == WindowsKeys::Function(8) && !m_editMode)
        return Close(EditNames);
    if (key.code == WindowsKeys::Return && !m_editMode) {
        Validate();
        return;
    }
    if (key.code == WindowsKeys::Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TEP_UsersMngFrm::reject()
{
    if (m_closing)
        return QDialog::reject();
    // Escape and the window's close button: give up when choosing; validate
    // and quit in the editor.
    if (m_editMode)
        Validate();
    else
        GiveUpChoice();
}

void TEP_UsersMngFrm::Close(int result)
{
    m_result = result;
    m_closing = true;
    done(result == NameChosen ? Accepted : Rejected);
    m_closing = false;
}
