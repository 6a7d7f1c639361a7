// The icon the package installs for the menu and the task bar: an SVG that
// Qt's renderer reads, drawn as a recognisable picture at the sizes desktops
// ask for, from the smallest menu entry up.
#include "Screenshots.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class ProgramIconTest : public QObject {
    Q_OBJECT

private slots:
    void drawsAtDesktopSizes_data();
    void drawsAtDesktopSizes();
};

void ProgramIconTest::drawsAtDesktopSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 48, 128, 256})
        QTest::addRow("%d px", size) << size;
}

void ProgramIconTest::drawsAtDesktopSizes()
{
    QFETCH(int, size);
    QSvgRenderer renderer(QStringLiteral(ARDOISINE_ICON));
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), QSize(128, 128));
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    renderer.render(&painter);
    painter.end();
    QVERIFY(icon.save(Screenshots::PathOf(QStringLiteral("program-icon-%1.png").arg(size)), "PNG"));

    // The slate fills most of the square, and the picture keeps several
    // colours (frame, slate, chalk, pencil) even at 16 pixels.
    int opaque = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                ++opaque;
                colours.insert(pixel & 0xF0F0F0);
            }
        }
    QVERIFY2(opaque > size * size / 2, qPrintable(QString::number(opaque)));
    QVERIFY2(colours.size() >= 4, qPrintable(QString::number(colours.size())));
}

QTEST_GUILESS_MAIN(ProgramIconTest)
#include "tst_programicon.moc"
