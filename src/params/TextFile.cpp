#include "TextFile.h"

#include "FileBytes.h"
#include "SafeSave.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

} // namespace

QStringList TextFile::SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

QStringList TextFile::DecodeLines(const QByteArray& bytes)
{
    const bool utf8 = bytes.startsWith(kUtf8Mark);
    const qsizetype begin = utf8 ? kUtf8Mark.size() : 0;
    qsizetype end = bytes.indexOf('\0', begin);
    if (end < 0)
        end = bytes.size();
    const char* data = bytes.constData() + begin;
    QString text;
    if (utf8) {
        // Our own mark is skipped above; a second one is text and stays.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        text = decoder(QByteArrayView(data, end - begin));
    } else {
        text = Windows1252::Decode(data, end - begin);
    }
    return SplitLines(text);
}

QByteArray TextFile::EncodeLines(const QStringList& lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        const qsizetype start = text.size();
        text += line;
        // One entry is one line: a break inside it would split it in the
        // file (and could start a section of its own).
        for (qsizetype i = start; i < text.size(); ++i)
            if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'))
                text[i] = QLatin1Char(' ');
        text += QLatin1String("\r\n");
    }
    // A text starting with "ï»¿" would be read back as a byte-order mark:
    // such a text goes as UTF-8, whose own mark keeps it whole.
    if (Windows1252::CanEncode(text) && !text.startsWith(QString::fromUtf8("\xC3\xAF\xC2\xBB\xC2\xBF")))
        return Windows1252::Encode(text);
    return kUtf8Mark + text.toUtf8();
}

bool TextFile::ReadLines(const QString& fileName, QStringList& lines, QString* error)
{
    QByteArray bytes;
    if (!FileBytes::Read(fileName, bytes, error))
        return false;
    lines = DecodeLines(bytes);
    return true;
}

bool TextFile::WriteLines(const QString& fileName, const QStringList& lines, QString* error, QString* cause)
{
    return SafeSave::WriteFile(fileName, EncodeLines(lines), error, cause);
}
