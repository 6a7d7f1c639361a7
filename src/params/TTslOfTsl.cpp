#include "TTslOfTsl.h"

int TTslOfTsl::Add(const QString& name, const QStringList& list)
{
    m_entries.push_back(Entry {name, list});
    return Count() - 1;
}

QString TTslOfTsl::Name(int position) const
{
    return position >= 0 && position < Count() ? m_entries[size_t(position)].name : QString();
}

QStringList* TTslOfTsl::ListAt(int position)
{
    return position >= 0 && position < Count() ? &m_entries[size_t(position)].list : nullptr;
}

const QStringList* TTslOfTsl::ListAt(int position) const
{
    return position >= 0 && position < Count() ? &m_entries[size_t(position)].list : nullptr;
}

int TTslOfTsl::IndexOf(const QString& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_entries[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
