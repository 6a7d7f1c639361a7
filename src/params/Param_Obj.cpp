#include "Param_Obj.h"

#include "Numbers.h"
#include "StrFields.h"
#include "TextFile.h"

#include <algorithm>

namespace {

const QLatin1Char kQuote('"');

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

bool StartsAndEndsWithBrackets(const QString& text)
{
    return text.size() >= 2 && text.front() == QLatin1Char('[') && text.back() == QLatin1Char(']');
}

// The text between the brackets of a heading line, trimmed.
QString HeadingName(const QString& line)
{
    const QString trimmed = StrTrim(line);
    return StrTrim(trimmed.mid(1, trimmed.size() - 2));
}

bool IsDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

QString UpperKey(const QString& key)
{
    return StrTrim(key).toUpper();
}

} // namespace

// --- Loading and the line list ------------------------------------------

QString Param_Obj::NormaliseLine(const QString& line)
{
    const QString trimmed = StrTrim(line);
    if (!StartsAndEndsWithBrackets(trimmed))
        return trimmed;
    const QString inner = StrTrim(trimmed.mid(1, trimmed.size() - 2));
    return QLatin1Char('[') + (inner.isEmpty() ? QStringLiteral("??") : inner) + QLatin1Char(']');
}

void Param_Obj::LoadFromLines(const QStringList& lines)
{
    m_lines.clear();
    m_lines.reserve(lines.size());
    for (const QString& line : lines)
        m_lines.append(NormaliseLine(line));
    Touch();
}

bool Param_Obj::LoadFromFile(const QString& fileName, QString* error)
{
    QStringList lines;
    if (!TextFile::ReadLines(fileName, lines, error))
        return false;
    LoadFromLines(lines);
    return true;
}

bool Param_Obj::SaveToFile(const QString& fileName, QString* error) const
{
    return TextFile::WriteLines(fileName, m_lines, error);
}

void Param_Obj::SetLines(const QStringList& lines)
{
    m_lines = lines;
    Touch();
}

void Param_Obj::SetLine(int index, const QString& text)
{
    if (index < 0 || index >= Count())
        return;
    m_lines[index] = text;
    Touch();
}

void Param_Obj::Append(const QString& text)
{
    m_lines.append(text);
    Touch();
}

void Param_Obj::Insert(int index, const QString& text)
{
    m_lines.insert(std::clamp(index, 0, Count()), text);
    Touch();
}

void Param_Obj::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_lines.removeAt(index);
    Touch();
}

void Param_Obj::Clear()
{
    m_lines.clear();
    Touch();
}

// --- Heading index --------------------------------------------------------

bool Param_Obj::IsHeadingLine(const QString& line)
{
    qsizetype first = 0;
    qsizetype last = line.size() - 1;
    while (first <= last && IsBlank(line[first]))
        ++first;
    while (last >= first && IsBlank(line[last]))
        --last;
    return last > first && line[first] == QLatin1Char('[') && line[last] == QLatin1Char(']');
}

void Param_Obj::BuildIndex() const
{
    if (m_indexValid)
        return;
    m_headIndex.clear();
    m_headingLines.clear();
    for (int i = 0; i < Count(); ++i) {
        const QString& line = m_lines[i];
        if (!IsHeadingLine(line))
            continue;
        m_headingLines.append(i);
        // The first of duplicate headings wins.
        if (StartsAndEndsWithBrackets(line)) {
            const QString key = line.toUpper();
            if (!m_headIndex.contains(key))
                m_headIndex.insert(key, i);
        }
    }
    m_indexValid = true;
}

int Param_Obj::NextHeadingAfter(int line) const
{
    BuildIndex();
    const auto next = std::upper_bound(m_headingLines.cbegin(), m_headingLines.cend(), line);
    return next == m_headingLines.cend() ? -1 : *next;
}

