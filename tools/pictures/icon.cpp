#include "outline.h"
#include "slotdrawings.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace lamina::pictures {
namespace {

constexpr int iconSize = 48;

// Drawn at four times the size and scaled down: small round shapes come out
// cleaner than when antialiased directly at 48 pixels.
constexpr int work = iconSize * 4;

QPainterPath circle(QPointF centre, double r)
{
    QPainterPath p;
    p.addEllipse(centre, r, r);
    return p;
}

} // namespace

QImage paintIcon()
{
    const QPointF c(work / 2.0, work / 2.0);
    const double outer = 92, bore = 56, rotor = 50, shaft = 12;
    const int statorSlots = 12, rotorBars = 10;

    // Stator lamination: a ring with slots opening onto the bore.
    QPainterPath stator = circle(c, outer).subtracted(circle(c, bore));
    QPainterPath slot;
    slot.addRoundedRect(QRectF(-7, -(bore + 26), 14, 28), 6, 6);
    slot.addRect(QRectF(-2.5, -(bore + 2), 5, 6));  // the mouth
    QPainterPath coil;  // the winding in the slot, short of the mouth
    coil.addRoundedRect(QRectF(-4, -(bore + 23), 8, 20), 3.5, 3.5);
    QPainterPath coils;
    for (int i = 0; i < statorSlots; ++i) {
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(360.0 * i / statorSlots);
        stator = stator.subtracted(t.map(slot));
        coils.addPath(t.map(coil));
    }

    QPainterPath rotorDisc = circle(c, rotor).subtracted(circle(c, shaft));
    QPainterPath bars;
    for (int i = 0; i < rotorBars; ++i)
        bars.addPath(circle(onCircle(c, rotor - 11, 90.0 + 360.0 * i / rotorBars), 6.5));
    bars.addPath(coils);
    rotorDisc = rotorDisc.subtracted(bars);

    QImage big(work, work, QImage::Format_ARGB32_Premultiplied);
    big.setDevicePixelRatio(1.0);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor steel(0x3d, 0x5a, 0x80);
    const QColor copper(0xd9, 0x82, 0x2b);
    p.setPen(QPen(steel.darker(140), 4));
    p.setBrush(steel);
    p.drawPath(stator);
    p.setBrush(steel.lighter(135));
    p.drawPath(rotorDisc);
    p.setPen(Qt::NoPen);
    p.setBrush(copper);
    p.drawPath(bars);
    p.end();

    QImage icon = big.scaled(iconSize, iconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    icon.setDevicePixelRatio(1.0);
    return icon;
}

} // namespace lamina::pictures
