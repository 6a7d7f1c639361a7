#include "ProgramPictures.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace {
constexpr int kCursorSide = 32;

QString ResourceOf(const QString& name)
{
    return QStringLiteral(":/editor/pictures/%1.svg").arg(name);
}

QString CursorResource(int number)
{
    switch (number) {
    case ProgramPictures::KeepSizeCursor:
        return QStringLiteral("keep-size");
    case ProgramPictures::SameWHSizeCursor:
        return QStringLiteral("same-wh-size");
    case ProgramPictures::AddItemCursor:
        return QStringLiteral("add-item");
    default:
        return QString();
    }
}
} // namespace

QPixmap ProgramPictures::Picture(const QString& name, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(ResourceOf(name));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

QCursor ProgramPictures::Cursor(int number)
{
    const QString resource = CursorResource(number);
    if (resource.isEmpty())
        return QCursor(Qt::ArrowCursor);
    // The add-item cursor points with the centre of its cross hairs, the
    // resize cursors with the middle of their arrow.
    static QHash<int, QCursor> loaded;
    auto found = loaded.find(number);
    if (found == loaded.end()) {
        const QPixmap pixmap = Picture(resource, QSize(kCursorSide, kCursorSide));
        found = loaded.insert(number, QCursor(pixmap, kCursorSide / 2, kCursorSide / 2));
    }
    return *found;
}

QString ProgramPictures::CursorName(int number)
{
    switch (number) {
    case KeepSizeCursor:
        return QStringLiteral("keepSizeCursor");
    case SameWHSizeCursor:
        return QStringLiteral("sameWHSizeCursor");
    case AddItemCursor:
        return QStringLiteral("ADDITEMCURSOR");
    default:
        return QString();
    }
}
