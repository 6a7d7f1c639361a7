#include "ItemTypeRegistry.h"
#include "TDPRptGrid.h"
#include "TDPRptImg.h"
#include "TDPRptRect.h"
#include "TDPRptSpDr.h"
#include "TDPRptText.h"
#include "TDPRptVText.h"

// Every item class of the core library, with its TYPE word and kind code.
void RegisterStandardItemTypes(ItemTypeRegistry& registry)
{
    registry.Register(QStringLiteral("RECT"), 2, [] { return new TDPRptRect; });
    registry.Register(QStringLiteral("TEXT"), 6, [] { return new TDPRptText; });
    registry.Register(QStringLiteral("VTEXT"), 10, [] { return new TDPRptVText; });
    registry.Register(QStringLiteral("GRID"), 18, [] { return new TDPRptGrid; });
    registry.Register(QStringLiteral("IMG"), 34, [] { return new TDPRptImg; });
    registry.Register(QStringLiteral("SPDR"), 66, [] { return new TDPRptSpDr; });
}
