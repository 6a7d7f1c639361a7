#include "FolderFiles.h"

#include <QDirIterator>
#include <algorithm>

FolderFiles::FolderFiles(const QString& folder)
{
    QDirIterator entries(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo info = entries.fileInfo();
        const QString name = entries.fileName();
        // The entry's type comes with the listing; only a link costs a test
        // of what it leads to.
        if (info.isSymLink() && !info.isFile())
            m_links.append(name);
        else
            (info.isDir() ? m_folders : m_names).append(name);
    }
    m_names.sort();
    m_folders.sort(Qt::CaseInsensitive);
    m_links.sort();
    m_byLowerName.reserve(m_names.size());
    for (const QString& name : std::as_const(m_names)) {
        const QString lower = name.toLower();
        const auto known = m_byLowerName.constFind(lower);
        if (known == m_byLowerName.constEnd())
            m_byLowerName.insert(lower, name);
        else
            m_caseTwins = true;
        AddWorksheet(name, lower);
    }
    m_worksheets.reserve(m_worksheetKeys.size());
    for (auto it = m_worksheetKeys.cbegin(); it != m_worksheetKeys.cend(); ++it)
        m_worksheets.append(it.value().name);
    m_worksheets.sort();
}

void FolderFiles::AddWorksheet(const QString& name, const QString& lower)
{
    const bool jpg = lower.endsWith(QLatin1String(".jpg"));
    if ((!jpg && !lower.endsWith(QLatin1String(".jpeg"))) || name.startsWith(QLatin1Char('.')))
        return;
    const qsizetype length = name.size() - (jpg ? 4 : 5);
    if (length <= 0)
        return;
    // One worksheet whatever the case; a ".jpg" file gives it its spelling.
    Worksheet& sheet = m_worksheetKeys[lower.left(length)];
    if (sheet.name.isEmpty() || (jpg && !sheet.fromJpg))
        sheet = Worksheet {name.left(length), jpg};
}

QString FolderFiles::Find(const QString& fileName) const
{
    const auto found = m_byLowerName.constFind(fileName.toLower());
    if (found == m_byLowerName.constEnd())
        return QString();
    // An exact match wins over one in another case.
    if (found.value() != fileName && m_caseTwins && std::binary_search(m_names.cbegin(), m_names.cend(), fileName))
        return fileName;
    return found.value();
}

bool FolderFiles::HasEntry(const QString& name) const
{
    for (const QStringList* entries : {&m_names, &m_folders, &m_links})
        if (entries->contains(name, Qt::CaseInsensitive))
            return true;
    return false;
}

QString FolderFiles::WorksheetOf(const QString& fileName) const
{
    const QString lower = fileName.toLower();
    for (qsizetype at = lower.lastIndexOf(QLatin1Char('_')); at > 0; at = lower.lastIndexOf(QLatin1Char('_'), at - 1)) {
        const auto found = m_worksheetKeys.constFind(lower.left(at));
        if (found != m_worksheetKeys.constEnd())
            return found.value().name;
    }
    return QString();
}
