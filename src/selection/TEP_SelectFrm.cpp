#include "TEP_SelectFrm.h"

#include "DocumentPreview.h"
#include "KeyPanel.h"
#include "TEP_DocsTree.h"
#include "WindowSelectionDialogs.h"
#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "platform/Clock.h"
#include "platform/ExternalCapture.h"
#include "platform/OverrideCursor.h"
#include "platform/Scanner.h"
#include "platform/WindowsKeys.h"
#include "printing/PrintDocument.h"
#include "sound/TEPSND_DocSoundPlayer.h"
#include "sound/TEP_SoundFrm.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QColor MissingSoundColor(0x80, 0x80, 0x80);

QLabel* ColumnLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSize(11);
    label->setFont(font);
    return label;
}

} // namespace

TEP_SelectFrm::TEP_SelectFrm(TEP_Config& config, Messenger& messenger, const Clock& clock,
    TEPSND_DocSoundPlayer* player, SelectionDialogs* dialogs, QWidget* parent)
    : QDialog(parent)
    , m_config(config)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_player(player)
    , m_dialogs(dialogs)
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<WindowSelectionDialogs>(config, messenger, this);
        m_dialogs = m_ownDialogs.get();
    }
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
        | Qt::WindowCloseButtonHint);
    setAccessibleName(QStringLiteral("Sélection du document"));
    setAccessibleDescription(QStringLiteral("Choix d'un nom et d'un document à ouvrir"));
    RunModal = [this] { return exec(); };
    PrintHandler = [this](TEP_Doc& document) {
        PrintRequest request;
        request.config = &m_config;
        request.messenger = &m_messenger;
        request.dialogParent = this;
        PrintSelectedDocument(request, document);
    };
    BuildLayout();
    ConnectTree();
    if (m_player)
        m_player->AddListener(this);
    m_previewTimer.setInterval(PreviewTick);
    connect(&m_previewTimer, &QTimer::timeout, this, &TEP_SelectFrm::PreviewTickNow);
    m_previewTimer.start();
    UpdateCaption();
    PlaceOnScreen();
}

TEP_SelectFrm::~TEP_SelectFrm()
{
    if (m_capture)
        m_capture->Cancel();
    if (m_player) {
        m_player->RemoveListener(this);
        m_player->DetachPanel();
    }
    if (m_listenedRoot)
        m_listenedRoot->RemoveListener(this);
    // The view lets go of the tree before the configuration may free it.
    m_tree->Load(nullptr).Ok();
}

// --- Layout --------------------------------------------------------------------------------------

