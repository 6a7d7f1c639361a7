#pragma once

#include <QPixmap>
#include <QString>

// The pictures of the palette's commands, drawn from the SVG files built
// into the program, in their enabled or greyed form (a sound the
// worksheet does not have).
namespace CommandPictures {
QPixmap Picture(const QString& name, QSize size, bool greyed = false);
} // namespace CommandPictures
