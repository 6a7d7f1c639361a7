#include "printing/PrintDocument.h"

#include "config/TEP_Config.h"
#include "documents/FileNameRules.h"
#include "documents/MessageText.h"
#include "documents/Messenger.h"
#include "documents/TEP_Doc.h"
#include "platform/OverrideCursor.h"
#include "platform/QtPrinterDevice.h"
#include "printing/PrintDialogs.h"
#include "report/DeviceScales.h"
#include "report/TDPRptRect.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <exception>
#include <memory>

namespace {

const QString CannotPrint = QStringLiteral("Impossible d'imprimer");
const QString DrawingRefused = QStringLiteral("Impression impossible");

PrintOutcome Ended(PrintOutcome::Status status)
{
    PrintOutcome outcome;
    outcome.status = status;
    return outcome;
}

void Tell(Messenger* messenger, const QStringList& lines)
{
    if (messenger && !lines.isEmpty())
        messenger->ShowMessages(lines);
}

// A switch changed by a "Ne plus afficher ce message" box is saved at once:
// the pupil's choice holds on every PC, even if this one is switched off.
void KeepSwitch(const PrintRequest& request, bool& setting, bool show)
{
    if (setting == show)
        return;
    setting = show;
    Tell(request.messenger, request.config->SaveUserSettings().Messages());
}

// A PDF page has the margins of an office printer that leave exactly the
// work page (200 x 282.9 mm) printable, in the middle of the A4 sheet.
QMarginsF WorkPageMargins(const QPageLayout& layout)
{
    const QSizeF sheet = layout.pageSize().size(QPageSize::Millimeter);
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    const double shortMargin = (std::min(sheet.width(), sheet.height()) - TEP_Doc::ShortSide / 10.0) / 2;
    const double longMargin = (std::max(sheet.width(), sheet.height()) - TEP_Doc::LongSide / 10.0) / 2;
    const double side = landscape ? longMargin : shortMargin, top = landscape ? shortMargin : longMargin;
    return QMarginsF(side, top, side, top);
}

// One print of one worksheet, from the beginning of the job to its end or
// abort.
class PrintJob {
public:
    PrintJob(const PrintRequest& request, QtPrinterDevice& printer)
        : m_request(request)
        , m_printer(printer)
    { }

    PrintOutcome Run();

private:
    bool Begin();
    bool ChoosePdfFile();
    bool Render();
    bool End();
    bool Fail(const QString& text, const QString& reason = QString());
    void Finish();

