#include "TEP_Frm.h"

#include "DocumentChooser.h"
#include "EP_ItEdt.h"
#include "ImageWidget.h"
#include "PageScrollBox.h"
#include "ProgramPictures.h"
#include "ReadAloud.h"
#include "SplashWindow.h"
#include "StartParameters.h"

#include "commands/TEP_ToolsBar.h"
#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "documents/RecoveryJournal.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "platform/KeyTranslator.h"
#include "printing/PrintDocument.h"
#include "report/TDPRptRect.h"
#include "sound/TEPSND_DocSoundPlayer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>

TEP_Frm::TEP_Frm(TEP_Config& config, Messenger& messenger, const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , m_config(config)
    , m_messenger(messenger)
    , m_clock(clock)
    , m_editor(std::make_unique<EP_ItEdt>(config, messenger, &clock))
    , m_journal(std::make_unique<RecoveryJournal>(clock))
{
    setObjectName(QStringLiteral("EP_Frm"));
    setAccessibleName(QStringLiteral("Ardoisine"));
    setAccessibleDescription(QStringLiteral("La fiche de travail ouverte, à compléter"));
    WorkDir = QDir::currentPath();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        ScreenPpi = screen->logicalDotsPerInch();
    MakeSoundPlayer = [this] { return std::make_unique<TEPSND_DocSoundPlayer>(m_messenger, m_clock); };
    ShowSplash = [](SplashWindow& splash) { splash.Run(); };
    Quit = [] { QCoreApplication::exit(0); };
    // The editor asks for the page again after an edit ends.
    m_editor->RedrawPage = [this] { RedrawPage(); };
    // The copy kept against a power cut hears of every change; it writes
    // on its own timer, never while a key is handled.
    m_editor->UndoList().Changed = [this] { m_journal->NoteChange(); };
    m_reading = new ReadAloud(*m_editor, config, messenger, this);
    BuildWindow();
    UpdateCaption();
}

TEP_Frm::~TEP_Frm()
{
    // The chooser and the editor may still hold the open worksheet's pages.
    m_chooser.reset();
    m_reading->Stop();
    m_journal->Stop();
    if (m_editor->Root())
        m_editor->Detach(this);
}

void TEP_Frm::BuildWindow()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_scrollBox = new PageScrollBox(this);
    layout->addWidget(m_scrollBox);
    m_toolbarHost = new QWidget(this);
    m_toolbarHost->setObjectName(QStringLiteral("ToolsBarPnl"));
    m_toolbarHost->setAccessibleName(QStringLiteral("Barre d'outils"));
    m_toolbarHost->hide();
    m_backgroundToolbarHost = new QWidget(this);
    m_backgroundToolbarHost->setObjectName(QStringLiteral("BkLayerToolsBarPnl"));
    m_backgroundToolbarHost->setAccessibleName(QStringLiteral("Barre d'outils du fond de page"));
    m_backgroundToolbarHost->hide();
    BuildToolsPanel();
}

// --- Start ------------------------------------------------------------------------------------

bool TEP_Frm::Initialize(const QStringList& parameters)
{
    WorkDir = StartParameters::WorkDir(parameters, QDir::currentPath());
    if (!QFileInfo(WorkDir).isDir()) {
        m_messenger.ShowMessage(QStringLiteral("Répertoire de travail inconnu : \"%1\".").arg(WorkDir));
        return false;
    }
    QDir::setCurrent(WorkDir);
    QFont hintFont = QToolTip::font();
    hintFont.setPointSize(HintPointSize);
    QToolTip::setFont(hintFont);
    for (int number :
        {ProgramPictures::KeepSizeCursor, ProgramPictures::SameWHSizeCursor, ProgramPictures::AddItemCursor})
        ProgramPictures::Cursor(number);
    ShowMaximised();
    RunSplash();
    if (m_ending)
        return false;

    if (MakeSoundPlayer)
        m_player = MakeSoundPlayer();
    if (m_player && !m_player->Create(WorkDir))
        return false;

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_config.ScreenSize = screen->size();
    const Outcome loaded = m_config.Initialise(WorkDir);
    Show(loaded.Messages());
    if (!loaded || m_ending)
        return false;
    ApplyHintFont();

    PlaceToolsPanel();
    CreateToolsBar();
    return RunSelection();
}

