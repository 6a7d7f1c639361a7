#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The files of one folder from a single listing, looked up by name with the
// letter case of the original platform ignored (an exact match wins), so a
// data root copied from Windows keeps working. The listing reads the
// directory once (file types come with the entries), which matters on a
// network share.
class FolderFiles {
public:
    explicit FolderFiles(const QString& folder);
    const QStringList& Names() const& { return m_names; }
    const QStringList& Names() const&& = delete; // would dangle in a range-for
    // Sub-folders, in name order.
    const QStringList& Folders() const& { return m_folders; }
    const QStringList& Folders() const&& = delete;
    // The name as it is on disk, or an empty text.
    QString Find(const QString& fileName) const;
    bool Contains(const QString& fileName) const { return !Find(fileName).isEmpty(); }

private:
    QStringList m_names;
    QStringList m_folders;
    QHash<QString, QString> m_byLowerName;
};
