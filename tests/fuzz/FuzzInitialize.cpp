// Run once by libFuzzer before the first input: fonts and painting need an
// application object, on the off-screen platform, and work files may hold
// background layer items.
#include "documents/TBkLayerIt.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "ardoisine-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    TBkLayerIt::RegisterItemType();
    return 0;
}
