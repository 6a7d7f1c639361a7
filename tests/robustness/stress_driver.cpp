// A pupil's PC in a test: opens worksheets of a shared data root and saves
// work, as fast as it can, to put several PCs on the same files at once.
//   ardoisine-stress work ROOT USER SECONDS   -> prints the number of saves
//   ardoisine-stress hold ROOT DOCUMENT USER  -> opens one work and waits
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <memory>

namespace {

// Each save adds the pupil's name as a text, so every work file tells whose
// it is.
bool Touch(TEP_Doc& doc, const QString& user, int round)
{
    const QString name = QStringLiteral("NEWIT_%1").arg(round);
    auto* text = doc.Tree()->AddChild(name, std::make_unique<TDPRptText>());
    text->Name = name;
    text->Width = 400;
    text->Height = 100;
    text->PosX = float(round % 1500);
    text->PosY = float(round * 7 % 2500);
    text->Value = user;
    if (doc.Tree()->ChildCount() > 40)
        doc.Tree()->RemoveChild(QString(), doc.Tree()->ChildAt(1));
    return doc.EPDoc_Save().Ok();
}

int Work(const QString& folder, const QString& user, int seconds)
{
    TEP_DocsNode root;
    if (!root.Scan(folder) || root.ChildCount() == 0)
        return 1;
    QElapsedTimer timer;
    timer.start();
    int saves = 0;
    for (int round = 1; timer.elapsed() < seconds * 1000; ++round) {
        TEP_DocsNode* node = root.ChildAt(round % root.ChildCount());
        TEP_Doc* doc = node->Document();
        if (!doc || !doc->EPDoc_SetUser(user) || !doc->EPDoc_LoadForUse())
            return 1;
        if (Touch(*doc, user, round))
            ++saves;
        doc->EPDoc_Close();
    }
    std::printf("%d\n", saves);
    return 0;
}

int Hold(const QString& folder, const QString& name, const QString& user)
{
    TEP_Doc doc;
    Outcome outcome = doc.EPDoc_Init(name, folder);
    if (outcome)
        outcome.Merge(doc.EPDoc_SetUser(user));
    if (outcome)
        outcome.Merge(doc.EPDoc_LoadForUse());
    if (!outcome) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.Text()));
        return 1;
    }
    std::printf("open\n");
    std::fflush(stdout);
    QThread::sleep(600); // until killed
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 4 && args[0] == QLatin1String("work"))
        return Work(args[1], args[2], args[3].toInt());
    if (args.size() == 4 && args[0] == QLatin1String("hold"))
        return Hold(args[1], args[2], args[3]);
    std::fprintf(stderr, "usage: ardoisine-stress work ROOT USER SECONDS | hold ROOT DOCUMENT USER\n");
    return 2;
}
