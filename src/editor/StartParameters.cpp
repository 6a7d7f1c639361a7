#include "StartParameters.h"

namespace {
QString WithoutTrailingSeparators(QString path)
{
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}
} // namespace

QString StartParameters::WorkDir(const QStringList& parameters, const QString& fallback)
{
    QString workDir = fallback;
    for (const QString& parameter : parameters) {
        const qsizetype equals = parameter.indexOf(QLatin1Char('='));
        if (equals < 0 || parameter.left(equals).toUpper() != QLatin1String("DIR"))
            continue;
        const QString path = parameter.mid(equals + 1);
        if (!path.isEmpty())
            workDir = WithoutTrailingSeparators(path);
    }
    return workDir;
}
