#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

// Pictures of windows for a person to look at, saved under the build's
// "screenshots" folder (ARDOISINE_SCREENSHOTS, set for every test).
namespace Screenshots {

inline QString PathOf(const QString& fileName)
{
    QDir().mkpath(QStringLiteral(ARDOISINE_SCREENSHOTS));
    return QStringLiteral(ARDOISINE_SCREENSHOTS "/") + fileName;
}

// Grabs the widget as it is drawn now; true when the PNG was written.
inline bool Save(QWidget& widget, const QString& fileName)
{
    return widget.grab().save(PathOf(fileName), "PNG");
}

} // namespace Screenshots
