#pragma once

#include <QPoint>
#include <QRect>

// Distances in pixels used to pick items under the pointer.
namespace PlaneGeometry {

// Distance from p to the segment a-b: the projection is clamped to the ends.
double DistanceToSegment(QPointF p, QPointF a, QPointF b);

// Distance from p to the outline of the ellipse inscribed in the rectangle
// (left, top) - (right, bottom), in pixels, to the outline point in p's
// direction from the centre; 0 inside.
double DistanceToEllipse(QPointF p, const QRect& bounds);

} // namespace PlaneGeometry
