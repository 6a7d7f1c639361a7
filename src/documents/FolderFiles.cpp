#include "FolderFiles.h"

#include <QDirIterator>

FolderFiles::FolderFiles(const QString& folder)
{
    QDirIterator entries(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        (entries.fileInfo().isDir() ? m_folders : m_names).append(entries.fileName());
    }
    m_names.sort();
    m_folders.sort(Qt::CaseInsensitive);
    for (const QString& name : std::as_const(m_names)) {
        const QString lower = name.toLower();
        if (!m_byLowerName.contains(lower))
            m_byLowerName.insert(lower, name);
    }
}

QString FolderFiles::Find(const QString& fileName) const
{
    if (m_names.contains(fileName))
        return fileName;
    return m_byLowerName.value(fileName.toLower());
}
