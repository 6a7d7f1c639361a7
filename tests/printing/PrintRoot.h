#pragma once

#include "JpegFixtures.h"
#include "TestFiles.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "platform/QtPrinterDevice.h"
#include "printing/PrintDocument.h"
#include "report/TDPRptRect.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

// A data root of worksheets with pupils' work, its configuration with Paul
// chosen, and a printer writing PDF pages at a low resolution (75 dpi).
//
// The worksheet pictures are 210 x 297 mm patterns (red top-left, blue
// top-right and green bottom-left blocks on white), so the page's corners
// show on paper. Each pupil's work holds one filled rectangle, "BOX".
struct PrintRoot {
    static constexpr int Resolution = 75;
    static constexpr QRgb Blue = 0xFF0000; // work-file colours: red in the low byte
    static constexpr QRgb Red = 0x0000FF;

    PrintRoot()
    {
        Picture("Fiche.jpg", JpegFixtures::Jpeg(248, 351, 30));
        Picture("Paysage.jpg", JpegFixtures::Jpeg(351, 248, 30));
        Work("Fiche_Paul.txt", false, QRect(1000, 1200, 400, 300), Blue);
        Work("Paysage_Paul.txt", true, QRect(1500, 800, 400, 300), Blue);
        Restart();
        printer = std::make_unique<QtPrinterDevice>(QString(), QtPrinterDevice::Destination::PdfFile);
        printer->Printer().setResolution(Resolution);
    }

    // A printer in place of the PDF of a PC without one: its sheet lands in
    // Sheet(), and the notice to wait for it follows.
    void UsePrinter()
    {
        printer = std::make_unique<QtPrinterDevice>(QString(), QtPrinterDevice::Destination::PdfFileAsPrinter);
        printer->Printer().setResolution(Resolution);
        printer->SetPdfFileName(Sheet());
    }
    QString Sheet() const { return Path(QStringLiteral("sheet.pdf")); }

    // The program started again on the data root (it finds new worksheets),
    // Paul chosen, without the question before printing.
    void Restart()
    {
        if (config)
            (void)config->SaveAll();
        config.reset();
        config = std::make_unique<TEP_Config>();
        (void)config->Initialise(dir.path());
        (void)config->SetUser(QStringLiteral("Paul"), false);
        config->Settings.PrintConfirmDialog = false;
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Worksheets() const { return Path(QStringLiteral("Documents/Fiches")); }

    void Picture(const QString& name, const QByteArray& jpeg) const
    {
        QDir().mkpath(Worksheets());
        TestFiles::WriteBytes(Worksheets() + QLatin1Char('/') + name, jpeg);
    }

    // A work file with the page picture and one filled rectangle (place and
    // size in tenths of a millimetre).
    void Work(const QString& name, bool landscape, const QRect& box, QRgb colour) const
    {
        const QString page = landscape ? QStringLiteral("2829,2000") : QStringLiteral("2000,2829");
        const QString picture = landscape ? QStringLiteral("2829,1999") : QStringLiteral("1999,2829");
        QDir().mkpath(Worksheets());
        TestFiles::WriteBytes(Worksheets() + QLatin1Char('/') + name,
            TestFiles::CrLf({"[MAINRECT]", "TYPE=RECT", "RECT=" + page, "CHILD=MAINIMG,0,0",
                QStringLiteral("CHILD=BOX,%1,%2").arg(box.x()).arg(box.y()), "[MAINIMG]", "TYPE=IMG", "RECT=" + picture,
                "IMGNAME=", "[BOX]", "TYPE=SPDR", QStringLiteral("RECT=%1,%2").arg(box.width()).arg(box.height()),
                "SPDRMODE=SpFRect", QStringLiteral("SPDRFGCOLOR=%1").arg(colour)}));
    }

    TEP_Doc* Document(const QString& name) const
    {
        TEP_DocsNode* node = config->Tree()->FindChildByName(name);
        return node ? node->Document() : nullptr;
    }

    // The worksheet made current for the pupil, as the main window shows it.
    TEP_Doc* Open(const QString& name) const
    {
        TEP_Doc* document = Document(name);
        return document && config->SetCurrentDocument(document).Ok() ? document : nullptr;
    }

    PrintRequest Request(const TEP_Doc* document) const
    {
        PrintRequest request;
        request.config = config.get();
        request.document = document;
        request.tree = document ? document->Tree() : nullptr;
        request.user = config->CurrentUser();
        request.messenger = const_cast<ScriptedMessenger*>(&messenger);
        request.printer = printer.get();
        request.time = QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5));
        return request;
    }

    QStringList Exported() const { return QDir(config->ExportDir).entryList(QDir::Files); }

    QTemporaryDir dir;
    ScriptedMessenger messenger;
    std::unique_ptr<TEP_Config> config;
    std::unique_ptr<QtPrinterDevice> printer;
};
