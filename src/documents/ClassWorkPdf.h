#pragma once

#include "PdfFinishing.h"
#include "params/Outcome.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class TEP_DocsNode;

// A class's work in one PDF: one A4 page per worksheet and pupil, the
// pupil's work drawn over the worksheet as a printed sheet shows it, pages in
// the order of the documents tree (a worksheet's pupils together), with an
// outline by worksheet and by pupil. Each worksheet's picture is decoded
// once, shared by its pupils' pages (so the file holds it once) and let go
// before the next worksheet: memory stays the same however many pages.
class ClassWorkPdf {
public:
    static constexpr int DefaultResolution = 300;
    static constexpr int MinResolution = 72;
    static constexpr int MaxResolution = 600;

    struct Worksheet {
        QString name;
        QString folder;
        QString place; // folders from the chosen one down to it, joined by " / " (empty: in it)
    };
    struct Page {
        int worksheet = 0;
        QString pupil; // as the work file spells it, or as named
        QString workFile; // empty: the pupil has not worked on it
        QDateTime workDate;
    };
    // Told before each page is drawn: page (from 1), pages, what it shows.
    using Progress = std::function<void(int page, int pages, const QString& what)>;

    // Worksheets of a folder and of its folders, in the order the pupils see
    // them.
    static QList<Worksheet> WorksheetsUnder(const TEP_DocsNode& folder);

    void SetWorksheets(const QList<Worksheet>& worksheets) { m_worksheets = worksheets; }
    // Empty: every pupil who worked on a worksheet gets its page. Named
    // pupils get a page on each worksheet, worked on or not; a name found on
    // none of the worksheets is left out with a remark (a misspelt name
    // would otherwise give blank pages).
    void SetPupils(const QStringList& pupils) { m_pupils = pupils; }
    void SetResolution(int dotsPerInch) { m_resolution = dotsPerInch; }
    void SetTitle(const QString& title) { m_title = title; }
    void SetAuthor(const QString& author) { m_author = author; }
    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    // Chooses the pages; fails, with the reason, when there are none.
    Outcome Plan();
    const QList<Page>& Pages() const { return m_pages; }
    // Plans (unless done) and writes the file, atomically: the old file or
    // the complete new one. Pages whose work cannot be read are left out and
    // told as remarks.
    Outcome Write(const QString& fileName);
    int WrittenPages() const { return m_written; }

    // The header line of a page: "Prénom — Fiche — date du travail".
    static QString HeaderFor(const Page& page, const Worksheet& worksheet);
    static QString AuthorOfSession();

    // The selection screen's export of a folder: the folder's worksheets and
    // the chosen pupils (empty: all who worked) into a new file of the
    // export folder (created when missing). On success *fileName is the file
    // written and the outcome says where it is.
    static Outcome ExportFolder(
        const TEP_DocsNode& folder, const QStringList& pupils, const QString& exportFolder, QString* fileName);

private:
    Outcome DrawPages(QIODevice& device, QList<int>& pageOfPlanned);
    QList<PdfOutlineEntry> Outline(const QList<int>& pageOfPlanned) const;
    QString WorksheetTitle(int index) const;

    QList<Worksheet> m_worksheets;
    QStringList m_pupils;
    int m_resolution = DefaultResolution;
    QString m_title;
    QString m_author;
    Progress m_progress;
    QList<Page> m_pages;
    bool m_planned = false;
    int m_written = 0;
};
