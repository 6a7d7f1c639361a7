#pragma once

#include "DocsTreeBench.h"
#include "selection/SelectionDialogs.h"
#include "selection/TEP_DocsTree.h"
#include "selection/TEP_SelectFrm.h"
#include "sound/FakeAudioDevice.h"
#include "sound/TEPSND_DocSoundPlayer.h"

#include <QTest>
#include <functional>

// The selection screen's windows answering from a script, with a record of
// what was asked.
class ScriptedSelectionDialogs : public SelectionDialogs {
public:
    bool AskQuit() override
    {
        ++QuitAsked;
        return QuitAnswers.isEmpty() ? false : QuitAnswers.takeFirst();
    }
    PasswordAnswer AskPassword(const QString& title, bool withDoNotShowAgain) override
    {
        PasswordTitles << title + (withDoNotShowAgain ? QStringLiteral(" +box") : QString());
        return Passwords.isEmpty() ? PasswordAnswer() : Passwords.takeFirst();
    }
    int ChooseUserName() override
    {
        ++NameChoices;
        return UserChoices.isEmpty() ? 1 : UserChoices.takeFirst()();
    }
    bool EditUserNames() override
    {
        ++NameEdits;
        return NameEditAnswers.isEmpty() ? false : NameEditAnswers.takeFirst()();
    }
    QString ChooseImportFile() override { return ImportFile; }
    QString ChooseExportFile(const QString& folder, const QString& proposedName) override
    {
        ExportFolder = folder;
        ExportName = proposedName;
        return ExportTarget;
    }
    std::optional<RgbColor> ChooseColor(RgbColor) override { return Colour; }
    std::optional<FontDescription> ChooseFont(const FontDescription&) override { return Font; }
    bool EditEntryLook(TEP_DocsNode&) override { return false; }
    void ShowInfoMessage(const QString& caption, const QString& message, bool& show) override
    {
        if (!show)
            return;
        InfoMessages << caption + QStringLiteral(" | ") + message;
        show = !TickDoNotShowAgain;
    }
    QString ChooseScanner(const QList<ScannerDevice>& devices, const QString&) override
    {
        DevicesOffered = devices;
        return ScannerChoice;
    }
    std::optional<QStringList> ChoosePupils(const QStringList& pupils) override
    {
        PupilsOffered = pupils;
        return PupilChoice;
    }

    int QuitAsked = 0;
    QList<bool> QuitAnswers;
    QStringList PasswordTitles;
    QList<PasswordAnswer> Passwords;
    int NameChoices = 0;
    QList<std::function<int()>> UserChoices;
    int NameEdits = 0;
    QList<std::function<bool()>> NameEditAnswers;
    QString ImportFile;
    QString ExportFolder, ExportName, ExportTarget;
    std::optional<RgbColor> Colour;
    std::optional<FontDescription> Font;
    QStringList InfoMessages;
    bool TickDoNotShowAgain = false;
    QList<ScannerDevice> DevicesOffered;
    QString ScannerChoice;
    QStringList PupilsOffered;
    std::optional<QStringList> PupilChoice;
};

// The selection screen on the documents view's small data root, with a
// sound player over a scripted device, the scripted windows and a script
// for each showing of the screen (keys sent to it while it shows).
class SelectionBench {
public:
    SelectionBench()
    {
        base.tree.reset(); // the screen has its own view
        auto device = std::make_unique<FakeAudioDevice>();
        Device = device.get();
        player = std::make_unique<TEPSND_DocSoundPlayer>(base.messenger, base.clock, std::move(device));
        QVERIFY(player->Create(base.config.DataRoot()));
        screen = std::make_unique<TEP_SelectFrm>(base.config, base.messenger, base.clock, player.get(), &dialogs);
        screen->resize(1000, 700);
        screen->PrintHandler = [this](TEP_Doc& document) { Printed << document.Name(); };
        screen->RunModal = [this] {
            ++Showings;
            screen->show();
            if (!showings.isEmpty())
                showings.takeFirst()();
            // A script that leaves the screen open ends the showing as the
            // window manager would, without a result.
            if (screen->isVisible())
                screen->hide();
            return screen->result();
        };
    }
    ~SelectionBench()
    {
        screen.reset();
        player.reset();
    }

    TEP_DocsTree& Tree() const { return *screen->Tree(); }
    bool Select(const QString& names) { return Tree().SelectNames(names.split(QLatin1Char('/'), Qt::SkipEmptyParts)); }
    QString Selected() const { return Tree().SelectedNames().join(QLatin1Char('/')); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&Tree(), Qt::Key(key), modifiers);
    }
    void Key(char character) { QTest::keyClick(&Tree(), character); }
    // Another user with a settings file.
    void AddUser(const QString& name)
    {
        QVERIFY(TestFiles::WriteBytes(base.config.SettingsPath(name), "[ARDOISINE]\r\n"));
    }

    DocsTreeBench base;
    FakeAudioDevice* Device = nullptr;
    std::unique_ptr<TEPSND_DocSoundPlayer> player;
    ScriptedSelectionDialogs dialogs;
    std::unique_ptr<TEP_SelectFrm> screen;
    QList<std::function<void()>> showings;
    int Showings = 0;
    QStringList Printed;
};
