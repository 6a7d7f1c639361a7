#pragma once

#include "printing/PrintedPage.h"

#include <QDateTime>
#include <QString>

class Messenger;
class QWidget;
class QtPrinterDevice;
class TDPRptItem;
class TEP_Config;
class TEP_Doc;

// What printing a worksheet needs, all given by the caller: the main window
// gives its open worksheet, the selection screen the selected worksheet
// loaded with the selected pupil's work (PrintSelectedDocument).
struct PrintRequest {
    // The divisor, the export folder and the pupil's message switches
    // ("DLG_PRINTCONFIRM", "DLG_PRINTWAIT"), saved when a switch changes.
    TEP_Config* config = nullptr;
    const TEP_Doc* document = nullptr; // its name names the PDF
    const TDPRptItem* tree = nullptr; // the worksheet's item tree with the pupil's work
    QString user; // the pupil, who names the PDF
    Messenger* messenger = nullptr; // failures, and where the PDF went
    // Null: the printer the configuration chose ("PRINTERNAME") when it
    // exists, else the system's default one, else a PDF in the export
    // folder. Tests and benchmarks give their own.
    QtPrinterDevice* printer = nullptr;
    QWidget* dialogParent = nullptr;
    QDateTime time; // names the PDF; invalid: now
    qint64 maxBitmapPixels = PrintedPage::DefaultMaxPixels;
};

struct PrintOutcome {
    enum Status {
        Cancelled, // the question was answered no: nothing printed, nothing said
        Printed,
        Failed, // the pupil was told why; no page left the computer
    };
    Status status = Cancelled;
    int divisor = 0; // the divisor the page was drawn at
    QString pdfFile; // where the page went when there is no printer
};

// Prints the worksheet on one page, after the question "Voulez-vous
// imprimer la page ?" when the pupil has it on; callers never ask it
// themselves. The page is landscape when the worksheet is. Any failure
// after the job began aborts the job. The tree given is only read: its
// scale, rectangles and editing state stay as they were, and the caller
// redraws nothing because of the print.
PrintOutcome PrintDocument(const PrintRequest& request);

// The selection screen's print: makes the selected worksheet current for the
// configuration's pupil if it is not (which loads that pupil's work), prints
// it, and makes the previously current worksheet (or none) current again.
PrintOutcome PrintSelectedDocument(PrintRequest request, TEP_Doc& selected);
