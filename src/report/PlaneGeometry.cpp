#include "PlaneGeometry.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

namespace PlaneGeometry {

double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    if (lengthSquared == 0)
        return QLineF(p, a).length();
    const double t = std::clamp(QPointF::dotProduct(p - a, ab) / lengthSquared, 0.0, 1.0);
    return QLineF(p, a + t * ab).length();
}

double DistanceToEllipse(QPointF p, const QRect& bounds)
{
    const double cx = (bounds.left() + bounds.right()) / 2.0;
    const double cy = (bounds.top() + bounds.bottom()) / 2.0;
    const double rx = (bounds.right() - bounds.left()) / 2.0;
    const double ry = (bounds.bottom() - bounds.top()) / 2.0;
    if (rx <= 0 || ry <= 0)
        return DistanceToSegment(p, bounds.topLeft(), bounds.bottomRight());
    // The outline point in the point's direction is the centre plus the
    // offset times k, where the offset scaled by the radii has length 1/k.
    // The distance to it is measured in pixels: the editor's "under 10
    // pixels" rule must hold across a flat ellipse as across a round one.
    const double dx = p.x() - cx;
    const double dy = p.y() - cy;
    const double reach = std::hypot(dx / rx, dy / ry);
    if (reach <= 1)
        return 0;
    return std::hypot(dx, dy) * (1 - 1 / reach);
}

} // namespace PlaneGeometry
