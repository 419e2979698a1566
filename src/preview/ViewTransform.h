#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

namespace lamina {

// How far a preview is zoomed and panned from the fitted view.
struct ViewState
{
    double zoom = 1;  // 1: the bounds just fit
    QPointF pan;      // device pixels
};

// Maps model millimetres (y up) into a device rectangle (y down): the bounds
// are centred and fill the rectangle as far as their aspect ratio allows,
// then the view's zoom scales about the rectangle's centre and its pan
// shifts the result. Empty bounds map the origin to the centre at scale 1.
QTransform fitTransform(const QRectF &bounds, const QRectF &target, const ViewState &view = {});

// The view zoomed by factor about a device point, which keeps the model
// point under it in place (the mouse-wheel zoom of a preview window).
ViewState zoomedAbout(const ViewState &view, double factor, QPointF devicePoint, const QRectF &target);

}  // namespace lamina
