#include "TBkLayerIt.h"
#include "report/ItemTypeRegistry.h"
#include "report/TDPRptGrid.h"
#include "report/TDPRptImg.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"
#include "report/TDPRptVText.h"

// Every item class a work file can hold, with its TYPE word and kind code.
// It lives with the documents, which know every item type, the background
// layer's own included.
void RegisterStandardItemTypes(ItemTypeRegistry& registry)
{
    registry.Register(QStringLiteral("RECT"), 2, [] { return new TDPRptRect; });
    registry.Register(QStringLiteral("TEXT"), 6, [] { return new TDPRptText; });
    registry.Register(QStringLiteral("VTEXT"), 10, [] { return new TDPRptVText; });
    registry.Register(QStringLiteral("GRID"), 18, [] { return new TDPRptGrid; });
    registry.Register(QStringLiteral("IMG"), 34, [] { return new TDPRptImg; });
    registry.Register(QStringLiteral("SPDR"), 66, [] { return new TDPRptSpDr; });
    registry.Register(QStringLiteral("BKLITEM"), 0, [] { return new TBkLayerIt; });
}
