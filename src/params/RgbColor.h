#pragma once

#include <QColor>
#include <QtGlobal>

// A colour as the stored files hold it: a 32-bit value with red in the low
// byte (0x0000FF is red, 0xFF0000 is blue). Values whose high byte is 0x80
// or 0xFF name a system colour by its index in the low byte; Resolved() turns
// them into the fixed RGB value this system gives that index.
class RgbColor {
public:
    constexpr RgbColor() = default;
    constexpr explicit RgbColor(quint32 value)
        : m_value(value)
    { }
    static constexpr RgbColor FromRgb(int red, int green, int blue)
    {
        return RgbColor(quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16);
    }
    static RgbColor FromQColor(const QColor& color);

    constexpr quint32 Value() const { return m_value; }
    // The value as the definition files write it (a signed decimal).
    constexpr qint32 Number() const { return qint32(m_value); }
    bool IsSystemColor() const;
    RgbColor Resolved() const;
    int Red() const { return int(Resolved().m_value & 0xFF); }
    int Green() const { return int(Resolved().m_value >> 8 & 0xFF); }
    int Blue() const { return int(Resolved().m_value >> 16 & 0xFF); }
    QColor ToQColor() const { return QColor(Red(), Green(), Blue()); }

    friend constexpr bool operator==(RgbColor a, RgbColor b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(RgbColor a, RgbColor b) { return a.m_value != b.m_value; }

private:
    quint32 m_value = 0;
};
