#include "FolderFiles.h"

#include <QDir>

FolderFiles::FolderFiles(const QString& folder)
{
    m_names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
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
