#pragma once

#include <QDir>
#include <QString>

// Small helpers for the French messages of the document store.
namespace MessageText {

// A file or folder name between double quotes, as the messages show it.
inline QString Quoted(const QString& text)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(text) + QLatin1Char('"');
}

} // namespace MessageText
