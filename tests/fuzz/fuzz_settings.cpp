// A user's settings file and the general configuration file.
#include "FuzzSupport.h"
#include "config/TEP_Config.h"
#include "config/UserSettings.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Param_Obj file;
    file.LoadFromLines(TextFile::DecodeLines(FuzzSupport::Bytes(data, size)));
    UserSettings settings;
    settings.Read(file, QSize(1280, 1024));
    Param_Obj written = file;
    settings.Write(written);
    // Settings written by the program read back as the same values (after
    // one round, which settles the one intended quirk: an unset bold choice
    // of the hint font is written empty and reads back as "not bold").
    const auto roundTrip = [](const Param_Obj& from) {
        UserSettings read;
        read.Read(from, QSize(1280, 1024));
        Param_Obj to;
        read.Write(to);
        return to;
    };
    const Param_Obj once = roundTrip(written);
    if (roundTrip(once).Lines() != once.Lines())
        __builtin_trap();

    static TEP_Config config(nullptr);
    config.ReadGeneralParams(file);
    return 0;
}
