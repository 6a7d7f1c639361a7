#include "SaneLibrary.h"

#include <csignal>

SaneLibrary::SaneLibrary(const QString& name, int version)
    : m_library(name, version)
{ }

QString SaneLibrary::MissingMessage()
{
    return QStringLiteral("La librairie SANE n'est pas installée sur votre ordinateur.");
}

template <typename Function> bool SaneLibrary::Resolve(Function& function, const char* symbol)
{
    function = reinterpret_cast<Function>(m_library.resolve(symbol));
    return function != nullptr;
}

bool SaneLibrary::Load(QString* message)
{
    if (m_loaded)
        return true;
    const bool resolved = m_library.load() && Resolve(init, "sane_init") && Resolve(exit, "sane_exit")
        && Resolve(getDevices, "sane_get_devices") && Resolve(open, "sane_open") && Resolve(close, "sane_close")
        && Resolve(getOptionDescriptor, "sane_get_option_descriptor") && Resolve(controlOption, "sane_control_option")
        && Resolve(getParameters, "sane_get_parameters") && Resolve(start, "sane_start") && Resolve(read, "sane_read")
        && Resolve(cancel, "sane_cancel");
    if (!resolved) {
        if (message)
            *message = MissingMessage();
        return false;
    }
    // Backends pass the image through pipes from reader threads or
    // processes; one still writing after a cancel or an error must not end
    // the program with SIGPIPE (the write fails with EPIPE instead).
    std::signal(SIGPIPE, SIG_IGN);
    m_loaded = true;
    return true;
}