    const PrintRequest& m_request;
    QtPrinterDevice& m_printer;
    PrintedPage m_page;
    PrintOutcome m_outcome;
    QStringList m_failure;
};

PrintOutcome PrintJob::Run()
{
    OverrideCursor hourglass(Qt::WaitCursor);
    bool printed = false;
    try {
        printed = Begin() && Render() && End();
    } catch (const std::exception&) {
        // Out of memory inside the drawing: the pupil is told, the program
        // goes on.
        printed = Fail(CannotPrint);
    }
    // No half page leaves the computer.
    if (m_printer.IsPrinting())
        m_printer.AbortJob();
    m_page = PrintedPage();
    hourglass.Restore();
    if (!printed) {
        m_outcome.status = PrintOutcome::Failed;
        m_outcome.pdfFile.clear();
        Tell(m_request.messenger, m_failure);
        return m_outcome;
    }
    m_outcome.status = PrintOutcome::Printed;
    Finish();
    return m_outcome;
}

bool PrintJob::Begin()
{
    QPrinter& printer = m_printer.Printer();
    // Set before the job begins: a job keeps the orientation it began with.
    const bool landscape = m_request.tree->Width > TEP_Doc::LandscapeWidth;
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (m_printer.PrintsToPdf()) {
        printer.setPageMargins(WorkPageMargins(printer.pageLayout()), QPageLayout::Millimeter);
        if (!ChoosePdfFile())
            return false;
    }
    return m_printer.BeginJob() || Fail(CannotPrint, m_printer.ErrorText());
}

// Without a printer the page goes into the export folder, named so that the
// teacher finds whose page it is and when it was printed.
bool PrintJob::ChoosePdfFile()
{
    const TEP_Config& config = *m_request.config;
    const QString folder = QFileInfo(config.ExportDir).isDir() ? config.ExportDir : config.ExportFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return Fail(CannotPrint, QStringLiteral("Le dossier %1 ne peut être créé.").arg(MessageText::Quoted(folder)));
    const QDateTime time = m_request.time.isValid() ? m_request.time : QDateTime::currentDateTime();
    const QString base
        = QStringLiteral("%1_%2_%3")
              .arg(m_request.document->Name(), m_request.user, time.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
    QString file = FileNameRules::Join(folder, base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(file); ++n)
        file = FileNameRules::Join(folder, QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    m_printer.SetPdfFileName(file);
    m_outcome.pdfFile = file;
    return true;
}

bool PrintJob::Render()
{
    const QPrinter& printer = m_printer.Printer();
    const QSize pagePixels = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    if (!m_page.Allocate(pagePixels, m_request.config->PrinterResDiv, m_request.maxBitmapPixels))
        return Fail(CannotPrint, QStringLiteral("La mémoire manque pour préparer la page."));
    m_outcome.divisor = m_page.Divisor();
    if (!m_page.Draw(*m_request.tree, DeviceScales::PrinterUnitScale(m_printer), m_printer.FontResolution()))
        return Fail(DrawingRefused);
    QPainter* canvas = m_printer.JobPainter();
    if (!canvas || !canvas->isActive())
        return Fail(CannotPrint);
    m_page.PaintOn(*canvas);
    return true;
}

bool PrintJob::End()
{
    return m_printer.EndJob() || Fail(CannotPrint, m_printer.ErrorText());
}

bool PrintJob::Fail(const QString& text, const QString& reason)
{
    m_failure = QStringList {text};
    if (!reason.isEmpty())
        m_failure.append(reason);
    return false;
}

void PrintJob::Finish()
{
    if (m_printer.PrintsToPdf()) {
        // No sheet to wait for: the pupil is told where the page is.
        Tell(m_request.messenger,
            {QStringLiteral("Aucune imprimante n'est installée : la page a été enregistrée dans le fichier %1.")
                    .arg(MessageText::Quoted(m_outcome.pdfFile))});
        return;
    }
    TEP_Config& config = *m_request.config;
    bool show = config.Settings.PrintWaitDialog;
    PrintWait(show, m_request.dialogParent);
    KeepSwitch(m_request, config.Settings.PrintWaitDialog, show);
}

} // namespace

PrintOutcome PrintDocument(const PrintRequest& request)
{
    if (!request.config || !request.document || !request.tree) {
        Q_ASSERT_X(false, "PrintDocument", "a print needs a configuration, a worksheet and its tree");
        if (request.messenger)
            request.messenger->ShowMessage(CannotPrint);
        return Ended(PrintOutcome::Failed);
    }
    TEP_Config& config = *request.config;
    bool show = config.Settings.PrintConfirmDialog;
    const bool yes = ConfirmPrint(show, request.dialogParent);
    KeepSwitch(request, config.Settings.PrintConfirmDialog, show);
    if (!yes)
        return Ended(PrintOutcome::Cancelled);
    // The printer is looked for once the pupil said yes: CUPS may be slow
    // to answer, and the question comes at once.
    std::unique_ptr<QtPrinterDevice> current;
    if (!request.printer) {
        const OverrideCursor hourglass(Qt::WaitCursor);
        current = std::make_unique<QtPrinterDevice>(config.Applied().printerName);
    }
    PrintJob job(request, request.printer ? *request.printer : *current);
    return job.Run();
}

PrintOutcome PrintSelectedDocument(PrintRequest request, TEP_Doc& selected)
{
    if (!request.config) {
        Q_ASSERT_X(false, "PrintSelectedDocument", "a print needs a configuration");
        return Ended(PrintOutcome::Failed);
    }
    TEP_Config& config = *request.config;
    TEP_Doc* previous = config.CurrentDocument();
    if (previous != &selected) {
        // The work may be open on another PC, or unreadable: the pupil is
        // told why, and nothing is printed.
        const Outcome opened = config.SetCurrentDocument(&selected);
        Tell(request.messenger, opened.Messages());
        if (!opened)
            return Ended(PrintOutcome::Failed);
    }
    request.document = &selected;
    request.tree = selected.Tree();
    request.user = selected.CurrentUser();
    const PrintOutcome outcome = PrintDocument(request);
    if (previous != &selected)
        Tell(request.messenger, config.SetCurrentDocument(previous).Messages());
    return outcome;
}
