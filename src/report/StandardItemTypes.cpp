#include "ItemTypeRegistry.h"
#include "TDPRptRect.h"
#include "TDPRptSpDr.h"

// Every item class of the core library, with its TYPE word and kind code.
void RegisterStandardItemTypes(ItemTypeRegistry& registry)
{
    registry.Register(QStringLiteral("RECT"), 2, [] { return new TDPRptRect; });
    registry.Register(QStringLiteral("SPDR"), 66, [] { return new TDPRptSpDr; });
}
