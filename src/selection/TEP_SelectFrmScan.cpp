// New worksheets from a scanner: through SANE, or through the external
// capture program when the data root holds one. Neither freezes the
// screen: the scanner answers through signals, the program is watched
// through its files.
#include "SelectionDialogs.h"
#include "TEP_DocsTree.h"
#include "TEP_SelectFrm.h"
#include "config/TEP_Config.h"
#include "documents/JpegHeader.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "params/SafeSave.h"
#include "platform/ExternalCapture.h"
#include "platform/OverrideCursor.h"
#include "platform/SaneScanner.h"
#include "report/JpegCodec.h"

void TEP_SelectFrm::SetScanner(Scanner* scanner)
{
    if (m_scanner == scanner)
        return;
    if (m_scanner)
        m_scanner->disconnect(this);
    m_scanner = scanner;
    if (!m_scanner)
        return;
    connect(m_scanner, &Scanner::DevicesListed, this, &TEP_SelectFrm::DevicesListed);
    connect(m_scanner, &Scanner::Finished, this, &TEP_SelectFrm::ScanFinished);
}

Scanner& TEP_SelectFrm::TheScanner()
{
    if (!m_scanner) {
        m_ownScanner = std::make_unique<SaneScanner>();
        SetScanner(m_ownScanner.get());
    }
    return *m_scanner;
}

void TEP_SelectFrm::Scan()
{
    // One scan at a time: a second request while a page is coming only
    // beeps.
    if (m_scanning) {
        m_messenger.Beep();
        return;
    }
    if (!ExternalCapture::FindProgram(m_config.DataRoot()).isEmpty())
        CaptureExternally();
    else
        ScanWithScanner();
}

void TEP_SelectFrm::ScanWithScanner()
{
    Scanner& scanner = TheScanner();
    QString message;
    if (!scanner.IsAvailable(&message)) {
        m_messenger.ShowMessage(message);
        return;
    }
    bool show = m_config.Settings.ScanTypeDialog;
    m_dialogs->ShowInfoMessage(QStringLiteral("Scan"),
        QStringLiteral("Les documents doivent être scannés au format \"Document couleur\"."), show);
    if (show != m_config.Settings.ScanTypeDialog) {
        m_config.Settings.ScanTypeDialog = show;
        ShowOutcome(m_config.SaveUserSettings());
    }
    m_scanning = scanner.ListDevices();
    if (!m_scanning)
        m_messenger.Beep();
}

void TEP_SelectFrm::DevicesListed(const QList<ScannerDevice>& devices, const QString& error)
{
    if (!m_scanning)
        return;
    if (!error.isEmpty())
        m_messenger.ShowMessage(error);
    const QString device = devices.isEmpty() ? QString() : m_dialogs->ChooseScanner(devices, m_lastDevice);
    if (device.isEmpty() || !m_scanner->Acquire(device)) {
        m_scanning = false;
        return;
    }
    m_lastDevice = device;
}

void TEP_SelectFrm::ScanFinished(const ScanResult& result)
{
    if (!m_scanning)
        return;
    m_scanning = false;
    if (result.outcome == ScanResult::Outcome::Cancelled)
        return;
    if (!result.IsPage()) {
        m_messenger.ShowMessage(result.message);
        return;
    }
    const Outcome canAdd = m_tree->CanAdd();
    if (!canAdd) {
        ShowOutcome(canAdd);
        return;
    }
    QString name;
    bool replace = false;
    if (AskPageName(name, replace))
        AddScannedPage(result, name, replace);
}

void TEP_SelectFrm::CaptureExternally()
{
    m_messenger.ShowMessage(QStringLiteral("Scan procedure 2"));
    const Outcome canAdd = m_tree->CanAdd();
    if (!canAdd) {
        ShowOutcome(canAdd);
        return;
    }
    if (!AskPageName(m_captureName, m_captureReplaces))
        return;
    auto* capture = new ExternalCapture(m_config.DataRoot(), m_clock, this);
    connect(capture, &ExternalCapture::Waiting, m_tree->viewport(), qOverload<>(&QWidget::update));
    connect(capture, &ExternalCapture::Finished, this, &TEP_SelectFrm::CaptureFinished);
    QString error;
    if (!capture->Start(&error)) {
        delete capture;
        m_messenger.ShowMessage(error);
        return;
    }
    m_capture = capture;
    m_scanning = true;
}

void TEP_SelectFrm::CaptureFinished(const ScanResult& result)
{
    m_scanning = false;
    if (m_capture)
        m_capture->deleteLater();
    if (result.outcome == ScanResult::Outcome::Cancelled)
        return;
    if (!result.IsPage()) {
        m_messenger.ShowMessage(result.message);
        return;
    }
    AddScannedPage(result, m_captureName, m_captureReplaces);
}

// "Nom de la fiche : " until a name the folder can take, or a worksheet's
// name whose picture the teacher agrees to replace; false when cancelled.
bool TEP_SelectFrm::AskPageName(QString& name, bool& replace)
{
    replace = false;
    QString answer;
    for (;;) {
        if (!m_messenger.AskText(
                QStringLiteral("Création fiches de travail"), QStringLiteral("Nom de la fiche : "), answer, answer))
            return false;
        name = answer;
        bool exists = false;
        const Outcome checked = m_tree->CheckNewName(name, exists);
        if (exists) {
            if (m_messenger.AskYesNo(
                    QStringLiteral("Le document \"%1\" existe. Voulez-vous le remplacer ?").arg(name))) {
                replace = true;
                return true;
            }
            continue;
        }
        if (checked)
            return true;
        ShowOutcome(checked);
    }
}

void TEP_SelectFrm::AddScannedPage(const ScanResult& result, const QString& name, bool replace)
{
    Outcome added;
    {
        OverrideCursor hourglass(Qt::WaitCursor);
        added = replace
            ? ReplacePicture(name, result)
            : m_tree->AddDocument(name, &result.image, result.verticalResolution, result.horizontalResolution);
    }
    ShowOutcome(added);
    SelectionChanged();
    raise();
    activateWindow();
}

// The scanned page takes the place of a worksheet's picture; the pupils'
// work and the sounds stay with the worksheet.
Outcome TEP_SelectFrm::ReplacePicture(const QString& name, const ScanResult& result)
{
    TEP_DocsNode* selected = m_tree->SelectedNode();
    TEP_DocsNode* folder = selected && selected->IsDocument() ? selected->Parent() : selected;
    TEP_DocsNode* node = folder ? folder->FindChildByName(name) : nullptr;
    TEP_Doc* document = node ? node->Document() : nullptr;
    if (!document)
        return Outcome::Failure(QStringLiteral("Le document \"%1\" n'existe pas dans le composant arbre.").arg(name));
    QString error;
    QByteArray jpeg = JpegCodec::Encode(result.image, result.horizontalResolution, &error);
    if (jpeg.isEmpty())
        return Outcome::Failure(error);
    Outcome replaced;
    if (!JpegHeader::StampResolution(jpeg, result.horizontalResolution, result.verticalResolution))
        replaced.Note(QStringLiteral("La résolution n'a pas pu être inscrite dans l'image."));
    if (!SafeSave::WriteFile(document->ImagePath(), jpeg, &error))
        return Outcome::Failure(error);
    replaced.Merge(document->EPDoc_Refresh());
    replaced.Merge(m_tree->RefreshDocument(document));
    m_tree->SelectDocument(document);
    return replaced;
}
