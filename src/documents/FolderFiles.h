#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The files of one folder from a single listing, looked up by name with the
// letter case of the original platform ignored (an exact match wins), so a
// data root copied from Windows keeps working. The listing reads the
// directory once (file types come with the entries), which matters on a
// network share.
//
// Symbolic links are never entered: a link to a file is a file like any
// other (a leaf), a link to a folder (or to nothing) is only listed among
// the links, so a scan, a move or a delete never leaves the folder through
// it.
class FolderFiles {
public:
    explicit FolderFiles(const QString& folder);
    const QStringList& Names() const& { return m_names; }
    const QStringList& Names() const&& = delete; // would dangle in a range-for
    // Sub-folders, in name order (links to folders left out).
    const QStringList& Folders() const& { return m_folders; }
    const QStringList& Folders() const&& = delete;
    // Links that do not lead to a file.
    const QStringList& Links() const& { return m_links; }
    const QStringList& Links() const&& = delete;
    // The name as it is on disk, or an empty text.
    QString Find(const QString& fileName) const;
    bool Contains(const QString& fileName) const { return !Find(fileName).isEmpty(); }
    // Whether any entry (file, folder or link) has that name in any case.
    bool HasEntry(const QString& name) const;

    // The worksheets of the folder: every "*.jpg" and "*.jpeg" file without
    // its extension, once whatever the letter case (the ".jpg" file's
    // spelling wins), names starting with "." left out, sorted.
    const QStringList& Worksheets() const& { return m_worksheets; }
    const QStringList& Worksheets() const&& = delete;
    bool HasWorksheet(const QString& name) const { return m_worksheetKeys.contains(name.toLower()); }
    // The worksheet a file hangs on by name ("<worksheet>_…"): the one with
    // the longest name that prefixes it, so "A_2_paul.txt" is paul's work on
    // "A_2", never work of a pupil "2_paul" on "A". Empty when none.
    QString WorksheetOf(const QString& fileName) const;

private:
    struct Worksheet {
        QString name;
        bool fromJpg = false;
    };
    void AddWorksheet(const QString& name, const QString& lower);

    QStringList m_names; // sorted
    QStringList m_folders;
    QStringList m_links;
    QHash<QString, QString> m_byLowerName; // the first name of each lower-case spelling
    bool m_caseTwins = false; // names differing only by letter case
    QStringList m_worksheets;
    QHash<QString, Worksheet> m_worksheetKeys; // by lower-case name
};
