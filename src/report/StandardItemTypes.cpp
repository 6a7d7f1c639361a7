#include "ItemTypeRegistry.h"
#include "TDPRptRect.h"

// Every item class of the core library, with its TYPE word and kind code.
void RegisterStandardItemTypes(ItemTypeRegistry& registry)
{
    registry.Register(QStringLiteral("RECT"), 2, [] { return new TDPRptRect; });
}