void TEP_SelectFrm::BuildLayout()
{
    m_tree = new TEP_DocsTree(m_config, m_messenger, m_clock, this);
    m_tree->setAccessibleName(QStringLiteral("Documents"));
    m_tree->setAccessibleDescription(QStringLiteral("Arbre des dossiers et des documents"));
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* right = new QWidget(this);
    right->setAccessibleName(QStringLiteral("Aperçu du document"));
    right->setAccessibleDescription(QStringLiteral("Aperçu, informations et imprimante"));
    m_preview = new DocumentPreview(right);
    // Names and "<Aucune>" are shown as typed, never read as markup.
    m_infoLabel = new QLabel(right);
    m_infoLabel->setTextFormat(Qt::PlainText);
    m_infoLabel->setAlignment(Qt::AlignCenter);
    m_infoLabel->setAccessibleName(QStringLiteral("Informations"));
    m_infoLabel->setAccessibleDescription(QStringLiteral("Informations sur le document sélectionné"));
    m_printerLabel = new QLabel(right);
    m_printerLabel->setTextFormat(Qt::PlainText);
    m_printerLabel->setAccessibleName(QStringLiteral("Imprimante"));
    m_printerLabel->setAccessibleDescription(QStringLiteral("Imprimante utilisée pour imprimer"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(4, 0, 0, 0);
    rightLayout->addWidget(m_preview, 1);
    rightLayout->addWidget(m_infoLabel);
    rightLayout->addWidget(m_printerLabel);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(1, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildCommandColumn());
    layout->addWidget(m_splitter, 1);
}

KeyPanel* TEP_SelectFrm::AddPanel(
    Command command, const QString& caption, const QString& name, const QString& description)
{
    auto* panel = new KeyPanel(caption, name, description, this);
    panel->setFixedSize(command == Command::PreviousDocument || command == Command::NextDocument
                || command == Command::OpenFolder || command == Command::CloseFolder
            ? QSize(44, 44)
            : QSize(96, 44));
    connect(panel, &KeyPanel::clicked, this, [this, command] { RunCommand(command); });
    m_panels.append({command, panel});
    return panel;
}

QWidget* TEP_SelectFrm::BuildCommandColumn()
{
    auto* column = new QWidget(this);
    column->setAccessibleName(QStringLiteral("Commandes"));
    column->setAccessibleDescription(QStringLiteral("Les commandes de la sélection et leurs touches"));
    column->setFixedWidth(TEP_SoundFrm::FullWidth + 8);

    m_pupilPanels = new QWidget(column);
    auto* grid = new QGridLayout(m_pupilPanels);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto pair = [&](int row, KeyPanel* a, KeyPanel* b, const QStringList& labels) {
        auto* box = new QHBoxLayout;
        box->addWidget(a);
        box->addWidget(b);
        grid->addLayout(box, row, 0);
        auto* texts = new QVBoxLayout;
        for (const QString& text : labels)
            texts->addWidget(ColumnLabel(text, m_pupilPanels));
        grid->addLayout(texts, row, 1);
    };
    const auto single = [&](int row, KeyPanel* panel, QLabel* label) {
        grid->addWidget(panel, row, 0, Qt::AlignLeft);
        grid->addWidget(label, row, 1);
    };
    pair(0,
        AddPanel(Command::PreviousDocument, QStringLiteral("▲"), QStringLiteral("Document précédent"),
            QStringLiteral("Sélectionner l'élément précédent de l'arbre")),
        AddPanel(Command::NextDocument, QStringLiteral("▼"), QStringLiteral("Document suivant"),
            QStringLiteral("Sélectionner l'élément suivant de l'arbre (touche Retour arrière)")),
        {QStringLiteral("Document"), QStringLiteral("précédent/"), QStringLiteral("suivant")});
    single(1,
        AddPanel(Command::Open, QStringLiteral("<Enter>"), QStringLiteral("Editer la page"),
            QStringLiteral("Ouvrir le document sélectionné (touche Entrée)")),
        ColumnLabel(QStringLiteral("Editer la page"), m_pupilPanels));
    single(2,
        AddPanel(Command::Quit, QStringLiteral("<Esc>"), QStringLiteral("Quitter"),
            QStringLiteral("Quitter la sélection (touche Echap)")),
        ColumnLabel(QStringLiteral("Quitter"), m_pupilPanels));
    m_instructionLabel = ColumnLabel(QStringLiteral("Ecouter la consigne"), m_pupilPanels);
    single(3,
        AddPanel(Command::PlayInstruction, QStringLiteral("</>"), QStringLiteral("Ecouter la consigne"),
            QStringLiteral("Ecouter la consigne du document (touche / ou :)")),
        m_instructionLabel);
    m_helpLabel = ColumnLabel(QStringLiteral("Ecouter l'aide"), m_pupilPanels);
    single(4,
        AddPanel(Command::PlayHelp, QStringLiteral("<*>"), QStringLiteral("Ecouter l'aide"),
            QStringLiteral("Ecouter l'aide du document (touche * ou µ)")),
        m_helpLabel);
    single(5,
        AddPanel(Command::Scan, QStringLiteral("<S>"), QStringLiteral("Scanner"),
            QStringLiteral("Scanner une nouvelle page (touche S)")),
        ColumnLabel(QStringLiteral("Scanner"), m_pupilPanels));
    pair(6,
        AddPanel(Command::OpenFolder, QStringLiteral("►"), QStringLiteral("Ouvrir le dossier"),
            QStringLiteral("Ouvrir le dossier sélectionné (flèche droite)")),
        AddPanel(Command::CloseFolder, QStringLiteral("◄"), QStringLiteral("Fermer le dossier"),
            QStringLiteral("Fermer le dossier sélectionné (flèche gauche)")),
        {QStringLiteral("Dossier"), QStringLiteral("ouvrir/"), QStringLiteral("fermer")});
    single(7,
        AddPanel(Command::Settings, QStringLiteral("<F8>"), QStringLiteral("Réglages"),
            QStringLiteral("Passer en mode réglages après le mot de passe (touche F8)")),
        ColumnLabel(QStringLiteral("Réglages"), m_pupilPanels));
    grid->setColumnStretch(1, 1);

    m_settingsButtons = new QWidget(column);
    m_settingsButtons->setAccessibleName(QStringLiteral("Réglages"));
    m_settingsButtons->setAccessibleDescription(QStringLiteral("Les commandes du mode réglages"));
    auto* buttons = new QGridLayout(m_settingsButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const QString& text, const QString& description, int row, int col) {
        auto* b = new QPushButton(text, m_settingsButtons);
        b->setAccessibleName(text);
        b->setAccessibleDescription(description);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b, row, col);
        return b;
    };
    connect(button(QStringLiteral("Configurer"), QStringLiteral("Réglages de l'utilisateur (touche C)"), 0, 0),
        &QPushButton::clicked, this, [this] { RunCommand(Command::Configure); });
    connect(button(QStringLiteral("Scanner"), QStringLiteral("Scanner une nouvelle page (touche S)"), 0, 1),
        &QPushButton::clicked, this, [this] { RunCommand(Command::Scan); });
    connect(button(QStringLiteral("Mot de passe"), QStringLiteral("Changer le mot de passe (touche M)"), 1, 0),
        &QPushButton::clicked, this, [this] { RunCommand(Command::NewPassword); });
    connect(button(QStringLiteral("Sortir"), QStringLiteral("Quitter le mode réglages"), 1, 1), &QPushButton::clicked,
        this, [this] { RunCommand(Command::LeaveSettings); });
    m_namesButton = button(QStringLiteral("Noms"), QStringLiteral("Gérer les noms des utilisateurs"), 2, 0);
    connect(m_namesButton, &QPushButton::clicked, this, &TEP_SelectFrm::EditNames);

    m_soundHost = new QWidget(column);
    m_soundHost->setAccessibleName(QStringLiteral("Sons"));
    m_soundHost->setAccessibleDescription(QStringLiteral("Consigne et aide sonores du document"));
    m_soundHost->setFixedSize(TEP_SoundFrm::FullWidth, TEP_SoundFrm::PanelHeight);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pupilPanels);
    layout->addWidget(m_settingsButtons);
    layout->addStretch(1);
    layout->addWidget(m_soundHost);
    return column;
}