int Param_Obj::PRGetParHead(const QString& heading) const
{
    BuildIndex();
    return m_headIndex.value(QLatin1Char('[') + UpperKey(heading) + QLatin1Char(']'), -1);
}

bool Param_Obj::SectionRange(const QString& heading, int& first, int& last) const
{
    const int head = PRGetParHead(heading);
    if (head < 0)
        return false;
    const int next = NextHeadingAfter(head);
    first = head + 1;
    last = (next < 0 ? Count() : next) - 1;
    return true;
}

// --- Key lines ------------------------------------------------------------

QString Param_Obj::LineKey(const QString& line)
{
    return StrTrim(StrExtractWord(1, line.toUpper(), QStringLiteral("=")));
}

QString Param_Obj::LineValue(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.mid(equals + 1);
}

int Param_Obj::KeyIndexAfter(int headingLine, const QString& key) const
{
    const QString wanted = UpperKey(key);
    for (int i = headingLine + 1; i < Count(); ++i) {
        const QString& line = m_lines[i];
        if (IsHeadingLine(line))
            return -1;
        if (LineKey(line) == wanted)
            return i;
    }
    return -1;
}

int Param_Obj::PRGetParIdx(const QString& heading, const QString& key) const
{
    const int head = PRGetParHead(heading);
    return head < 0 ? -1 : KeyIndexAfter(head, key);
}

// --- Values -----------------------------------------------------------------

