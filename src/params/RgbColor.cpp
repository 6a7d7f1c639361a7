#include "RgbColor.h"

#include <array>

namespace {

// The RGB values given to the system colour indexes (0xRRGGBB), those of a
// default desktop theme, so that old files naming them draw the same on
// every machine.
constexpr std::array<quint32, 31> kSystemColors = {
    0xC8C8C8,
    0x000000,
    0x99B4D1,
    0xBFCDDB,
    0xF0F0F0,
    0xFFFFFF,
    0x646464,
    0x000000,
    0x000000,
    0x000000,
    0xB4B4B4,
    0xF4F7FC,
    0xABABAB,
    0x0078D7,
    0xFFFFFF,
    0xF0F0F0,
    0xA0A0A0,
    0x6D6D6D,
    0x000000,
    0x000000,
    0xFFFFFF,
    0x696969,
    0xE3E3E3,
    0x000000,
    0xFFFFE1,
    0x000000,
    0x0066CC,
    0xB9D1EA,
    0xD7E4F2,
    0x3399FF,
    0xF0F0F0,
};

} // namespace

RgbColor RgbColor::FromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return FromRgb(rgb.red(), rgb.green(), rgb.blue());
}

bool RgbColor::IsSystemColor() const
{
    const quint32 high = m_value >> 24;
    return high == 0x80 || high == 0xFF;
}

RgbColor RgbColor::Resolved() const
{
    if (!IsSystemColor())
        return RgbColor(m_value & 0xFFFFFF);
    const quint32 index = m_value & 0xFF;
    const quint32 rgb = index < kSystemColors.size() ? kSystemColors[index] : 0;
    return FromRgb(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
}
