#include "SaneOptions.h"

#include "SaneLibrary.h"
#include "params/Numbers.h"

#include <QByteArray>
#include <QString>
#include <cstring>
#include <sane/saneopts.h>

namespace {

// The entry of a mode list that means colour: "Color" first, else a
// colour mode that is not a line-art or halftone one.
const char* ColourEntry(const SANE_String_Const* entries)
{
    const char* found = nullptr;
    for (; entries && *entries; ++entries) {
        const QString entry = QString::fromUtf8(*entries).toLower();
        if (entry == QLatin1String("color"))
            return *entries;
        const bool colour = entry.contains(QLatin1String("color")) || entry.contains(QLatin1String("colour"));
        const bool reduced = entry.contains(QLatin1String("lineart")) || entry.contains(QLatin1String("halftone"));
        if (!found && colour && !reduced)
            found = *entries;
    }
    return found;
}

} // namespace

SaneOptions::SaneOptions(const SaneLibrary& library, SANE_Handle handle)
    : m_library(library)
    , m_handle(handle)
{ }

int SaneOptions::Find(const char* name) const
{
    SANE_Int count = 0;
    if (m_library.controlOption(m_handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, i);
        if (option && option->name && std::strcmp(option->name, name) == 0)
            return SANE_OPTION_IS_ACTIVE(option->cap) ? i : -1;
    }
    return -1;
}

bool SaneOptions::SelectColour()
{
    const int index = Find(SANE_NAME_SCAN_MODE);
    if (index < 0)
        return true;
    const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, index);
    if (option->type != SANE_TYPE_STRING || option->constraint_type != SANE_CONSTRAINT_STRING_LIST
        || !SANE_OPTION_IS_SETTABLE(option->cap))
        return true;
    const char* colour = ColourEntry(option->constraint.string_list);
    if (!colour)
        return true;
    QByteArray value(qMax<int>(option->size, int(std::strlen(colour)) + 1), '\0');
    std::memcpy(value.data(), colour, std::strlen(colour));
    return m_library.controlOption(m_handle, index, SANE_ACTION_SET_VALUE, value.data(), nullptr) == SANE_STATUS_GOOD;
}

int SaneOptions::ReadResolution(const char* name) const
{
    const int index = Find(name);
    if (index < 0)
        return 0;
    const SANE_Option_Descriptor* option = m_library.getOptionDescriptor(m_handle, index);
    if ((option->type != SANE_TYPE_INT && option->type != SANE_TYPE_FIXED) || option->size < int(sizeof(SANE_Word)))
        return 0;
    QByteArray value(option->size, '\0');
    if (m_library.controlOption(m_handle, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) != SANE_STATUS_GOOD)
        return 0;
    SANE_Word word;
    std::memcpy(&word, value.constData(), sizeof word);
    const int dotsPerInch = option->type == SANE_TYPE_FIXED ? RoundHalfEven(SANE_UNFIX(word)) : int(word);
    return dotsPerInch > 0 ? dotsPerInch : 0;
}

int SaneOptions::HorizontalResolution() const
{
    const int x = ReadResolution(SANE_NAME_SCAN_X_RESOLUTION);
    return x > 0 ? x : ReadResolution(SANE_NAME_SCAN_RESOLUTION);
}

int SaneOptions::VerticalResolution() const
{
    const int y = ReadResolution(SANE_NAME_SCAN_Y_RESOLUTION);
    return y > 0 ? y : ReadResolution(SANE_NAME_SCAN_RESOLUTION);
}
