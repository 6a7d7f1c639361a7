// Writes one annotated page twice: as an Ardoisine worksheet (picture and
// Paul's work file) and as the equivalent Xournal++ document (the same
// picture as background, the same strokes and text boxes), for
// `make bench-peers`.
#include "BenchData.h"
#include "params/TextFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

// Tenths of a millimetre to PostScript points.
double Points(double units)
{
    return units / 254.0 * 72.0;
}

struct Item {
    int x, y, width, height;
    bool text;
};

QList<Item> Items(int count)
{
    QList<Item> items;
    for (int i = 1; i <= count; ++i)
        items << Item {100 + i * 37 % 1700, 100 + i * 53 % 2500, 120 + i % 150, 60 + i % 90, i % 5 == 0};
    return items;
}

QStringList WorkFile(const QList<Item>& items)
{
    QStringList lines {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829", "CHILD=MAINIMG,0,0"};
    for (int i = 0; i < items.size(); ++i)
        lines << QStringLiteral("CHILD=NEWIT_%1,%2,%3").arg(i + 1).arg(items[i].x).arg(items[i].y);
    lines << QString() << "[MAINIMG]"
          << "TYPE=IMG"
          << "RECT=2000,2829"
          << "IMGNAME=";
    for (int i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        lines << QString() << QStringLiteral("[NEWIT_%1]").arg(i + 1);
        if (item.text)
            lines << "TYPE=TEXT"
                  << "RECT=900,120"
                  << "TRANSPARENT=YES"
                  << "FONT=14,Arial,COLOR:255"
                  << QStringLiteral("VALUE=Réponse %1 : le petit chat boit du lait").arg(i + 1);
        else
            lines << "TYPE=SPDR" << QStringLiteral("RECT=%1,%2").arg(item.width).arg(item.height) << "SPDRMODE=SpRect"
                  << "PENSIZE=5"
                  << "SPDRFGCOLOR=255";
    }
    return lines;
}

QString Xopp(const QList<Item>& items, const QString& background)
{
    QString xml;
    QTextStream out(&xml);
    out << "<?xml version=\"1.0\" standalone=\"no\"?>\n<xournal creator=\"Ardoisine benchmark\" fileversion=\"4\">\n"
        << "<page width=\"595.27559\" height=\"841.88976\">\n"
        << "<background type=\"pixmap\" domain=\"absolute\" filename=\"" << background << "\"/>\n<layer>\n";
    for (const Item& item : items) {
        const double x = Points(item.x), y = Points(item.y);
        if (item.text) {
            out << "<text font=\"Sans\" size=\"14\" x=\"" << x << "\" y=\"" << y
                << "\" color=\"#ff0000ff\">Réponse : le petit chat boit du lait</text>\n";
            continue;
        }
        const double w = Points(item.width), h = Points(item.height);
        out << "<stroke tool=\"pen\" color=\"#ff0000ff\" width=\"" << Points(5) << "\">" << x << ' ' << y << ' '
            << x + w << ' ' << y << ' ' << x + w << ' ' << y + h << ' ' << x << ' ' << y + h << ' ' << x << ' ' << y
            << "</stroke>\n";
    }
    out << "</layer>\n</page>\n</xournal>\n";
    return xml;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Utilisation : ardoisine-peer-page DOSSIER NOMBRE_D_ÉLÉMENTS\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QList<Item> items = Items(QString::fromLocal8Bit(argv[2]).toInt());
    QFile picture(dir.filePath(QStringLiteral("Fiche.jpg")));
    if (!picture.open(QIODevice::WriteOnly) || picture.write(BenchData::ScannedPageJpeg()) < 0)
        return 1;
    picture.close();
    if (!TextFile::WriteLines(dir.filePath(QStringLiteral("Fiche_Paul.txt")), WorkFile(items)))
        return 1;
    QFile xopp(dir.filePath(QStringLiteral("page.xopp"))); // read as plain XML when not compressed
    if (!xopp.open(QIODevice::WriteOnly))
        return 1;
    xopp.write(Xopp(items, dir.absoluteFilePath(QStringLiteral("Fiche.jpg"))).toUtf8());
    return 0;
}
