#include "StrFields.h"

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

bool IsDelimiter(QChar c, const QString& delimiters)
{
    // Delimiter sets are a few characters: a plain loop beats a search call.
    for (const QChar d : delimiters)
        if (d == c)
            return true;
    return false;
}

// Calls found(start, length) for each word; stops when found returns false.
template <typename Found> void ForEachWord(const QString& text, const QString& delimiters, Found found)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && IsDelimiter(text[i], delimiters))
            ++i;
        if (i >= size)
            return;
        const qsizetype start = i;
        while (i < size && !IsDelimiter(text[i], delimiters))
            ++i;
        if (!found(start, i - start))
            return;
    }
}

} // namespace

QString StrTrimLeft(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return start == 0 ? text : text.mid(start);
}

QString StrTrimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return end == text.size() ? text : text.left(end);
}

QString StrTrim(const QString& text)
{
    // One pass over each end; the text is shared, not copied, when nothing
    // is trimmed (the usual case: stored lines are trimmed on loading).
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && IsBlank(text[start]))
        ++start;
    while (end > start && IsBlank(text[end - 1]))
        --end;
    return start == 0 && end == text.size() ? text : text.mid(start, end - start);
}

int StrWordCount(const QString& text, const QString& delimiters)
{
    int count = 0;
    ForEachWord(text, delimiters, [&](qsizetype, qsizetype) {
        ++count;
        return true;
    });
    return count;
}

QString StrExtractWord(int n, const QString& text, const QString& delimiters)
{
    QString word;
    int index = 0;
    ForEachWord(text, delimiters, [&](qsizetype start, qsizetype length) {
        if (++index < n)
            return true;
        if (index == n)
            word = text.mid(start, length);
        return false;
    });
    return word;
}

int StrFieldCount(const QString& text, const QString& delimiters)
{
    int count = 1;
    for (const QChar c : text)
        if (IsDelimiter(c, delimiters))
            ++count;
    return count;
}

QString StrExtractField(int n, const QString& text, const QString& delimiters)
{
    if (n < 1)
        return QString();
    int index = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsDelimiter(text[i], delimiters))
            continue;
        if (index == n)
            return text.mid(start, i - start);
        ++index;
        start = i + 1;
    }
    return QString();
}

QStringList StrSplitFields(const QString& text, const QString& delimiters)
{
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsDelimiter(text[i], delimiters))
            continue;
        fields.append(StrTrim(text.mid(start, i - start)));
        start = i + 1;
    }
    return fields;
}

QList<QPair<QString, QString>> StrNameValuePairs(const QString& text)
{
    QList<QPair<QString, QString>> pairs;
    for (const QString& part : StrSplitFields(text, QStringLiteral(","))) {
        const qsizetype colon = part.indexOf(QLatin1Char(':'));
        if (colon >= 0)
            pairs.append({StrTrim(part.left(colon)).toUpper(), StrTrim(part.mid(colon + 1))});
    }
    return pairs;
}
