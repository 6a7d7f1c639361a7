#include "ItemTypeRegistry.h"

#include "TDPRptGrid.h"
#include "TDPRptImg.h"
#include "TDPRptRect.h"
#include "TDPRptSpDr.h"
#include "TDPRptText.h"
#include "TDPRptVText.h"

namespace {

template <typename Item> ItemTypeRegistry::Creator CreatorOf()
{
    return [] { return std::unique_ptr<TDPRptItem>(std::make_unique<Item>()); };
}

} // namespace

ItemTypeRegistry::ItemTypeRegistry()
{
    Register(QStringLiteral("RECT"), 2, CreatorOf<TDPRptRect>());
    Register(QStringLiteral("TEXT"), 6, CreatorOf<TDPRptText>());
    Register(QStringLiteral("VTEXT"), 10, CreatorOf<TDPRptVText>());
    Register(QStringLiteral("GRID"), 18, CreatorOf<TDPRptGrid>());
    Register(QStringLiteral("IMG"), 34, CreatorOf<TDPRptImg>());
    Register(QStringLiteral("SPDR"), 66, CreatorOf<TDPRptSpDr>());
}

ItemTypeRegistry& ItemTypeRegistry::Instance()
{
    static ItemTypeRegistry registry;
    return registry;
}

void ItemTypeRegistry::Register(const QString& typeName, int kindCode, Creator creator)
{
    Q_ASSERT(!typeName.isEmpty() && creator);
    if (typeName.isEmpty() || !creator)
        return;
    m_byType.insert(typeName, creator);
    if (kindCode != 0)
        m_byKind.insert(kindCode, std::move(creator));
}

std::unique_ptr<TDPRptItem> ItemTypeRegistry::CreateByType(const QString& typeName) const
{
    const auto it = m_byType.constFind(typeName);
    return it == m_byType.cend() ? nullptr : (*it)();
}

std::unique_ptr<TDPRptItem> ItemTypeRegistry::CreateByKind(int kindCode) const
{
    const auto it = m_byKind.constFind(kindCode);
    return it == m_byKind.cend() ? nullptr : (*it)();
}