QString Param_Obj::PRExtractField(const QString& value, int n)
{
    const QString semicolon = QStringLiteral(";");
    const int count = std::max(1, StrWordCount(value, semicolon));
    if (n < 1 || n > count)
        return PR_NOVALUE;
    const QString word = StrTrim(StrExtractWord(n, value, semicolon));
    if (word.isEmpty() || word == QString(kQuote))
        return n < count ? QString() : PR_NOVALUE;
    if (word.size() > 1 && word.front() == kQuote && word.back() == kQuote)
        return word.mid(1, word.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return word;
}

QString Param_Obj::OneLine(const QString& text)
{
    // A raw line break would end the line in the file: the rest would become
    // a line of its own, even a heading of a section nobody wrote.
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString Param_Obj::PREncodeValue(const QString& text)
{
    QString encoded = OneLine(text);
    encoded.replace(QLatin1Char(';'), QLatin1Char(' '));
    encoded.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    // Blanks at either end would be trimmed away on reading: quote them.
    const bool plain
        = !encoded.isEmpty() && !encoded.contains(kQuote) && !IsBlank(encoded.front()) && !IsBlank(encoded.back());
    return plain ? encoded : kQuote + encoded + kQuote;
}

QString Param_Obj::PRRead(const QString& heading, const QString& key) const
{
    const int index = PRGetParIdx(heading, key);
    return index < 0 ? PR_NOVALUE : PRExtractField(LineValue(m_lines[index]), 1);
}

QString Param_Obj::PRReadDefault(const QString& heading, const QString& key, const QString& defaultValue) const
{
    const QString value = PRRead(heading, key);
    return value == PR_NOVALUE ? defaultValue : value;
}

QString Param_Obj::PRReadl(const QString& heading, const QString& key, int* value) const
{
    const QString text = PRRead(heading, key);
    if (text == PR_NOVALUE)
        return text;
    const std::optional<int> number = TextToInt(StrTrim(text));
    if (!number)
        return PR_NOVALUE;
    if (value)
        *value = *number;
    return text;
}

QString Param_Obj::PRReads(const QString& heading, const QString& key, QStringList* items) const
{
    if (items)
        items->clear();
    const int index = PRGetParIdx(heading, key);
    if (index < 0)
        return PR_NOVALUE;
    const QString raw = LineValue(m_lines[index]);
    if (!items)
        return raw;
    const QString lineKey = LineKey(m_lines[index]);
    for (int i = index; i < Count(); ++i) {
        if (i > index && (IsHeadingLine(m_lines[i]) || LineKey(m_lines[i]) != lineKey))
            break;
        const QString value = LineValue(m_lines[i]);
        const int count = std::max(1, StrWordCount(value, QStringLiteral(";")));
        for (int n = 1; n <= count; ++n) {
            const QString field = PRExtractField(value, n);
            if (field != PR_NOVALUE)
                items->append(field);
        }
    }
    return raw;
}

// --- Writing ----------------------------------------------------------------

void Param_Obj::PlaceKeyLine(const QString& heading, const QString& key, const QString& line)
{
    const int head = PRGetParHead(heading);
    if (head < 0) {
        m_lines.append(QLatin1Char('[') + StrTrim(OneLine(heading)) + QLatin1Char(']'));
        m_lines.append(line);
        Touch();
        return;
    }
    const int index = KeyIndexAfter(head, key);
    if (index < 0) {
        m_lines.insert(head + 1, line);
        Touch();
        return;
    }
    m_lines[index] = line;
    if (IsHeadingLine(line))
        Touch();
}

void Param_Obj::PRWrite(const QString& heading, const QString& key, const QString& text)
{
    PlaceKeyLine(heading, key, StrTrim(OneLine(key)) + QLatin1Char('=') + PREncodeValue(text));
}

void Param_Obj::PRWritel(const QString& heading, const QString& key, int value)
{
    PRWrite(heading, key, QString::number(value));
}

void Param_Obj::PRWrites(const QString& heading, const QString& key, const QStringList& items)
{
    QString line = OneLine(key) + QLatin1Char('=');
    for (const QString& item : items)
        line += PREncodeValue(item) + QLatin1Char(';');
    PlaceKeyLine(heading, key, line);
}

// --- Sections ---------------------------------------------------------------

void Param_Obj::ClearSections(const QString& name, const QString& mode, const QString& delimiters)
{
    const bool prefix = mode.contains(QLatin1Char('*'));
    const bool invert = mode.contains(QLatin1Char('#'));
    QString current;
    QStringList kept;
    kept.reserve(m_lines.size());
    for (const QString& line : std::as_const(m_lines)) {
        if (line.startsWith(QLatin1Char('[')))
            current = StrExtractWord(1, line, delimiters);
        const bool match = (prefix ? current.startsWith(name) : current == name) != invert;
        if (!match)
            kept.append(line);
    }
    m_lines = kept;
    Touch();
}

void Param_Obj::PRClear(const QString& baseName, const QString& mode)
{
    ClearSections(baseName, mode, QStringLiteral("[]."));
}

void Param_Obj::PRClearSpecial(const QString& name, const QString& mode)
{
    ClearSections(name, mode, QStringLiteral("[]"));
}

bool Param_Obj::PRGetHeadings(PRHeadingList& list) const
{
    BuildIndex();
    list.clear();
    list.reserve(m_headingLines.size());
    for (const int line : std::as_const(m_headingLines))
        list.append(PRHeading {HeadingName(m_lines[line]), line, 0, -1});
    return true;
}

bool Param_Obj::PRGetHeadingsB(PRHeadingList& list) const
{
    PRGetHeadings(list);
    for (qsizetype i = 0; i < list.size(); ++i) {
        list[i].first = list[i].line + 1;
        list[i].last = (i + 1 < list.size() ? list[i + 1].line : Count()) - 1;
    }
    return true;
}

bool Param_Obj::PRGetHeadingsBStartAndEnd(
    const QString& name, int position, int& first, int& last, const PRHeadingList& headings)
{
    if (position < 0) {
        const QString wanted = name.toUpper();
        for (qsizetype i = 0; i < headings.size() && position < 0; ++i)
            if (headings[i].name.toUpper() == wanted)
                position = int(i);
    }
    if (position < 0 || position >= headings.size()) {
        first = 0;
        last = -1;
        return false;
    }
    first = headings[position].first;
    last = headings[position].last;
    return true;
}

bool Param_Obj::PRReNumberHeading(const QString& base)
{
    const QString start = QLatin1Char('[') + base;
    int counter = 1;
    for (QString& line : m_lines) {
        if (!line.startsWith(start))
            continue;
        const std::optional<int> number = TextToInt(StrExtractWord(2, line, QStringLiteral(".]")));
        if (!number) {
            Touch();
            return false;
        }
        line = start + QLatin1Char('.') + QString::number(std::min(*number, counter)) + QLatin1Char(']');
        ++counter;
    }
    Touch();
    return true;
}

void Param_Obj::PRSearchHeading(const QString& text, QString& heading) const
{
    const int index = int(m_lines.indexOf(text));
    for (int i = index - 1; index >= 0 && i >= 0; --i) {
        if (IsHeadingLine(m_lines[i])) {
            heading = m_lines[i];
            return;
        }
    }
}

int Param_Obj::PRGetParamCountOfHeading(const QString& heading) const
{
    const int head = PRGetParHead(heading);
    if (head < 0)
        return 0;
    int count = 0;
    for (int i = head + 1; i < Count() && !m_lines[i].isEmpty() && !IsHeadingLine(m_lines[i]); ++i)
        ++count;
    return count;
}

bool Param_Obj::PRGetHeadingStr(int mode, const QString& heading, QStringList& list) const
{
    list.clear();
    PRHeadingList headings;
    PRGetHeadingsB(headings);
    if (mode == 3) {
        for (const PRHeading& entry : std::as_const(headings))
            list.append(entry.name);
        return true;
    }
    int first = 0;
    int last = -1;
    if (mode == 1) {
        if (!SectionRange(heading, first, last))
            return false;
    } else if (mode == 2) {
        const std::optional<int> position = TextToInt(StrTrim(heading));
        if (!position || !PRGetHeadingsBStartAndEnd(QString(), *position, first, last, headings))
            return false;
    } else {
        return false;
    }
    for (int i = first; i <= last; ++i)
        list.append(m_lines[i]);
    return true;
}

void Param_Obj::PRReadMultiple(
    const QString& heading, const QString& keyPrefix, QStringList& values, QStringList* keys) const
{
    values.clear();
    if (keys)
        keys->clear();
    const QString headingLine = QLatin1Char('[') + heading + QLatin1Char(']');
    const int head = int(m_lines.indexOf(headingLine));
    if (head < 0)
        return;
    const QString prefix = UpperKey(keyPrefix);
    QStringList found;
    for (int i = head + 1; i < Count() && !IsHeadingLine(m_lines[i]); ++i) {
        const QString key = UpperKey(StrExtractField(1, m_lines[i], QStringLiteral("=")));
        if (prefix.isEmpty() || key == prefix || (key.startsWith(prefix) && IsDigits(key.mid(prefix.size()))))
            found.append(m_lines[i]);
    }
    std::stable_sort(found.begin(), found.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& line : std::as_const(found)) {
        values.append(LineValue(line));
        if (keys)
            keys->append(StrTrim(StrExtractField(1, line, QStringLiteral("="))));
    }
}

void Param_Obj::PRWriteMultiple(
    const QString& heading, const QString& keyPrefix, const QStringList& values, const QStringList* keys)
{
    const qsizetype width = QString::number(std::max<qsizetype>(values.size() - 1, 0)).size();
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString key
            = keys ? keys->value(i) : keyPrefix + QString::number(i).rightJustified(width, QLatin1Char('0'));
        PRWrite(heading, key, values[i]);
    }
}

bool Param_Obj::PRImport(const QString& fileName, const QString& baseName, QString* error)
{
    Param_Obj imported;
    if (!imported.LoadFromFile(fileName, error))
        return false;
    imported.PRClear(baseName, QStringLiteral("#"));
    PRClear(baseName, QStringLiteral("="));
    m_lines.append(imported.m_lines);
    Touch();
    return true;
}
