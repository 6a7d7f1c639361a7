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
    settings.Read(file, UserSettings::Heading, QSize(1280, 1024));
    settings.ReadCommandKeys(file);
    Param_Obj written = file;
    settings.Write(written, UserSettings::Heading);
    settings.WriteCommandKeys(written);
    // Settings written by the program read back as the same values (after
    // one round, which settles the one intended quirk: an unset bold choice
    // of the hint font is written empty and reads back as "not bold"). The
    // redefined palette commands too.
    const auto roundTrip = [](const Param_Obj& from) {
        UserSettings read;
        read.Read(from, UserSettings::Heading, QSize(1280, 1024));
        read.ReadCommandKeys(from);
        Param_Obj to;
        read.Write(to, UserSettings::Heading);
        read.WriteCommandKeys(to);
        return to;
    };
    const Param_Obj once = roundTrip(written);
    if (roundTrip(once).Lines() != once.Lines())
        __builtin_trap();

    static TEP_Config config;
    config.ReadGeneralParams(file, TEP_Config::GeneralHeading);
    return 0;
}
