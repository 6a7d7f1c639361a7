#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// Small helpers for the French messages of the document store.
namespace MessageText {

// A file or folder name between double quotes, as the messages show it.
inline QString Quoted(const QString& text)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(text) + QLatin1Char('"');
}

// Appends a failure to the caller's message list (when it gave one); false.
inline bool Append(QStringList* messages, const QString& text)
{
    if (messages)
        messages->append(text);
    return false;
}

} // namespace MessageText
