#pragma once

#include "params/FontDescription.h"
#include "params/RgbColor.h"
#include "platform/Scanner.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class TEP_DocsNode;

// What the person in front of the selection screen types into a password
// window.
struct PasswordAnswer {
    bool accepted = false; // OK rather than Cancel or the window closed
    QString text;
    bool doNotShowAgain = false; // "Ne plus afficher" ticked
};

// The modal windows the selection screen opens, beyond the messenger's
// message boxes and questions: the program opens the real windows, the
// tests answer from a script.
class SelectionDialogs {
public:
    virtual ~SelectionDialogs() = default;

    // "Sortir": "Quitter Ardoisine ?"; true for yes.
    virtual bool AskQuit() = 0;
    // A masked password field under the title; the "Ne plus afficher" box
    // only when asked for.
    virtual PasswordAnswer AskPassword(const QString& title, bool withDoNotShowAgain) = 0;
    // The users dialog choosing a name: 0 a name was chosen (and is the
    // current user), 1 give up, 2 edit the names.
    virtual int ChooseUserName() = 0;
    // The users dialog editing the names; true when the current user changed.
    virtual bool EditUserNames() = 0;
    // Empty when the person gives up.
    virtual QString ChooseImportFile() = 0;
    virtual QString ChooseExportFile(const QString& folder, const QString& proposedName) = 0;
    virtual std::optional<RgbColor> ChooseColor(RgbColor initial) = 0;
    virtual std::optional<FontDescription> ChooseFont(const FontDescription& initial) = 0;
    // The colour and style of one entry of the documents view; true when
    // they changed.
    virtual bool EditEntryLook(TEP_DocsNode& node) = 0;
    // An information message with "Ne plus afficher"; show becomes false
    // when it is ticked.
    virtual void ShowInfoMessage(const QString& caption, const QString& message, bool& show) = 0;
    // The scanner to use; empty when the person gives up.
    virtual QString ChooseScanner(const QList<ScannerDevice>& devices, const QString& preferred) = 0;
    // Whose work goes into the class's PDF: an empty list for every pupil
    // who worked, else the pupils chosen among those given; no answer when
    // the person gives up.
    virtual std::optional<QStringList> ChoosePupils(const QStringList& pupils) = 0;
};
