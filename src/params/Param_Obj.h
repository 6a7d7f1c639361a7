#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Returned by every read when a heading, a key or a value is missing.
inline const QString PR_NOVALUE = QStringLiteral("*%_-0#&|");

// One entry of a heading list: the trimmed name between the brackets, the
// heading's line index and, after PRGetHeadingsB, its section range (the
// lines after the heading up to the next heading). The range is kept in full
// integers, so files of any length are described exactly.
struct PRHeading {
    QString name;
    int line = -1;
    int first = 0;
    int last = -1;
};
using PRHeadingList = QList<PRHeading>;

// A parameter file: an ordered list of text lines with heading and key
// operations on top. Sections are "[NAME]" lines followed by "KEY=value"
// lines; headings and keys are matched without regard to letter case.
//
// Heading lookups go through an index built once per load or edit, so a
// loader that reads many sections stays linear in the file size.
class Param_Obj {
public:
    // Replaces the list with the file's lines and normalises them. On failure
    // the list is left as it was and *error gets a French sentence.
    bool LoadFromFile(const QString& fileName, QString* error = nullptr);
    // Writes every line followed by CR LF, through the safe-save helper.
    bool SaveToFile(const QString& fileName, QString* error = nullptr) const;
    // Replaces the list with these lines, normalised as a loaded file.
    void LoadFromLines(const QStringList& lines);

    // The line list itself.
    const QStringList& Lines() const { return m_lines; }
    int Count() const { return int(m_lines.size()); }
    QString Line(int index) const { return m_lines.value(index); }
    void SetLines(const QStringList& lines);
    void SetLine(int index, const QString& text);
    void Append(const QString& text);
    void Insert(int index, const QString& text);
    void Delete(int index);
    void Clear();

    int PRGetParHead(const QString& heading) const;
    int PRGetParIdx(const QString& heading, const QString& key) const;
    QString PRRead(const QString& heading, const QString& key) const;
    QString PRReadDefault(const QString& heading, const QString& key, const QString& defaultValue) const;
    QString PRReadl(const QString& heading, const QString& key, int* value = nullptr) const;
    QString PRReads(const QString& heading, const QString& key, QStringList* items = nullptr) const;

    void PRWrite(const QString& heading, const QString& key, const QString& text);
    void PRWritel(const QString& heading, const QString& key, int value);
    void PRWrites(const QString& heading, const QString& key, const QStringList& items);

    void PRClear(const QString& baseName, const QString& mode);
    void PRClearSpecial(const QString& name, const QString& mode);

    bool PRGetHeadings(PRHeadingList& list) const;
    bool PRGetHeadingsB(PRHeadingList& list) const;
    static bool PRGetHeadingsBStartAndEnd(
        const QString& name, int position, int& first, int& last, const PRHeadingList& headings);

    // False when a numbered heading carries no integer after the ".": the
    // headings from that one on are left as they were.
    bool PRReNumberHeading(const QString& base);
    // Sets heading to the nearest heading line above the line equal to text;
    // leaves it unchanged when there is none.
    void PRSearchHeading(const QString& text, QString& heading) const;
    int PRGetParamCountOfHeading(const QString& heading) const;
    bool PRGetHeadingStr(int mode, const QString& heading, QStringList& list) const;
    void PRReadMultiple(
        const QString& heading, const QString& keyPrefix, QStringList& values, QStringList* keys = nullptr) const;
    void PRWriteMultiple(
        const QString& heading, const QString& keyPrefix, const QStringList& values, const QStringList* keys = nullptr);
    // Replaces the sections of this base name by those of the file.
    bool PRImport(const QString& fileName, const QString& baseName, QString* error = nullptr);

    // The section range of a heading (first and last line after it), found
    // through the index; false when the heading is missing.
    bool SectionRange(const QString& heading, int& first, int& last) const;

    static bool IsHeadingLine(const QString& line);
    // The key of a key line: its first "="-delimited word, trimmed, upper-cased.
    static QString LineKey(const QString& line);
    // The stored value of a key line: the text after its first "=".
    static QString LineValue(const QString& line);

private:
    static QString PRExtractField(const QString& value, int n);
    static QString PREncodeValue(const QString& text);
    // CR and LF stored as blanks.
    static QString OneLine(const QString& text);
    static QString NormaliseLine(const QString& line);

    int KeyIndexAfter(int headingLine, const QString& key) const;
    void PlaceKeyLine(const QString& heading, const QString& key, const QString& line);
    void ClearSections(const QString& name, const QString& mode, const QString& delimiters);
    void Touch() { m_indexValid = false; }
    void BuildIndex() const;
    int NextHeadingAfter(int line) const;

    QStringList m_lines;

    // Heading index: upper-cased heading line -> its first line index, and
    // the sorted line indexes of every heading line.
    mutable QHash<QString, int> m_headIndex;
    mutable QList<int> m_headingLines;
    mutable bool m_indexValid = false;
};
