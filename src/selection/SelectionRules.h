#pragma once

#include "platform/KeyTranslator.h"

#include <QString>
#include <optional>

// The rules of the selection screen that need no window: which key runs
// which command, the names and questions it builds, and the checks it makes
// before storing what the teacher typed.
class SelectionRules {
public:
    // What the screen's panels, keys and buttons do. The panels run these
    // directly: a control key that happens to type the same character (on
    // X11 Ctrl+A, Ctrl+G and Ctrl+H type 1, 7 and 8) runs nothing.
    enum class Command {
        PreviousDocument,
        NextDocument,
        Open,
        Quit,
        PlayInstruction,
        PlayHelp,
        Scan,
        Settings, // the settings password, then settings mode
        OpenFolder,
        CloseFolder,
        Configure, // the settings dialog
        NewPassword,
        LeaveSettings,
    };

    // The command of a key in pupil or settings mode; none for the keys the
    // documents view keeps (arrows, letters it searches by) or ignores.
    static std::optional<Command> CommandForKey(const TranslatedKey& key, bool settingsMode);

    // The width the documents view gets from "TREEWIDTH".
    static int TreeWidth(int stored);
    static constexpr int DefaultTreeWidth = 346;

    // "<document>[_<user>]_T.jpg": the user is left out for the default one.
    static QString ExportName(const QString& document, const QString& user, bool defaultUser);
    // Whether a path is the folder or lies under it, compared folder by
    // folder and ignoring letter case ("Fiches2" is not inside "Fiches").
    static bool IsInsideFolder(const QString& path, const QString& folder);

    // Whether a password comes back the same once stored in the general
    // file (each character one code up, then the file's own encoding).
    static bool PasswordSurvivesStorage(const QString& password);

    // The user as the work questions name them: "de l'utilisateur par
    // défaut" / "de l'utilisateur "<user>"", and with "pour".
    static QString UserPart(const QString& user, bool defaultUser);
    static QString ForUserPart(const QString& user, bool defaultUser);
};
