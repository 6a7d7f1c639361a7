#include "PdfFinishing.h"

#include "params/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <cerrno>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <stdexcept>

namespace {

// Hands libqpdf's output to the file being saved.
class DevicePipeline : public Pipeline {
public:
    explicit DevicePipeline(QIODevice& device)
        : Pipeline("Ardoisine file", nullptr)
        , m_device(device)
    { }
    void write(unsigned char const* data, size_t length) override
    {
        if (m_device.write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length)) {
            m_failed = true;
            throw std::runtime_error("write failed");
        }
    }
    void finish() override { }
    bool Failed() const { return m_failed; }

private:
    QIODevice& m_device;
    bool m_failed = false;
};

QPDFObjectHandle Text(const QString& text)
{
    return QPDFObjectHandle::newUnicodeString(text.toStdString());
}

// Entries visible when the parent is open: its children, and theirs when
// they are open too.
int VisibleCount(const QList<PdfOutlineEntry>& entries)
{
    int count = int(entries.size());
    for (const PdfOutlineEntry& entry : entries)
        if (entry.open)
            count += VisibleCount(entry.children);
    return count;
}

void AddEntries(QPDF& pdf, QPDFObjectHandle parent, const QList<PdfOutlineEntry>& entries,
    const std::vector<QPDFPageObjectHelper>& pages)
{
    QPDFObjectHandle previous;
    for (const PdfOutlineEntry& entry : entries) {
        if (entry.page < 0 || size_t(entry.page) >= pages.size())
            continue; // an entry without its page opens nothing
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", Text(entry.title));
        item.replaceKey("/Parent", parent);
        QPDFObjectHandle destination = QPDFObjectHandle::newArray();
        destination.appendItem(pages[size_t(entry.page)].getObjectHandle());
        destination.appendItem(QPDFObjectHandle::newName("/Fit"));
        item.replaceKey("/Dest", destination);
        if (previous.isInitialized()) {
            previous.replaceKey("/Next", item);
            item.replaceKey("/Prev", previous);
        } else {
            parent.replaceKey("/First", item);
        }
        parent.replaceKey("/Last", item);
        if (!entry.children.isEmpty()) {
            AddEntries(pdf, item, entry.children, pages);
            const int count = VisibleCount(entry.children);
            item.replaceKey("/Count", QPDFObjectHandle::newInteger(entry.open ? count : -count));
        }
        previous = item;
    }
}

} // namespace

Outcome PdfFinishing::Finish(const QString& draft, const QString& fileName, const QList<PdfOutlineEntry>& outline,
    const QString& title, const QString& author)
{
    const QString failure = QStringLiteral("Impossible de terminer le fichier PDF « %1 » : %2.");
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    try {
        pdf.processFile(QFile::encodeName(draft).constData());
        const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
        QPDFObjectHandle root = pdf.getRoot();
        if (!outline.isEmpty()) {
            QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
            outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
            AddEntries(pdf, outlines, outline, pages);
            outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(VisibleCount(outline)));
            root.replaceKey("/Outlines", outlines);
            root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        }
        QPDFObjectHandle trailer = pdf.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        info.replaceKey("/Title", Text(title));
        info.replaceKey("/Author", Text(author));
    } catch (const std::exception& error) {
        return Outcome::Failure(failure.arg(QDir::toNativeSeparators(fileName),
            QStringLiteral("le brouillon est illisible (%1)").arg(QString::fromLocal8Bit(error.what()))));
    }

    QString error;
    QString qpdfError;
    const bool saved = SafeSave::WriteStream(
        fileName,
        [&](QIODevice& file) {
            DevicePipeline pipeline(file);
            try {
                QPDFWriter writer(pdf);
                writer.setOutputPipeline(&pipeline);
                // Pictures and pages are copied as Qt wrote them.
                writer.setCompressStreams(false);
                writer.setDecodeLevel(qpdf_dl_none);
                writer.write();
                return true;
            } catch (const std::exception& exception) {
                if (!pipeline.Failed()) {
                    qpdfError = QString::fromLocal8Bit(exception.what());
                    errno = 0;
                }
                return false;
            }
        },
        &error);
    if (saved)
        return {};
    if (!qpdfError.isEmpty())
        return Outcome::Failure(failure.arg(QDir::toNativeSeparators(fileName), qpdfError));
    return Outcome::Failure(error);
}