KeyPanel* TEP_SelectFrm::Panel(Command command) const
{
    for (const auto& [c, panel] : m_panels) {
        if (c == command)
            return panel;
    }
    return nullptr;
}

void TEP_SelectFrm::ConnectTree()
{
    m_tree->handlers.selectionChanged = [this](TEP_DocsNode*) { SelectionChanged(); };
    m_tree->handlers.doubleClicked = [this](TEP_DocsNode* node) { DoubleClicked(node); };
    m_tree->handlers.expandedOrCollapsed = [this](TEP_DocsNode*, bool) { m_expandStamp = m_clock.NowMs(); };
    m_tree->handlers.keyPressed = [this](const TranslatedKey& key) { return HandleKey(key); };
    // A worksheet renamed or moved keeps its preview and sounds; their paths
    // are read again.
    m_tree->handlers.afterRename = [this](TEP_DocsNode*, bool) { SelectionChanged(); };
    m_tree->handlers.afterDrop = [this](TEP_DocsNode*, bool) { SelectionChanged(); };
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        std::unique_ptr<QMenu> menu = MakePopupMenu();
        menu->exec(m_tree->viewport()->mapToGlobal(position));
    });
}

void TEP_SelectFrm::PlaceOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    setGeometry(available.left() + 20, available.top() + 20, available.width() - 40, available.height() - 40);
}

void TEP_SelectFrm::UpdateCaption()
{
    setWindowTitle(m_config.UseNames && !m_config.CurrentUser().isEmpty()
            ? QStringLiteral("%1 (%2)").arg(Caption, m_config.CurrentUser())
            : Caption);
}

void TEP_SelectFrm::UpdatePrinterLabel()
{
    QString printer = m_config.Applied().printerName;
    if (printer.isEmpty())
        printer = m_config.PrinterName;
    if (printer.isEmpty() && m_config.DefaultPrinterName)
        printer = m_config.DefaultPrinterName();
    m_printerLabel->setText(
        QStringLiteral("Imprimante : ") + (printer.isEmpty() ? QStringLiteral("<Aucune>") : printer));
}

