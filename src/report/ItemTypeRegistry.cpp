#include "ItemTypeRegistry.h"

ItemTypeRegistry& ItemTypeRegistry::Instance()
{
    static ItemTypeRegistry* registry = [] {
        auto* created = new ItemTypeRegistry;
        RegisterStandardItemTypes(*created);
        return created;
    }();
    return *registry;
}

void ItemTypeRegistry::Register(const QString& typeName, int kindCode, Creator creator)
{
    m_byType.insert(typeName, creator);
    if (kindCode != 0)
        m_byKind.insert(kindCode, creator);
}

TDPRptItem* ItemTypeRegistry::CreateByType(const QString& typeName) const
{
    const auto it = m_byType.constFind(typeName);
    return it == m_byType.cend() ? nullptr : (*it)();
}

TDPRptItem* ItemTypeRegistry::CreateByKind(int kindCode) const
{
    const auto it = m_byKind.constFind(kindCode);
    return it == m_byKind.cend() ? nullptr : (*it)();
}
