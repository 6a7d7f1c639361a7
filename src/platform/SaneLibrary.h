#pragma once

#include <QLibrary>
#include <QString>

#include <sane/sane.h>

// The SANE library, loaded when scanning is first asked for: a computer
// without it still runs the program, and scanning then says what is
// missing. Only the entry points are taken from the library; its header
// gives their types.
class SaneLibrary {
public:
    // The library's file name without "lib" and ".so", and its major version.
    explicit SaneLibrary(const QString& name = QStringLiteral("sane"), int version = 1);
    SaneLibrary(const SaneLibrary&) = delete;
    SaneLibrary& operator=(const SaneLibrary&) = delete;

    // Loads the library once; false with the French message when it or one
    // of its entry points is missing.
    bool Load(QString* message = nullptr);
    bool IsLoaded() const { return m_loaded; }

    // What the selection screen shows when scanning cannot work.
    static QString MissingMessage();

    decltype(&::sane_init) init = nullptr;
    decltype(&::sane_exit) exit = nullptr;
    decltype(&::sane_get_devices) getDevices = nullptr;
    decltype(&::sane_open) open = nullptr;
    decltype(&::sane_close) close = nullptr;
    decltype(&::sane_get_option_descriptor) getOptionDescriptor = nullptr;
    decltype(&::sane_control_option) controlOption = nullptr;
    decltype(&::sane_get_parameters) getParameters = nullptr;
    decltype(&::sane_start) start = nullptr;
    decltype(&::sane_read) read = nullptr;
    decltype(&::sane_cancel) cancel = nullptr;

private:
    template <typename Function> bool Resolve(Function& function, const char* symbol);

    QLibrary m_library;
    bool m_loaded = false;
};
