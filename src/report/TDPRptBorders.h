#pragma once

#include "params/RgbColor.h"

#include <QList>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

// One border level of one side.
struct BorderLevel {
    enum Style { None = 0, Solid = 1, Transparent = 2 };
    int Style = None;
    int Width = 0; // document units, never negative
    int ScaledWidth = -1; // pixels
    int Offset = 0; // sum of the scaled widths of the levels inside it
    RgbColor Color;

    friend bool operator==(const BorderLevel&, const BorderLevel&) = default;
};

// The border levels of a rectangle item, for each side (1 top, 2 right,
// 3 bottom, 4 left), level 1 innermost. Every side has the same number of
// levels.
class TDPRptBorders {
public:
    enum Side { Top = 1, Right = 2, Bottom = 3, Left = 4 };
    static constexpr std::array<Side, 4> Sides = {Top, Right, Bottom, Left};
    // A level number above this is refused on reading: stored work never
    // holds more than a few, and a forged number must not allocate millions.
    static constexpr int MaxLevels = 64;

    int LevelCount() const { return int(m_sides[0].size()); }
    // Level number counted from 1.
    const BorderLevel& Level(Side side, int number) const { return m_sides[side - 1][number - 1]; }
    BorderLevel& Level(Side side, int number) { return m_sides[side - 1][number - 1]; }
    void EnsureLevels(int count);
    void Clear();
    float Scale() const { return m_scale; }
    // Recomputes scaled widths and offsets; a scale that is not a positive
    // number leaves them as they are.
    void SetScale(float scale);

    // "(BORDER:1,STYLE:SOLID,WIDTH:2,COLOR:0)" groups, one per level.
    void ReadSide(Side side, const QString& value);
    // Empty when the side has no styled level.
    QString SideText(Side side) const;
    static QString SideKey(Side side);

    // Bands of the solid levels inside rect, the outermost level at the edge.
    void Draw(QPainter& painter, const QRect& rect) const;

    friend bool operator==(const TDPRptBorders&, const TDPRptBorders&) = default;

private:
    std::array<QList<BorderLevel>, 4> m_sides;
    float m_scale = 1.0f;
};
