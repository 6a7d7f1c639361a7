#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

// The program's own pictures (splash, pin) and its three cursors, drawn from
// the SVG files built into the program.
namespace ProgramPictures {
enum CursorNumber { KeepSizeCursor = 1, SameWHSizeCursor = 2, AddItemCursor = 3 };
// The picture named ("slate", "chalk", "pin") at that size.
QPixmap Picture(const QString& name, QSize size);
// Cursor 1 ("keepSizeCursor"), 2 ("sameWHSizeCursor") or 3
// ("ADDITEMCURSOR"); the arrow for any other number.
QCursor Cursor(int number);
// The name each cursor is known by.
QString CursorName(int number);
} // namespace ProgramPictures