void TEP_SelectFrm::UpdateSoundLabels()
{
    const TEP_Doc* document = SelectedDocument();
    const auto colour = [](QLabel* label, bool present) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, present ? QColor(Qt::black) : MissingSoundColor);
        label->setPalette(palette);
    };
    colour(m_instructionLabel, document && document->HasInstructionSound());
    colour(m_helpLabel, document && document->HasHelpSound());
}

TEP_Doc* TEP_SelectFrm::SelectedDocument() const
{
    return m_tree->SelectedDocument();
}

void TEP_SelectFrm::ShowOutcome(const Outcome& outcome) const
{
    if (outcome.HasMessages())
        m_messenger.ShowMessages(outcome.Messages());
}

// --- The loop ------------------------------------------------------------------------------------

bool TEP_SelectFrm::ChooseDocument()
{
    if (TEP_Doc* current = m_config.CurrentDocument()) {
        ShowOutcome(current->EPDoc_Refresh());
        ShowOutcome(m_config.SetCurrentDocument(nullptr));
    }
    bool askName = false;
    if (m_firstShowing) {
        m_firstShowing = false;
        askName = true;
        if (m_listenedRoot != m_config.Tree()) {
            if (m_listenedRoot)
                m_listenedRoot->RemoveListener(this);
            m_listenedRoot = m_config.Tree();
            if (m_listenedRoot)
                m_listenedRoot->AddListener(this);
        }
        const Outcome loaded = m_tree->Load(m_config.Tree());
        ShowOutcome(loaded);
    }
    for (;;) {
        if (m_config.UseNames) {
            if (askName || m_config.IsDefaultUser() || !m_config.UserExists(m_config.CurrentUser())) {
                if (!ChooseUserName(askName))
                    return false;
                continue;
            }
        } else if (!m_config.IsDefaultUser()) {
            ShowOutcome(m_config.SetUser(TEP_Config::DefaultUser, true));
        }
        switch (ShowScreen()) {
        case Opened:
            return true;
        case Quit:
            if (m_settingsMode)
                m_settingsMode = false;
            else if (m_config.UseNames)
                askName = true;
            else
                return false;
            break;
        case SettingsAsked:
            m_settingsMode = true;
            break;
        default:
            return false;
        }
    }
}

// The name question of the loop; false when the user quits.
bool TEP_SelectFrm::ChooseUserName(bool& askName)
{
    switch (m_dialogs->ChooseUserName()) {
    case 0:
        askName = false;
        UpdateCaption();
        return true;
    case 2:
        // Editing the names needs the settings password in pupil mode.
        if (m_settingsMode || AskSettingsPassword())
            EditNames();
        return true;
    default:
        return !m_dialogs->AskQuit();
    }
}

int TEP_SelectFrm::ShowScreen()
{
    SetUpMode();
    ShowOutcome(m_tree->Refresh());
    SelectionChanged();
    m_closing = false;
    m_showing = Closed;
    const int showing = RunModal ? RunModal() : exec();
    Q_UNUSED(showing);
    ScreenClosing();
    return m_showing;
}

void TEP_SelectFrm::SetUpMode()
{
    UpdateCaption();
    UpdatePrinterLabel();
    m_tree->SetSettingsMode(m_settingsMode);
    m_tree->ApplyLook();
    m_splitter->setSizes({SelectionRules::TreeWidth(m_config.Settings.TreeWidth), 10000});
    m_settingsButtons->setVisible(m_settingsMode);
    Panel(Command::Settings)->setEnabled(!m_settingsMode);
    Panel(Command::Scan)->setEnabled(m_settingsMode || m_config.Settings.ScanAllowed);
    if (m_player && m_player->Window()) {
        m_player->SetCompact(false);
        m_player->SetRecorder(m_settingsMode);
        m_player->AttachPanel(m_soundHost, QPoint(0, 0));
    }
}

void TEP_SelectFrm::ScreenClosing()
{
    if (m_player && m_player->Window()) {
        m_player->Stop();
        m_player->DetachPanel();
    }
    if (m_tree->width() > 0)
        m_config.Settings.TreeWidth = m_tree->width();
    if (TEP_DocsNode* root = m_config.Tree())
        ShowOutcome(root->SaveFolderDataRecursive());
}

