#pragma once

#include "FakeClock.h"
#include "JpegFixtures.h"
#include "TestFiles.h"
#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "selection/DocsTreeModel.h"
#include "selection/TEP_DocsTree.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A data root of a few folders, its configuration, and the documents view
// on it with a scripted messenger and a fake clock:
//
//   Documents            (the root; Lecture, Calcul, Géographie, accueil)
//     Lecture            lecture1 (with XXXX's work), lecture2, lecture3 (italic)
//     Calcul             blue: addition, soustraction, and Tables (table2)
//     Géographie         carte
//     accueil            red and bold
class DocsTreeBench {
public:
    DocsTreeBench()
    {
        config.SetDataRoot(dir.path());
        QDir().mkpath(Path("Lecture"));
        QDir().mkpath(Path("Calcul/Tables"));
        QDir().mkpath(Path(QStringLiteral("Géographie")));
        for (const QString& page : QStringList {"Lecture/lecture1", "Lecture/lecture2", "Lecture/lecture3",
                 "Calcul/addition", "Calcul/soustraction", "Calcul/Tables/table2", "Géographie/carte", "accueil"})
            Jpeg(page + QStringLiteral(".jpg"));
        File("Lecture/lecture1_XXXX.txt", TestFiles::CrLf(TEP_Doc::InitialDefinition()));
        File("Data.txt",
            TestFiles::CrLf({"[SUBDIRDATA]", QStringLiteral("ITEMSSORT=Lecture;Calcul;Géographie;accueil;"),
                "DIRFONTCOLOR=0*0*0", "DOCSCOLORS=accueil,200*0*0;", "DOCSSTYLES=accueil,B:YES,U:NO,I:NO,S:NO;"}));
        File("Lecture/Data.txt",
            TestFiles::CrLf({"[SUBDIRDATA]", "ITEMSSORT=lecture1;lecture2;lecture3;",
                "DOCSSTYLES=lecture3,B:NO,U:NO,I:YES,S:NO;"}));
        File("Calcul/Data.txt",
            TestFiles::CrLf({"[SUBDIRDATA]", "ITEMSSORT=addition;soustraction;Tables;", "DIRFONTCOLOR=0*0*160"}));
        const Outcome started = config.Initialise(dir.path());
        QVERIFY2(started.Ok() && !started.HasMessages(), qPrintable(started.Text()));
        tree = std::make_unique<TEP_DocsTree>(config, messenger, clock);
        tree->resize(360, 420);
        QVERIFY(tree->Load(config.Tree()).Ok());
    }

    // A file or folder under the worksheets folder.
    QString Path(const QString& relative) const { return config.WorksheetsFolder() + QLatin1Char('/') + relative; }
    void Jpeg(const QString& relative, int dpi = 300)
    {
        QVERIFY(TestFiles::WriteBytes(Path(relative), JpegFixtures::Jpeg(40, 56, dpi)));
    }
    void File(const QString& relative, const QByteArray& bytes)
    {
        QVERIFY(TestFiles::WriteBytes(Path(relative), bytes));
    }

    TEP_DocsNode* Root() const { return config.Tree(); }
    // A node by its names from the root, "Calcul/Tables/table2"; the root for
    // an empty text.
    TEP_DocsNode* Node(const QString& names) const
    {
        TEP_DocsNode* node = Root();
        for (const QString& name : names.split(QLatin1Char('/'), Qt::SkipEmptyParts))
            node = node ? node->FindChildByName(name) : nullptr;
        return node;
    }
    // The names of a folder's children, as the tree holds them.
    QStringList Children(const QString& folder) const
    {
        QStringList names;
        const TEP_DocsNode* node = Node(folder);
        for (int i = 0; node && i < node->ChildCount(); ++i)
            names << node->ChildAt(i)->Name();
        return names;
    }
    // The texts of a folder entry's entries, as the view shows them.
    QStringList Entries(const QString& folder) const
    {
        QStringList texts;
        const QModelIndex parent = tree->IndexOf(Node(folder));
        for (int row = 0; row < tree->model()->rowCount(parent); ++row)
            texts << tree->model()->index(row, 0, parent).data().toString();
        return texts;
    }
    QString Selected() const { return tree->SelectedNames().join(QLatin1Char('/')); }
    bool Select(const QString& names) { return tree->SelectNames(names.split(QLatin1Char('/'), Qt::SkipEmptyParts)); }
    bool IsExpanded(const QString& folder) const { return tree->isExpanded(tree->IndexOf(Node(folder))); }

    QTemporaryDir dir;
    TEP_Config config;
    ScriptedMessenger messenger;
    FakeClock clock;
    std::unique_ptr<TEP_DocsTree> tree;
};
