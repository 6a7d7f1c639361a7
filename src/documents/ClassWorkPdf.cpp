#include "ClassWorkPdf.h"

#include "PdfWorkPage.h"
#include "TEP_Doc.h"
#include "TEP_DocsNode.h"
#include "params/SafeSave.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

const QString kDash = QStringLiteral(" — ");

bool LessByName(const QString& a, const QString& b)
{
    const int order = QString::localeAwareCompare(a.toLower(), b.toLower());
    return order != 0 ? order < 0 : a < b;
}

void AddWorksheets(const TEP_DocsNode& folder, const QString& place, QList<ClassWorkPdf::Worksheet>& worksheets)
{
    for (int i = 0; i < folder.ChildCount(); ++i) {
        const TEP_DocsNode* node = folder.ChildAt(i);
        if (node->IsDocument())
            worksheets.append({node->Document()->Name(), node->Document()->Folder(), place});
        else
            AddWorksheets(
                *node, place.isEmpty() ? node->Name() : place + QStringLiteral(" / ") + node->Name(), worksheets);
    }
}

QString Native(const QString& fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

QList<ClassWorkPdf::Worksheet> ClassWorkPdf::WorksheetsUnder(const TEP_DocsNode& folder)
{
    QList<Worksheet> worksheets;
    if (folder.IsDocument())
        worksheets.append({folder.Document()->Name(), folder.Document()->Folder(), QString()});
    else
        AddWorksheets(folder, QString(), worksheets);
    return worksheets;
}

QString ClassWorkPdf::HeaderFor(const Page& page, const Worksheet& worksheet)
{
    const QString date = page.workFile.isEmpty() ? QStringLiteral("pas de travail")
                                                 : page.workDate.toString(QStringLiteral("dd/MM/yyyy"));
    return page.pupil + kDash + worksheet.name + kDash + date;
}

QString ClassWorkPdf::AuthorOfSession()
{
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("Ardoisine");
}

QString ClassWorkPdf::WorksheetTitle(int index) const
{
    const Worksheet& worksheet = m_worksheets[index];
    return worksheet.place.isEmpty() ? worksheet.name : worksheet.place + QStringLiteral(" / ") + worksheet.name;
}

Outcome ClassWorkPdf::Plan()
{
    m_pages.clear();
    m_planned = false;
    if (m_resolution < MinResolution || m_resolution > MaxResolution)
        return Outcome::Failure(QStringLiteral("La résolution doit être comprise entre %1 et %2 points par pouce.")
                                    .arg(MinResolution)
                                    .arg(MaxResolution));
    if (m_worksheets.isEmpty())
        return Outcome::Failure(QStringLiteral("Aucune fiche n'a été trouvée : aucune page à exporter."));

    QStringList named;
    for (const QString& pupil : std::as_const(m_pupils)) {
        const QString name = pupil.trimmed();
        if (!name.isEmpty() && !named.contains(name, Qt::CaseInsensitive))
            named.append(name);
    }
    Outcome outcome;
    QStringList worked; // named pupils found on a worksheet
    for (int w = 0; w < m_worksheets.size(); ++w) {
        TEP_Doc document;
        const Outcome bound = document.EPDoc_Init(m_worksheets[w].name, m_worksheets[w].folder);
        if (!bound) {
            outcome.Note(bound.Messages());
            continue;
        }
        QStringList files, users;
        document.EPDoc_ListWork(files, users);
        QList<int> order;
        for (int u = 0; u < users.size(); ++u)
            order.append(u);
        std::sort(order.begin(), order.end(), [&](int a, int b) { return LessByName(users[a], users[b]); });
        const auto pageOf = [&](int u) {
            const QString file = QFileInfo(QDir(m_worksheets[w].folder), files[u]).absoluteFilePath();
            return Page {w, users[u], file, QFileInfo(file).lastModified()};
        };
        if (named.isEmpty()) {
            for (int u : std::as_const(order))
                m_pages.append(pageOf(u));
            continue;
        }
        for (const QString& name : std::as_const(named)) {
            int u = int(users.size()) - 1;
            while (u >= 0 && users[u].compare(name, Qt::CaseInsensitive) != 0)
                --u;
            if (u < 0) {
                m_pages.append(Page {w, name, QString(), QDateTime()});
                continue;
            }
            m_pages.append(pageOf(u));
            if (!worked.contains(name, Qt::CaseInsensitive))
                worked.append(name);
        }
    }
    for (const QString& name : std::as_const(named)) {
        if (worked.contains(name, Qt::CaseInsensitive))
            continue;
        outcome.Note(
            QStringLiteral("« %1 » n'a travaillé sur aucune de ces fiches : pas de page pour cet élève.").arg(name));
        m_pages.removeIf([&](const Page& page) { return page.pupil.compare(name, Qt::CaseInsensitive) == 0; });
    }
    if (m_pages.isEmpty())
        return outcome.Fail(named.isEmpty()
                ? QStringLiteral("Aucun élève n'a travaillé sur ces fiches : aucune page à exporter.")
                : QStringLiteral("Aucun des élèves nommés n'a travaillé sur ces fiches : aucune page à exporter."));
    m_planned = true;
    return outcome;
}

QList<PdfOutlineEntry> ClassWorkPdf::Outline(const QList<int>& pageOfPlanned) const
{
    PdfOutlineEntry byWorksheet {QStringLiteral("Par fiche"), -1, true, {}};
    QMap<QString, PdfOutlineEntry> pupils; // by name without case, first spelling kept
    QStringList pupilOrder;
    int lastWorksheet = -1;
    for (int p = 0; p < m_pages.size(); ++p) {
        const int page = pageOfPlanned.value(p, -1);
        if (page < 0)
            continue;
        const Page& planned = m_pages[p];
        if (planned.worksheet != lastWorksheet)
            byWorksheet.children.append({WorksheetTitle(planned.worksheet), page, false, {}});
        lastWorksheet = planned.worksheet;
        byWorksheet.children.last().children.append({planned.pupil, page, false, {}});
        const QString key = planned.pupil.toLower();
        if (!pupils.contains(key)) {
            pupils.insert(key, {planned.pupil, page, false, {}});
            pupilOrder.append(planned.pupil);
        }
        pupils[key].children.append({WorksheetTitle(planned.worksheet), page, false, {}});
    }
    if (byWorksheet.children.isEmpty())
        return {};
    byWorksheet.page = byWorksheet.children.first().page;
    std::sort(pupilOrder.begin(), pupilOrder.end(), LessByName);
    PdfOutlineEntry byPupil {QStringLiteral("Par élève"), -1, true, {}};
    for (const QString& pupil : std::as_const(pupilOrder)) {
        PdfOutlineEntry entry = pupils.value(pupil.toLower());
        entry.page = entry.children.first().page;
        byPupil.children.append(entry);
    }
    byPupil.page = byPupil.children.first().page;
    return {byWorksheet, byPupil};
}

Outcome ClassWorkPdf::Write(const QString& fileName)
{
    m_written = 0;
    Outcome outcome;
    if (!m_planned) {
        outcome = Plan();
        if (!outcome)
            return outcome;
    }
    const QFileInfo target(fileName);
    if (!target.dir().exists())
        return outcome.Fail(QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
                                .arg(Native(fileName), SafeSave::ErrorText(ENOENT)));
    // The draft lies beside the file, named as the safe-save helper names
    // its temporaries, so one left by a power cut is cleared like theirs.
    QFile draft(target.dir().filePath(SafeSave::TemporaryNameFor(target.fileName())));
    errno = 0;
    if (!draft.open(QIODevice::ReadWrite | QIODevice::NewOnly))
        return outcome.Fail(QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
                                .arg(Native(fileName), SafeSave::ErrorText(errno)));
    const struct RemoveDraft {
        QFile& file;
        ~RemoveDraft() { file.remove(); }
    } removeDraft {draft};

    QList<int> pageOfPlanned(m_pages.size(), -1);
    Outcome drawn = DrawPages(draft, pageOfPlanned);
    outcome.Merge(drawn);
    if (!drawn)
        return outcome;
    errno = 0;
    if (!draft.flush() || draft.error() != QFileDevice::NoError)
        return outcome.Fail(QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2.")
                                .arg(Native(fileName), SafeSave::ErrorText(errno)));
    outcome.Merge(PdfFinishing::Finish(draft.fileName(), fileName, Outline(pageOfPlanned), m_title, m_author));
    if (!outcome)
        m_written = 0;
    return outcome;
}

Outcome ClassWorkPdf::DrawPages(QIODevice& device, QList<int>& pageOfPlanned)
{
    Outcome outcome;
    QPdfWriter writer(&device);
    writer.setResolution(m_resolution);
    writer.setCreator(QStringLiteral("Ardoisine"));
    writer.setTitle(m_title);
    QPainter painter;
    std::unique_ptr<TEP_Doc> document;
    // The worksheet's picture as its first page decoded it, for the others.
    std::unique_ptr<TDPRptImg> picture;
    int worksheet = -1;
    for (int p = 0; p < m_pages.size(); ++p) {
        const Page& page = m_pages[p];
        const QString header = HeaderFor(page, m_worksheets[page.worksheet]);
        if (m_progress)
            m_progress(p + 1, int(m_pages.size()), header);
        if (page.worksheet != worksheet) {
            worksheet = page.worksheet;
            picture = std::make_unique<TDPRptImg>();
            document = std::make_unique<TEP_Doc>();
            const Outcome bound = document->EPDoc_Init(m_worksheets[worksheet].name, m_worksheets[worksheet].folder);
            if (!bound)
                outcome.Note(bound.Messages());
        }
        std::unique_ptr<TDPRptRect> tree;
        Outcome read = document->EPDoc_SetUser(page.pupil);
        if (read)
            read.Merge(document->EPDoc_ReadWorkTree(tree));
        if (!read || !tree) {
            outcome.Note(read.Messages());
            continue;
        }
        auto* image = dynamic_cast<TDPRptImg*>(tree->FindByName(QStringLiteral("MAINIMG")));
        if (image)
            image->SharePictureOf(*picture);
        const bool landscape = PdfWorkPage::IsLandscape(*tree);
        writer.setPageLayout(PdfWorkPage::LayoutFor(landscape));
        if (!painter.isActive() && !painter.begin(&writer))
            return outcome.Fail(QStringLiteral("Impossible de commencer le fichier PDF."));
        if (m_written > 0)
            writer.newPage();
        if (!PdfWorkPage::Draw(painter, m_resolution, *tree, header)) {
            painter.end();
            return outcome.Fail(QStringLiteral("Le dessin de la page de « %1 » (fiche « %2 ») a échoué.")
                                    .arg(page.pupil, m_worksheets[page.worksheet].name));
        }
        if (image && picture->Picture().isNull()) {
            picture->ImageName = image->ImageName;
            picture->SharePictureOf(*image);
        }
        pageOfPlanned[p] = m_written++;
    }
    if (painter.isActive())
        painter.end();
    if (m_written == 0)
        return outcome.Fail(QStringLiteral("Aucune page n'a pu être dessinée."));
    return outcome;
}

Outcome ClassWorkPdf::ExportFolder(
    const TEP_DocsNode& folder, const QStringList& pupils, const QString& exportFolder, QString* fileName)
{
    if (!QDir().mkpath(exportFolder))
        return Outcome::Failure(
            QStringLiteral("Impossible de créer le dossier d'exportation « %1 ».").arg(Native(exportFolder)));
    ClassWorkPdf pdf;
    pdf.SetWorksheets(WorksheetsUnder(folder));
    pdf.SetPupils(pupils);
    pdf.SetTitle(QStringLiteral("Travail de la classe : %1").arg(folder.Name()));
    pdf.SetAuthor(AuthorOfSession());
    const QString base = QStringLiteral("%1 - travail de la classe %2")
                             .arg(folder.Name(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    const QDir into(exportFolder);
    QString path = into.filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = into.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    Outcome outcome = pdf.Write(path);
    if (!outcome)
        return outcome;
    if (fileName)
        *fileName = path;
    const int pages = pdf.WrittenPages();
    return outcome.Note(QStringLiteral("Le travail de la classe (%1 page%2) a été enregistré dans le fichier « %3 ».")
                            .arg(pages)
                            .arg(pages > 1 ? QStringLiteral("s") : QString(), Native(path)));
}
