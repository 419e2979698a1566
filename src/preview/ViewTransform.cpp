#include "ViewTransform.h"

#include <cmath>

namespace lamina {

QTransform fitTransform(const QRectF &bounds, const QRectF &target, const ViewState &view)
{
    double scale = 1;
    QPointF centre;
    if (bounds.width() > 0 && bounds.height() > 0) {
        scale = std::min(target.width() / bounds.width(), target.height() / bounds.height());
        centre = bounds.center();
    }
    if (!std::isfinite(scale) || scale <= 0)
        scale = 1;
    scale *= view.zoom;
    const QPointF anchor = target.center() + view.pan;
    return QTransform(scale, 0, 0, -scale, anchor.x() - scale * centre.x(), anchor.y() + scale * centre.y());
}

ViewState zoomedAbout(const ViewState &view, double factor, QPointF devicePoint, const QRectF &target)
{
    // The offset of the point from the zoom anchor grows by the factor, so
    // the pan takes up the difference.
    const QPointF fromAnchor = devicePoint - target.center() - view.pan;
    return ViewState{view.zoom * factor, devicePoint - target.center() - factor * fromAnchor};
}

}  // namespace lamina
