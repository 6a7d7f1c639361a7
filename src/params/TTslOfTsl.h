#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A list of named string lists (the tools palette keeps its panels' texts
// this way). The container owns its lists.
class TTslOfTsl {
public:
    int Count() const { return int(m_entries.size()); }
    int Add(const QString& name, const QStringList& list);
    QString Name(int position) const;
    // The list at a position; nullptr when the position is outside the list.
    QStringList* ListAt(int position);
    const QStringList* ListAt(int position) const;
    int IndexOf(const QString& name) const;
    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        QString name;
        QStringList list;
    };
    std::vector<Entry> m_entries;
};
