#pragma once

#include "../editor/MainWindowHost.h"

#include "commands/KeyDefinitionDialog.h"
#include "commands/PaletteConnection.h"
#include "commands/TDPanel.h"
#include "commands/TPaFrmForm.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QLabel>
#include <QTest>

// The main window on a data root of worksheets with the palette put into
// it as the program does, the palette's dialogs answered by the test.
class PaletteHost : public MainWindowHost {
public:
    explicit PaletteHost(int pages = 3)
        : MainWindowHost(pages, QSize(1000, 800))
    {
        palette = std::make_unique<TPaFrmForm>(config, messenger, clock);
        PaletteConnection::Connect(*frame, *palette, [this] {
            ++accessChecks;
            return accessPasses;
        });
        palette->RunDialog = [this](QDialog& dialog) {
            ++dialogs;
            return answer ? answer(dialog) : int(QDialog::Rejected);
        };
        palette->ChooseFont = [](QFont&, QWidget*) { return false; };
    }
    ~PaletteHost()
    {
        // The editor leaves the worksheet while the palette still listens.
        if (frame && frame->Editor().Root())
            frame->Editor().Detach(frame.get());
        palette.reset();
    }

    bool StartOpen(const QStringList& names = {QStringLiteral("page1")})
    {
        if (!Start(names))
            return false;
        frame->show();
        QApplication::setActiveWindow(frame.get());
        QTest::keyClick(frame.get(), Qt::Key_Space);
        return palette->ShownPanel == palette->MainPnl();
    }
    EP_ItEdt& Editor() const { return frame->Editor(); }
    TDPanel* Panel(const char* name) const { return palette->Panel(QString::fromLatin1(name)); }
    QString Highlighted() const
    {
        TDPanel* command = palette->ActiveGroup ? palette->ActiveGroup->DeepestSelected() : nullptr;
        return command ? command->Name() : QString();
    }
    // A key as the window receives it.
    void Key(int qtKey, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
        QApplication::sendEvent(frame.get(), &event);
    }
    void Char(char character) { Key(0, QString(QLatin1Char(character))); }
    TDPRptSpDr* Drawing() const { return dynamic_cast<TDPRptSpDr*>(Editor().Current()); }
    // The pupil's items (the worksheet's picture is an item too).
    int ItemCount() const
    {
        int count = 0;
        for (int i = 0; Editor().Root() && i < Editor().Root()->ChildCount(); ++i)
            count += Editor().Root()->ChildAt(i)->TypeName() != QLatin1String("IMG");
        return count;
    }
    QStringList ItemMembers() const
    {
        QStringList names;
        for (TDPanel* member : palette->Group(QStringLiteral("ItEditPnl"))->Children())
            names << member->Name();
        return names;
    }

    std::unique_ptr<TPaFrmForm> palette;
    std::function<int(QDialog&)> answer;
    int dialogs = 0;
    int accessChecks = 0;
    bool accessPasses = true;
};
