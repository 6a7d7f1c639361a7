#include "FileNameRules.h"

#include <QRegularExpression>

bool FileNameRules::IsSafe(const QString& name)
{
    if (name.isEmpty() || name.size() > MaxLength || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    if (IsHidden(name) || name.back() == QLatin1Char('.') || name.back() == QLatin1Char(' '))
        return false;
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"), QRegularExpression::CaseInsensitiveOption);
    return !reserved.match(name.trimmed()).hasMatch();
}

QString FileNameRules::Join(const QString& folder, const QString& fileName)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}
