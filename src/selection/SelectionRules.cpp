#include "SelectionRules.h"

#include "config/TEP_Config.h"
#include "params/Param_Obj.h"
#include "platform/WindowsKeys.h"

#include <QDir>
#include <QFileInfo>

using Command = SelectionRules::Command;

std::optional<Command> SelectionRules::CommandForKey(const TranslatedKey& key, bool settingsMode)
{
    // Control characters count only from their own keys: Enter, Escape,
    // Backspace, F8 (a control combination typing the same byte is not
    // one of them).
    if (key.code == WindowsKeys::Return)
        return Command::Open;
    const quint8 upper = KeyTranslator::UpperCase(key.character);
    if (settingsMode) {
        if (upper == 'C')
            return Command::Configure;
        if (upper == 'M')
            return Command::NewPassword;
        if (upper == 'S')
            return Command::Scan;
        return std::nullopt;
    }
    if (key.code == WindowsKeys::Escape)
        return Command::Quit;
    if (key.code == WindowsKeys::Back)
        return Command::NextDocument;
    if (key.code == WindowsKeys::Function(8))
        return Command::Settings;
    if (key.character == '/' || key.character == ':')
        return Command::PlayInstruction;
    if (key.character == '*' || key.character == 181)
        return Command::PlayHelp;
    if (upper == 'S')
        return Command::Scan;
    return std::nullopt;
}

int SelectionRules::TreeWidth(int stored)
{
    return stored >= 347 && stored <= 799 ? stored : DefaultTreeWidth;
}

QString SelectionRules::ExportName(const QString& document, const QString& user, bool defaultUser)
{
    return document + (defaultUser ? QString() : QLatin1Char('_') + user) + QStringLiteral("_T.jpg");
}

bool SelectionRules::IsInsideFolder(const QString& path, const QString& folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const auto parts = [](const QString& p) {
        return QDir::cleanPath(QFileInfo(p).absoluteFilePath()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    };
    const QStringList inner = parts(path);
    const QStringList outer = parts(folder);
    if (inner.size() < outer.size())
        return false;
    for (int i = 0; i < outer.size(); ++i) {
        if (inner[i].compare(outer[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

bool SelectionRules::PasswordSurvivesStorage(const QString& password)
{
    // A stored control character would cut or end the file's line.
    for (const QChar c : password) {
        if (c.unicode() < 32 || c.unicode() == 0xFFFF)
            return false;
    }
    Param_Obj file;
    const QString key = QStringLiteral("CONFIGKW");
    file.PRWrite(TEP_Config::GeneralHeading, key, TEP_Config::EncodePassword(password));
    // Read back from the lines the file would hold.
    Param_Obj reread;
    reread.LoadFromLines(file.Lines());
    return TEP_Config::DecodePassword(reread.PRRead(TEP_Config::GeneralHeading, key)) == password;
}

QString SelectionRules::UserPart(const QString& user, bool defaultUser)
{
    return defaultUser ? QStringLiteral("de l'utilisateur par défaut")
                       : QStringLiteral("de l'utilisateur \"%1\"").arg(user);
}

QString SelectionRules::ForUserPart(const QString& user, bool defaultUser)
{
    return defaultUser ? QStringLiteral("pour l'utilisateur par défaut")
                       : QStringLiteral("pour l'utilisateur \"%1\"").arg(user);
}
