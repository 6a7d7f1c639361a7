#include "BenchData.h"

#include "params/TextFile.h"
#include "report/JpegCodec.h"

#include <QDir>
#include <QPainter>
#include <QRandomGenerator>
#include <fstream>
#include <string>

namespace BenchData {

namespace {

QStringList Root(int count, int x0, int dx, int y0, int dy)
{
    QStringList lines {"[MAINRECT]", "TYPE=RECT", "RECT=2000,2829"};
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("CHILD=NEWIT_%1,%2,%3").arg(i).arg(x0 + i * dx % 1700).arg(y0 + i * dy % 2500));
    return lines;
}

} // namespace

QStringList RectangleItems(int count)
{
    QStringList lines = Root(count, 0, 7, 0, 13);
    for (int i = 1; i <= count; ++i) {
        lines << QString() << QStringLiteral("[NEWIT_%1]").arg(i) << "TYPE=RECT"
              << QStringLiteral("RECT=%1,%2").arg(50 + i % 90).arg(40 + i % 70)
              << QStringLiteral("COLORS=BACK:%1").arg(i * 4099 % 16777215);
        if (i % 3 == 0)
            lines << "TOPBORDERS=(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:255)";
    }
    return lines;
}

QStringList MixedDrawings(int count)
{
    static const QStringList modes {"SpRect", "SpFRect", "SpFBRect", "SpCross", "SpHLine", "SpHRel", "SpTBRel",
        "SpBTRel", "SpBCircle", "SpFCircle", "SpFBCircle", "SpBrackets", "SpLines", "SpHighLight", "SpArrow"};
    static const QStringList colours {"0", "255", "16711680", "32768", "65535", "33023"};
    QStringList lines = Root(count, 100, 37, 100, 53);
    for (int i = 1; i <= count; ++i) {
        const QString mode = modes[i % modes.size()];
        lines << QString() << QStringLiteral("[NEWIT_%1]").arg(i) << "TYPE=SPDR"
              << QStringLiteral("RECT=%1,%2").arg(120 + i % 150).arg(60 + i % 90) << "SPDRMODE=" + mode
              << QStringLiteral("PENSIZE=%1").arg(5 + i % 7 * 2) << "SPDRFGCOLOR=" + colours[i % colours.size()];
        if (mode == QLatin1String("SpLines"))
            lines << "SPDRPOINTS=(0,0)(40,90)(80,10)(120,70)(160,0)"
                  << "SPDRPOINTS=(200,50)(240,20)";
        if (mode == QLatin1String("SpArrow"))
            lines << QStringLiteral("SPDRLENGTHS=%1").arg(100 + i % 200)
                  << QStringLiteral("SPDRANGLES=%1").arg(i * 37 % 360) << "SPDRARROWTYPE=ARROW";
    }
    return lines;
}

} // namespace BenchData

namespace BenchData {

QImage ScannedPage()
{
    QImage page(2480, 3508, QImage::Format_RGB32);
    QRandomGenerator noise(42);
    for (int y = 0; y < page.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int grey = 235 + int(noise.bounded(12));
            row[x] = qRgb(grey, grey, grey - 4);
        }
    }
    QPainter painter(&page);
    for (int line = 0; line < 60; ++line)
        for (int word = 0; word < 14; ++word)
            painter.fillRect(200 + word * 150, 300 + line * 52, 40 + int(noise.bounded(90)), 26, QColor(30, 30, 40));
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(150, 250, 2180, 3200);
    return page;
}

} // namespace BenchData

namespace BenchData {

QStringList WorkItems(int count)
{
    QStringList lines = MixedDrawings(count);
    lines.insert(3, QStringLiteral("CHILD=MAINIMG,0,0"));
    // Every fifth item is a text, every 17th a vertical text, every 23rd a
    // background marker, every 29th a plain rectangle.
    for (int i = 1; i <= count; ++i) {
        const qsizetype at = lines.indexOf(QStringLiteral("[NEWIT_%1]").arg(i));
        qsizetype end = at + 1;
        while (end < lines.size() && !lines[end].startsWith(QLatin1Char('[')))
            ++end;
        QStringList section;
        if (i % 5 == 0)
            section << "TYPE=TEXT"
                    << "RECT=900,120"
                    << "TRANSPARENT=YES"
                    << "FONT=14,Arial,COLOR:16711680"
                    << QStringLiteral("VALUE=Réponse %1 : le petit chat boit du lait¶deuxième ligne").arg(i);
        else if (i % 17 == 0)
            section << "TYPE=VTEXT"
                    << "RECT=100,600"
                    << "FONT=12,Arial"
                    << "VALUE=Texte vertical"
                    << "VTMODE=FROMBOTTOMTOTOP";
        else if (i % 23 == 0)
            section << "TYPE=BKLITEM"
                    << "RECT=150,150"
                    << "SPDRMODE=BKSOUND"
                    << "IMGNAME=SOUND1";
        else if (i % 29 == 0)
            section << "TYPE=RECT"
                    << "RECT=200,100"
                    << "COLORS=BACK:65535";
        if (section.isEmpty())
            continue;
        lines.erase(lines.begin() + at + 1, lines.begin() + end);
        for (int k = 0; k < section.size(); ++k)
            lines.insert(at + 1 + k, section[k]);
        lines.insert(at + 1 + section.size(), QString());
    }
    lines << QString() << QStringLiteral("[MAINIMG]") << QStringLiteral("TYPE=IMG") << QStringLiteral("RECT=2000,2829")
          << QStringLiteral("IMGNAME=");
    return lines;
}

const QByteArray& ScannedPageJpeg()
{
    static const QByteArray jpeg = JpegCodec::Encode(ScannedPage(), 300);
    return jpeg;
}

bool WriteScannedPage(const QString& fileName)
{
    QFile picture(fileName);
    return picture.open(QIODevice::WriteOnly) && picture.write(ScannedPageJpeg()) == ScannedPageJpeg().size();
}

WorksheetFolder::WorksheetFolder(int items, const QString& parent)
    : dir(parent.isEmpty() ? QDir::tempPath() + QStringLiteral("/ardoisine-bench-XXXXXX")
                           : parent + QStringLiteral("/ardoisine-bench-XXXXXX"))
{
    WriteScannedPage(dir.filePath(QStringLiteral("Fiche.jpg")));
    TextFile::WriteLines(dir.filePath(QStringLiteral("Fiche_Paul.txt")), WorkItems(items));
}

QString WorksheetFolder::Path() const
{
    return dir.path();
}

PeakMemory::PeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemory::Megabytes() const
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

float ScreenScale(int zoomPercent)
{
    if (zoomPercent <= 0)
        return float(900.0 / 2829.0);
    return float(96.0 / 254.0 * zoomPercent / 100.0);
}

} // namespace BenchData
