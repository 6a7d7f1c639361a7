#include "BenchData.h"

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