void TEP_SelectFrm::CloseAs(Showing showing)
{
    m_showing = showing;
    m_closing = true;
    done(showing);
}

void TEP_SelectFrm::reject()
{
    // The window's close button (and any other way out) asks first, unless a
    // command is closing the screen.
    if (!m_closing) {
        if (!m_dialogs->AskQuit())
            return;
        m_showing = Closed;
        m_closing = true;
    }
    QDialog::done(m_showing);
}

void TEP_SelectFrm::changeEvent(QEvent* event)
{
    // Minimising the screen minimises the whole program, and so does
    // restoring it.
    if (event->type() == QEvent::WindowStateChange && parentWidget()) {
        QWidget* top = parentWidget()->window();
        if (isMinimized() && !top->isMinimized())
            top->showMinimized();
        else if (!isMinimized() && top->isMinimized())
            top->showNormal();
    }
    QDialog::changeEvent(event);
}

// --- Password ------------------------------------------------------------------------------------

bool TEP_SelectFrm::AskSettingsPassword()
{
    if (!m_askPassword)
        return true;
    const PasswordAnswer answer = m_dialogs->AskPassword(QStringLiteral("Mot de passe"), true);
    if (!answer.accepted || answer.text != m_config.Password)
        return false;
    m_askPassword = !answer.doNotShowAgain;
    return true;
}

void TEP_SelectFrm::NewPassword()
{
    const PasswordAnswer first = m_dialogs->AskPassword(QStringLiteral("Nouveau mot de passe"), false);
    if (!first.accepted)
        return;
    const PasswordAnswer second = m_dialogs->AskPassword(QStringLiteral("Confirmation du mot de passe"), false);
    if (!second.accepted)
        return;
    if (first.text != second.text) {
        m_messenger.ShowMessage(QStringLiteral("Mot de passe incorrect.\nRecommencez l'opération."));
        return;
    }
    // A character the general file cannot keep would change the password
    // at the next start, and nobody could enter the settings any more.
    if (!SelectionRules::PasswordSurvivesStorage(first.text)) {
        m_messenger.ShowMessage(QStringLiteral("Ce mot de passe contient un caractère qui ne peut pas être "
                                               "enregistré (\":\", caractère de contrôle, espace au début ou à la "
                                               "fin).\nChoisissez un autre mot de passe."));
        return;
    }
    m_config.Password = first.text;
    ShowOutcome(m_config.WriteGeneralFile());
}

// --- Keys and commands ---------------------------------------------------------------------------

bool TEP_SelectFrm::HandleKey(const TranslatedKey& key)
{
    if (m_tree->IsEditingName())
        return false;
    const std::optional<Command> command = SelectionRules::CommandForKey(key, m_settingsMode);
    if (!command)
        return false;
    RunCommand(*command);
    return true;
}

