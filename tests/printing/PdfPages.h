#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>

// What a printed PDF holds, read back with poppler's tools (poppler-utils).
namespace PdfPages {

inline bool ToolsPresent()
{
    for (const char* tool : {"pdftoppm", "pdfimages", "pdfinfo"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return false;
    return true;
}

// The tool's standard output; empty when it failed.
inline QByteArray Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}

// The first page as poppler draws it at that resolution.
inline QImage Render(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

inline int PageCount(const QString& pdf)
{
    const QString info = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// A picture held by the PDF: its own size, and whether it asks the reader
// to smooth it when it is enlarged.
struct Picture {
    QSize size;
    bool interpolated = false;
};

inline QList<Picture> Pictures(const QString& pdf)
{
    QList<Picture> pictures;
    const QStringList lines = QString::fromUtf8(Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // page num type width height color comp bpc enc interp ...
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() >= 10)
            pictures.append({QSize(fields[3].toInt(), fields[4].toInt()), fields[9] == QLatin1String("yes")});
    }
    return pictures;
}

} // namespace PdfPages
