#pragma once

#include "FakeClock.h"
#include "JpegFixtures.h"
#include "TestFiles.h"

#include "config/TEP_Config.h"
#include "documents/ScriptedMessenger.h"
#include "documents/TEP_Doc.h"
#include "documents/TEP_DocsNode.h"
#include "editor/DocumentChooser.h"
#include "editor/TEP_Frm.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

// The selection screen as a script: each showing opens the worksheet named
// next in the list, an empty name (or the end of the list) leaves.
class ScriptedChooser : public DocumentChooser {
public:
    explicit ScriptedChooser(TEP_Config& config)
        : m_config(config)
    { }
    bool ChooseDocument() override
    {
        ++Showings;
        if (Names.isEmpty())
            return false;
        const QString name = Names.takeFirst();
        TEP_DocsNode* node = name.isEmpty() ? nullptr : Find(m_config.Tree(), name);
        return node && m_config.SetCurrentDocument(node->Document()).Ok();
    }
    static TEP_DocsNode* Find(TEP_DocsNode* folder, const QString& name)
    {
        for (int index = 0; folder && index < folder->ChildCount(); ++index) {
            TEP_DocsNode* child = folder->ChildAt(index);
            if (child->IsDocument() && child->Name() == name)
                return child;
            if (TEP_DocsNode* found = child->IsDocument() ? nullptr : Find(child, name))
                return found;
        }
        return nullptr;
    }
    QStringList Names;
    int Showings = 0;

private:
    TEP_Config& m_config;
};

// A data root with one folder of worksheets ("page1" … "pageN", A4 portrait
// at 25 dpi so that they load fast), the main window over it with a scripted
// messenger, a fake clock, no splash and no sounds.
class MainWindowHost {
public:
    explicit MainWindowHost(int pages = 3, QSize window = QSize(1000, 800))
    {
        const QString folder = Folder();
        QDir().mkpath(folder);
        for (int page = 1; page <= pages; ++page)
            TestFiles::WriteBytes(folder + QStringLiteral("/page%1.jpg").arg(page), JpegFixtures::Jpeg(210, 297, 25));
        frame = std::make_unique<TEP_Frm>(config, messenger, clock);
        frame->ScreenPpi = 96.0;
        frame->ShowSplash = [this](SplashWindow&) { ++splashes; };
        frame->MakeSoundPlayer = nullptr;
        frame->Quit = [this] { ++quits; };
        frame->MakeChooser = [this] {
            auto made = std::make_unique<ScriptedChooser>(config);
            made->Names = script;
            chooser = made.get();
            return made;
        };
        frame->resize(window);
        size = window;
    }

    QString Folder() const { return dir.path() + QStringLiteral("/Documents/Fiches/Lecture"); }
    QString WorkPath(const QString& page, const QString& user = TEP_Config::DefaultUser) const
    {
        return Folder() + QStringLiteral("/%1_%2.txt").arg(page, user);
    }
    // The start-up sequence on the data root, opening the worksheets named.
    bool Start(const QStringList& names)
    {
        script = names;
        const bool started = frame->Initialize({QStringLiteral("DIR=") + dir.path()});
        // The window keeps the size the test chose (no screen to fill).
        frame->resize(size);
        return started;
    }

    QTemporaryDir dir;
    TEP_Config config;
    ScriptedMessenger messenger;
    FakeClock clock;
    std::unique_ptr<TEP_Frm> frame;
    ScriptedChooser* chooser = nullptr;
    QStringList script;
    QSize size;
    int splashes = 0;
    int quits = 0;
};