void TEP_SelectFrm::keyPressEvent(QKeyEvent* event)
{
    TranslatedKey key = KeyTranslator::Translate(*event);
    if (HandleKey(key)) {
        event->accept();
        return;
    }
    // Escape never closes the screen by itself (settings mode ignores it).
    if (key.code == WindowsKeys::Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TEP_SelectFrm::RunCommand(Command command)
{
    switch (command) {
    case Command::PreviousDocument:
        m_tree->SelectPrevious();
        break;
    case Command::NextDocument:
        m_tree->SelectNext();
        break;
    case Command::Open:
        OpenSelected();
        break;
    case Command::Quit:
        AskQuit();
        break;
    case Command::PlayInstruction:
        PlaySound(QLatin1Char('C'));
        break;
    case Command::PlayHelp:
        PlaySound(QLatin1Char('A'));
        break;
    case Command::Scan:
        if (m_settingsMode || m_config.Settings.ScanAllowed)
            Scan();
        break;
    case Command::Settings:
        if (!m_settingsMode && AskSettingsPassword())
            CloseAs(SettingsAsked);
        break;
    case Command::OpenFolder:
    case Command::CloseFolder: {
        const QModelIndex index = m_tree->currentIndex();
        if (index.isValid())
            m_tree->setExpanded(index, command == Command::OpenFolder);
        break;
    }
    case Command::Configure:
        if (m_settingsMode)
            Configure();
        break;
    case Command::NewPassword:
        if (m_settingsMode)
            NewPassword();
        break;
    case Command::LeaveSettings:
        if (m_settingsMode)
            CloseAs(Quit);
        break;
    }
}

void TEP_SelectFrm::OpenSelected()
{
    TEP_Doc* document = SelectedDocument();
    if (!document)
        return;
    // A worksheet that cannot be opened (unreadable work, work open on
    // another computer) leaves the screen open, with the reason.
    const Outcome opened = m_config.SetCurrentDocument(document);
    ShowOutcome(opened);
    if (opened && m_config.CurrentDocument() == document)
        CloseAs(Opened);
}

void TEP_SelectFrm::AskQuit()
{
    if (m_settingsMode) {
        CloseAs(Quit);
        return;
    }
    if (m_config.UseNames || m_dialogs->AskQuit())
        CloseAs(Quit);
}

void TEP_SelectFrm::Configure()
{
    if (m_scanning) {
        m_messenger.Beep();
        return;
    }
    if (!OpenSettingsDialog)
        return;
    const bool gdipBefore = m_config.UseGdip;
    const bool imagingChanged = OpenSettingsDialog();
    if ((imagingChanged || gdipBefore != m_config.UseGdip) && SelectedDocument())
        RedrawPreview();
    UpdatePrinterLabel();
    m_tree->ApplyLook();
}

void TEP_SelectFrm::PlaySound(QChar letter)
{
    if (m_player && m_player->Window())
        m_player->Play(letter);
    else
        m_messenger.Beep();
}

void TEP_SelectFrm::DoubleClicked(TEP_DocsNode* node)
{
    if (!node || !node->IsDocument())
        return;
    // The second click of a double click on a folder's sign must not open
    // the worksheet that came under the pointer.
    if (m_expandStamp >= 0 && m_clock.NowMs() - m_expandStamp < ExpandGuard)
        return;
    OpenSelected();
}

void TEP_SelectFrm::EditNames()
{
    if (m_dialogs->EditUserNames()) {
        const Outcome loaded = m_tree->Load(m_config.Tree());
        ShowOutcome(loaded);
    }
    UpdateCaption();
}

void TEP_SelectFrm::Print()
{
    TEP_Doc* document = SelectedDocument();
    if (!document || !PrintHandler)
        return;
    PrintHandler(*document);
    UpdatePrinterLabel();
}

// --- Selection and preview -----------------------------------------------------------------------

void TEP_SelectFrm::SelectionChanged()
{
    m_selectionStamp = m_clock.NowMs();
    m_previewPending = true;
    m_preview->Clear();
    m_infoLabel->clear();
    if (m_player && m_player->Window())
        m_player->SetDocument(SelectedDocument());
    UpdateSoundLabels();
}

void TEP_SelectFrm::PreviewTickNow()
{
    if (!m_previewPending || m_clock.NowMs() - m_selectionStamp < PreviewDelay)
        return;
    m_previewPending = false;
    RedrawPreview();
}

void TEP_SelectFrm::RedrawPreview()
{
    m_previewPending = false;
    const TEP_Doc* document = SelectedDocument();
    if (!document) {
        m_preview->Clear();
        m_infoLabel->clear();
        return;
    }
    if (m_preview->ShowPicture(document->ImagePath(), m_config.UseGdip)) {
        const QSize size = m_preview->PictureSize();
        m_infoLabel->setText(QStringLiteral("%1 (%2 x %3)").arg(document->Name()).arg(size.width()).arg(size.height()));
    } else {
        m_infoLabel->setText(QStringLiteral("(Format image inconnu)"));
    }
}

// --- Notifications -------------------------------------------------------------------------------

void TEP_SelectFrm::NodesAboutToBeRemoved(TEP_DocsNode& parent, int first, int last)
{
    // The sound player holds the worksheet it plays: it lets go before the
    // worksheet leaves the tree (deleted, or gone at a rescan).
    if (!m_player || !m_player->Document())
        return;
    const TEP_Doc* held = m_player->Document();
    for (int row = first; row <= last; ++row) {
        TEP_DocsNode* child = parent.ChildAt(row);
        if (child && child->FindDocumentNode(held)) {
            m_player->SetDocument(nullptr);
            return;
        }
    }
}

void TEP_SelectFrm::SoundsChanged(TEP_Doc*)
{
    UpdateSoundLabels();
    if (TEP_Doc* document = SelectedDocument())
        ShowOutcome(m_tree->RefreshDocument(document));
}
