#pragma once

#include "FakeClock.h"
#include "JpegFixtures.h"
#include "TestFiles.h"

#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "params/Numbers.h"
#include "report/DefinitionFile.h"
#include "report/ReportDrawing.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QPainter>
#include <QTemporaryDir>
#include <memory>

// What the main window gives the item editor, and no more: a worksheet in a
// folder of its own, the scroll box with the sheet, the page image and the
// edit surface, and a page redraw that draws the whole tree. Zoom 1.5 is
// the largest zoom of the program.
class EditorHost {
public:
    explicit EditorHost(double zoom = 1.0, QSize client = QSize(1000, 800))
        : editor(config, messenger, &clock)
    {
        box.resize(client + QSize(box.frameWidth() * 2, box.frameWidth() * 2));
        box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box.show(); // laid out, as in the main window
        const QString folder = dir.path() + QStringLiteral("/Fiches");
        QDir().mkpath(folder);
        TestFiles::WriteBytes(folder + QStringLiteral("/Dictée.jpg"), JpegFixtures::Jpeg(210, 297, 25));
        ok = document.EPDoc_Init(QStringLiteral("Dictée"), folder).Ok()
            && document.EPDoc_SetUser(QStringLiteral("Paul")).Ok() && document.EPDoc_LoadForUse().Ok();
        config.ApplySettings();
        config.Session.Start(config.Settings.ItemForeground, config.Settings.ItemPenSize);
        editor.RedrawPage = [this] { Redraw(); };
        SetZoom(zoom);
        editor.Attach(&box, &document, &box, box.EditImage(), box.PageImage());
    }

    TDPRptItem& Root() const { return *document.Tree(); }
    float Scale() const { return scale; }

    void SetZoom(double zoom)
    {
        scale = float(96.0 / 254.0 * zoom);
        const QSize sheet(RoundHalfEven(2100 * scale), RoundHalfEven(2970 * scale));
        const QSize page(RoundHalfEven(Root().Width * scale), RoundHalfEven(Root().Height * scale));
        box.LayOutPage(sheet, page);
        Redraw();
    }

    void Redraw()
    {
        ++redraws;
        ImageWidget& page = *box.PageImage();
        page.Image().fill(Qt::white);
        QPainter painter(&page.Image());
        SurfaceDrawing drawing;
        drawing.surface = &page.Image();
        drawing.scale = scale;
        drawing.nominalResolution = RoundHalfEven(scale * 254.0);
        drawing.selection = config.Applied().selection;
        DrawReportTree(Root(), painter, drawing);
        page.update();
    }

    // A drawing laid straight into the tree (units), as a work file gives it.
    TDPRptSpDr* AddDrawing(const QString& name, int mode, QRectF units, int pen = 5)
    {
        auto item = std::make_unique<TDPRptSpDr>();
        item->SpDrMode = mode;
        item->PenSize = pen;
        item->PosX = float(units.x());
        item->PosY = float(units.y());
        item->Width = float(units.width());
        item->Height = float(units.height());
        TDPRptSpDr* added = Root().AddChild(name, std::move(item));
        if (added)
            added->Name = name;
        Root().SetScale(scale);
        return added;
    }

    TDPRptText* AddText(const QString& name, const QString& value, QRectF units)
    {
        auto item = std::make_unique<TDPRptText>();
        item->Value = value;
        item->PosX = float(units.x());
        item->PosY = float(units.y());
        item->Width = float(units.width());
        item->Height = float(units.height());
        item->Name = name;
        TDPRptText* added = Root().AddChild(name, std::move(item));
        Root().SetScale(scale);
        return added;
    }

    TDPRptRect* AddRect(const QString& name, QRectF units)
    {
        auto item = std::make_unique<TDPRptRect>();
        item->PosX = float(units.x());
        item->PosY = float(units.y());
        item->Width = float(units.width());
        item->Height = float(units.height());
        item->Name = name;
        TDPRptRect* added = Root().AddChild(name, std::move(item));
        Root().SetScale(scale);
        return added;
    }

    QRect PageRect() const { return box.PageImage()->geometry(); }
    QRect Surface() const { return box.EditImage()->geometry(); }
    QRect SurfaceOnPage() const { return Surface().translated(-PageRect().topLeft()); }

    QTemporaryDir dir;
    TEP_Config config;
    ScriptedMessenger messenger;
    FakeClock clock;
    TEP_Doc document;
    PageScrollBox box;
    EP_ItEdt editor;
    float scale = 1;
    int redraws = 0;
    bool ok = false;
};
