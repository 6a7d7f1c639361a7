#include "DocsTreeIcons.h"

#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

QString ResourceOf(DocsTreeIcons::Kind kind)
{
    switch (kind) {
    case DocsTreeIcons::Folder:
        return QStringLiteral(":/selection/icons/folder.svg");
    case DocsTreeIcons::Worksheet:
        return QStringLiteral(":/selection/icons/worksheet.svg");
    case DocsTreeIcons::WorksheetWithWork:
        return QStringLiteral(":/selection/icons/worksheet-with-work.svg");
    }
    return QString();
}

} // namespace

DocsTreeIcons::Kind DocsTreeIcons::KindOf(const TEP_DocsNode& node)
{
    if (!node.IsDocument())
        return Folder;
    return node.Document()->HasWork() ? WorksheetWithWork : Worksheet;
}

QPixmap DocsTreeIcons::Icon(Kind kind, int size, qreal devicePixelRatio)
{
    static QHash<QString, QPixmap> rendered;
    const QString key = QStringLiteral("%1/%2/%3").arg(int(kind)).arg(size).arg(devicePixelRatio);
    if (const auto found = rendered.constFind(key); found != rendered.constEnd())
        return found.value();
    const int pixels = std::max(1, int(std::lround(size * devicePixelRatio)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(ResourceOf(kind));
    Q_ASSERT_X(renderer.isValid(), "DocsTreeIcons::Icon", "the icons are built into the program");
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    rendered.insert(key, pixmap);
    return pixmap;
}
