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
    const double dx = p.x() - cx;
    const double dy = (p.y() - cy) * rx / ry;
    return std::max(0.0, std::hypot(dx, dy) - rx);
}

} // namespace PlaneGeometry
