#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Text splitting helpers shared by every file reader.
//
// Words: runs of delimiter characters count as one separator and empty words
// are skipped. Fields: every delimiter separates and empty fields are kept.
// Positions are counted from 1.

// Removes leading and trailing characters up to and including the space
// (control characters too), and nothing else: a no-break space is text.
QString StrTrim(const QString& text);
QString StrTrimLeft(const QString& text);
QString StrTrimRight(const QString& text);

int StrWordCount(const QString& text, const QString& delimiters);
QString StrExtractWord(int n, const QString& text, const QString& delimiters);

int StrFieldCount(const QString& text, const QString& delimiters);
QString StrExtractField(int n, const QString& text, const QString& delimiters);
// Every field, each trimmed.
QStringList StrSplitFields(const QString& text, const QString& delimiters);

// "NAME:value" pairs separated by commas: each name trimmed and upper-cased,
// each value (the text after the first ":") trimmed. Parts without ":" are
// left out.
QList<QPair<QString, QString>> StrNameValuePairs(const QString& text);