void TEP_Frm::ShowMaximised()
{
    // Without a window manager nothing maximises the window: it takes the
    // screen's free area itself, or the fit zoom would fit a small window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void TEP_Frm::RunSplash()
{
    SplashWindow splash(m_clock, this);
    if (ShowSplash)
        ShowSplash(splash);
}

void TEP_Frm::ApplyHintFont()
{
    const HintFontChoice& choice = m_config.HintFont();
    QFont font = QToolTip::font();
    if (!choice.name.isEmpty())
        font.setFamily(choice.name);
    if (choice.size > 0)
        font.setPointSize(choice.size);
    if (choice.bold)
        font.setBold(*choice.bold);
    QToolTip::setFont(font);
}

// --- Selection and worksheets -----------------------------------------------------------------

bool TEP_Frm::RunSelection()
{
    if (m_editor->Root())
        m_editor->EndEdit(this, true);
    m_scrollBox->SetScrollOffset(QPoint(m_scrollBox->ScrollOffset().x(), 0));
    SaveWork();
    bool chosen = false;
    bool shown = false;
    do {
        RootItem = nullptr;
        m_scrollBox->PageImage()->Clear();
        if (m_player)
            m_player->SetDocument(nullptr);
        if (!m_chooser && MakeChooser)
            m_chooser = MakeChooser();
        if (!m_chooser || m_ending)
            return false;
        UpdateCaption();
        chosen = m_chooser->ChooseDocument() && !m_ending;
        shown = chosen && ShowDocument();
    } while (chosen && !shown);
    return chosen;
}

bool TEP_Frm::ShowDocument()
{
    if (m_player)
        m_player->SetDocument(nullptr);
    if (!isMaximized())
        ShowMaximised();
    TEP_Doc* document = m_config.CurrentDocument();
    if (!document || !document->Tree())
        return false;
    // Work a power cut interrupted is offered before the page is shown: it
    // may take the loaded work's place.
    Show(m_journal->Offer(*document, m_messenger).Messages());
    RootItem = document->Tree();
    m_editor->Attach(this, document, m_scrollBox, m_scrollBox->EditImage(), m_scrollBox->PageImage());
    m_journal->Start(document);
    if (m_player)
        m_player->SetDocument(document);
    SetZoom(CurrentZoom);
    UpdateCaption();
    if (AfterShow)
        AfterShow();
    return true;
}

void TEP_Frm::SaveWork()
{
    m_reading->Stop(); // the page it reads is going
    TEP_Doc* document = m_config.CurrentDocument();
    if (!document || !RootItem)
        return;
    if (m_editor->Root())
        m_editor->Detach(this);
    Outcome saved = document->EPDoc_Save();
    // The copy goes once the work file holds the work; a failed save keeps
    // it (brought up to date), so the work is still on the disk.
    if (saved)
        saved.Merge(m_journal->Discard());
    else
        m_journal->Stop();
    Show(saved.Messages());
}

bool TEP_Frm::GoToSiblingDocument(bool previous)
{
    TEP_DocsNode* node = m_config.CurrentDocumentNode();
    TEP_DocsNode* sibling = node ? (previous ? node->PreviousDocument() : node->NextDocument()) : nullptr;
    if (!sibling || !sibling->Document()) {
        m_messenger.Beep();
        return false;
    }
    m_editor->EndEdit(this, true);
    SaveWork();
    const QString name = sibling->Document()->Name();
    const Outcome opened = m_config.SetCurrentDocument(sibling->Document());
    Show(opened.Messages());
    if (!opened) {
        // The editor let go of the worksheet that is still open: it takes
        // it back, so the pupil goes on where they were.
        ShowDocument();
        return false;
    }
    if (!ShowDocument()) {
        m_messenger.ShowMessage(QStringLiteral("Une erreur s'est produite lors du chargement du document '%1'.\n"
                                               "Veuillez sortir du logiciel et relancer son edition.")
                                    .arg(name));
        return false;
    }
    return true;
}

void TEP_Frm::PrintDocument()
{
    TEP_Doc* document = m_config.CurrentDocument();
    if (!document || !RootItem)
        return;
    PrintRequest request;
    request.config = &m_config;
    request.document = document;
    request.tree = document->Tree();
    request.user = m_config.CurrentUser();
    request.messenger = &m_messenger;
    request.dialogParent = this;
    ::PrintDocument(request);
}

void TEP_Frm::LeaveDocument()
{
    m_scrollBox->SheetImage()->hide();
    if (!RunSelection() && Quit)
        Quit();
}

void TEP_Frm::EndSession()
{
    if (m_ending)
        return;
    m_ending = true;
    SaveWork();
    Show(m_config.SaveAll().Messages());
    if (Quit)
        Quit();
}

void TEP_Frm::ReleaseSoundPlayer()
{
    if (m_player)
        m_player->SetDocument(nullptr);
    m_player.reset();
}

// --- Caption and cursor -----------------------------------------------------------------------

void TEP_Frm::UpdateCaption()
{
    QString caption = CaptionStart;
    if (m_config.CurrentUser() != TEP_Config::DefaultUser)
        caption += m_config.CurrentUser();
    const TEP_Doc* document = RootItem ? m_config.CurrentDocument() : nullptr;
    if (!document) {
        setWindowTitle(caption + NoDocumentCaption);
        return;
    }
    caption += QLatin1Char(' ') + document->Name();
    const TEP_DocsNode* node = m_config.CurrentDocumentNode();
    if (const TEP_DocsNode* folder = node ? node->Parent() : nullptr) {
        int position = 0;
        int count = 0;
        for (int index = 0; index < folder->ChildCount(); ++index) {
            const TEP_DocsNode* child = folder->ChildAt(index);
            if (!child->IsDocument())
                continue;
            ++count;
            if (child == node)
                position = count;
        }
        if (position > 0)
            caption += QStringLiteral(" (%1/%2)").arg(position).arg(count);
    }
    setWindowTitle(caption);
}

void TEP_Frm::SetAddItemMode(bool on)
{
    AddItemMode = on;
    const QCursor cursor = on ? ProgramPictures::Cursor(ProgramPictures::AddItemCursor) : QCursor(Qt::ArrowCursor);
    setCursor(cursor);
    m_scrollBox->viewport()->setCursor(cursor);
}

// --- Events -----------------------------------------------------------------------------------

void TEP_Frm::closeEvent(QCloseEvent* event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    // Pupils leave by Esc, which saves their work and goes through the
    // selection screen.
    event->ignore();
    m_messenger.ShowMessage(UseEscMessage);
}

bool TEP_Frm::TakeReadingKey(QKeyEvent* event)
{
    if (!RootItem || !m_reading->TakeKey(KeyTranslator::KeyCode(*event)))
        return false;
    event->accept();
    return true;
}

void TEP_Frm::keyPressEvent(QKeyEvent* event)
{
    // The reading keys come before anything else, as F11 does everywhere.
    if (TakeReadingKey(event))
        return;
    // Then the toolbar: a pending add takes every other key.
    if (ToolsBarPendingKey(event))
        return;
    if (KeyDispatch && KeyDispatch(event))
        return;
    if (ToolsBarKey(event))
        return;
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (m_editor->IsTextEntry()) {
            m_editor->StopTextEntry();
            return;
        }
        LeaveDocument();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TEP_Frm::Show(const QStringList& messages)
{
    if (!messages.isEmpty())
        m_messenger.ShowMessages(messages);
}
