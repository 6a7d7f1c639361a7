#pragma once

#include <QHash>
#include <QString>
#include <functional>

class TDPRptItem;

// The item classes a definition file can name. Each class joins under its
// TYPE word (and, where it has one, the kind code DPRpt_CreateItemByKind
// takes); the loader creates items only through this registry.
class ItemTypeRegistry {
public:
    using Creator = std::function<TDPRptItem*()>;

    static ItemTypeRegistry& Instance();

    // kindCode 0: the class is not created by kind.
    void Register(const QString& typeName, int kindCode, Creator creator);
    // The TYPE word is compared exactly (upper case); unknown gives nullptr.
    TDPRptItem* CreateByType(const QString& typeName) const;
    TDPRptItem* CreateByKind(int kindCode) const;

private:
    ItemTypeRegistry() = default;
    QHash<QString, Creator> m_byType;
    QHash<int, Creator> m_byKind;
};

// Registers the item classes of the core library; called once by Instance().
void RegisterStandardItemTypes(ItemTypeRegistry& registry);
