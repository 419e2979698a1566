#include "drawhelpers.h"

#include "outline.h"

#include <QFontMetricsF>
#include <QPainterPathStroker>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace lamina::pictures {
namespace {

constexpr double outlineWidth = 2.0;
constexpr double thinWidth = 1.0;
constexpr double arrowLength = 7.0;
constexpr double arrowHalfWidth = 2.3;
constexpr double arrowTail = 9.0;      // line beyond an outside arrow
constexpr double extensionGap = 2.0;   // gap between the part and its extension line
constexpr double extensionOver = 4.0;  // extension line beyond the dimension line
constexpr double labelGap = 4.0;
constexpr double clearance = 1.5;      // a label must keep this far from ink

QPointF unit(QPointF v)
{
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF();
}

// Centre of the pixel row or column v falls in: thin axis-aligned lines
// drawn there stay one sharp pixel wide instead of two grey ones.
double crisp(double v)
{
    return std::floor(v) + 0.5;
}

QString describe(const QString &text, const QRectF &box)
{
    return u"\"%1\" at (%2, %3, %4 x %5)"_s.arg(text)
        .arg(box.x(), 0, 'f', 1)
        .arg(box.y(), 0, 'f', 1)
        .arg(box.width(), 0, 'f', 1)
        .arg(box.height(), 0, 'f', 1);
}

} // namespace

Sheet::Sheet(int width, int height)
    : m_image(width, height, QImage::Format_RGB32)
{
    // Pixels, not points: the result must not depend on the screen this runs on.
    m_image.setDevicePixelRatio(1.0);
    m_image.setDotsPerMeterX(3780);
    m_image.setDotsPerMeterY(3780);
    m_image.fill(Qt::white);

    m_labelFont.setFamilies({u"Times New Roman"_s, u"Liberation Serif"_s, u"DejaVu Serif"_s});
    m_labelFont.setStyleHint(QFont::Serif);
    m_labelFont.setBold(true);
    m_labelFont.setPixelSize(18);

    m_captionFont.setFamilies({u"宋体"_s, u"SimSun"_s, u"Noto Serif CJK SC"_s,
                               u"Noto Sans CJK SC"_s});
    m_captionFont.setPixelSize(13);

    // Left to itself Qt hints glyphs only when the screen is not scaled,
    // which would make the pictures depend on the machine's display settings.
    m_labelFont.setHintingPreference(QFont::PreferNoHinting);
    m_captionFont.setHintingPreference(QFont::PreferNoHinting);

    m_painter.begin(&m_image);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
}

void Sheet::stroke(const QPainterPath &path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    m_ink.push_back(stroker.createStroke(path));
}

void Sheet::outline(const QPainterPath &path)
{
    m_painter.setPen(QPen(Qt::black, outlineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
    stroke(path, outlineWidth);
}

void Sheet::thin(const QPainterPath &path, Qt::PenStyle style)
{
    QPen pen(Qt::black, thinWidth, style, Qt::FlatCap);
    if (style == Qt::DashLine)
        pen.setDashPattern({4.0, 3.0});
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
    stroke(path, thinWidth);
}

void Sheet::centreMark(QPointF centre)
{
    QPainterPath cross;
    cross.moveTo(centre + QPointF(-3, 0));
    cross.lineTo(centre + QPointF(3, 0));
    cross.moveTo(centre + QPointF(0, -3));
    cross.lineTo(centre + QPointF(0, 3));
    thin(cross);
}

void Sheet::arrow(QPointF tip, QPointF towards)
{
    const QPointF d = unit(tip - towards);
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * arrowLength;
    QPainterPath head;
    head.addPolygon(QPolygonF({tip, base + n * arrowHalfWidth, base - n * arrowHalfWidth}));
    head.closeSubpath();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::black);
    m_painter.drawPath(head);
    m_painter.setBrush(Qt::NoBrush);
    m_ink.push_back(head);
}

void Sheet::extension(QPointF from, QPointF to)
{
    const QPointF d = unit(to - from);
    if (QLineF(from, to).length() <= extensionGap + 1)
        return;  // the part already touches the dimension line
    QPainterPath line;
    line.moveTo(from + d * extensionGap);
    line.lineTo(to + d * extensionOver);
    thin(line);
}

void Sheet::dimLine(QPointF a, QPointF b, bool arrowsOutside)
{
    const QPointF d = unit(b - a);
    QPainterPath line;
    if (arrowsOutside) {
        line.moveTo(a - d * (arrowLength + arrowTail));
        line.lineTo(b + d * (arrowLength + arrowTail));
        thin(line);
        arrow(a, a - d);
        arrow(b, b + d);
    } else {
        line.moveTo(a);
        line.lineTo(b);
        thin(line);
        arrow(a, b);
        arrow(b, a);
    }
}

void Sheet::label(const QString &text, QPointF anchor, Side side, QPointF nudge)
{
    const QSizeF size = QFontMetricsF(m_labelFont, &m_image).tightBoundingRect(text).size();
    QRectF box(QPointF(), size);
    box.moveCenter(anchor);
    QPointF step;
    switch (side) {
    case Side::Above:
        box.moveBottom(anchor.y() - labelGap);
        step = {0, -0.5};
        break;
    case Side::Below:
        box.moveTop(anchor.y() + labelGap);
        step = {0, 0.5};
        break;
    case Side::Left:
        box.moveRight(anchor.x() - labelGap);
        step = {-0.5, 0};
        break;
    case Side::Right:
        box.moveLeft(anchor.x() + labelGap);
        step = {0.5, 0};
        break;
    }
    m_labels.push_back({text, &m_labelFont, box.translated(nudge), step});
}

bool Sheet::touchesInk(const QRectF &box) const
{
    const QRectF padded = box.adjusted(-clearance, -clearance, clearance, clearance);
    return std::any_of(m_ink.begin(), m_ink.end(),
                       [&](const QPainterPath &ink) { return ink.intersects(padded); });
}

void Sheet::horizontal(QPointF a, QPointF b, double y, const QString &label, Side side,
                       QPointF nudge)
{
    if (a.x() > b.x())
        std::swap(a, b);
    y = crisp(y);
    a.setX(crisp(a.x()));
    b.setX(crisp(b.x()));
    const QPointF la(a.x(), y);
    const QPointF lb(b.x(), y);
    extension(a, la);
    extension(b, lb);
    const bool outside = b.x() - a.x() < 2 * arrowLength + 4;
    dimLine(la, lb, outside);

    const double beyond = outside ? arrowLength + arrowTail : 0.0;
    QPointF anchor((a.x() + b.x()) / 2, y);
    if (side == Side::Left)
        anchor.setX(a.x() - beyond);
    else if (side == Side::Right)
        anchor.setX(b.x() + beyond);
    this->label(label, anchor, side, nudge);
}

void Sheet::vertical(QPointF a, QPointF b, double x, const QString &label, Side side,
                     QPointF nudge)
{
    if (a.y() > b.y())
        std::swap(a, b);
    x = crisp(x);
    a.setY(crisp(a.y()));
    b.setY(crisp(b.y()));
    const QPointF la(x, a.y());
    const QPointF lb(x, b.y());
    extension(a, la);
    extension(b, lb);
    const bool outside = b.y() - a.y() < 2 * arrowLength + 4;
    dimLine(la, lb, outside);

    const double beyond = outside ? arrowLength + arrowTail : 0.0;
    QPointF anchor(x, (a.y() + b.y()) / 2);
    if (side == Side::Above)
        anchor.setY(a.y() - beyond);
    else if (side == Side::Below)
        anchor.setY(b.y() + beyond);
    this->label(label, anchor, side, nudge);
}

void Sheet::radius(QPointF centre, double r, double angleDeg, const QString &label, Side side,
                   QPointF nudge)
{
    const QPointF tip = onCircle(centre, r, angleDeg);
    QPainterPath leader;
    leader.moveTo(centre);
    leader.lineTo(tip);
    thin(leader);
    arrow(tip, centre);
    centreMark(centre);
    this->label(label, (centre + tip) / 2, side, nudge);
}

void Sheet::caption(const QString &text)
{
    const QSizeF size = QFontMetricsF(m_captionFont, &m_image).tightBoundingRect(text).size();
    QRectF box(QPointF(), size);
    box.moveCenter(QPointF(width() / 2.0, 0));
    box.moveBottom(height() - 6.0);
    m_labels.push_back({text, &m_captionFont, box, {}});
}

void Sheet::placeLabels()
{
    const QRectF inside = QRectF(m_image.rect()).adjusted(2, 2, -2, -2);
    std::vector<QRectF> placed;
    for (Label &l : m_labels) {
        auto blocked = [&] {
            const QRectF padded = l.box.adjusted(-clearance, -clearance, clearance, clearance);
            return touchesInk(l.box)
                || std::any_of(placed.begin(), placed.end(),
                               [&](const QRectF &other) { return other.intersects(padded); });
        };
        // Slide away from the line until clear: leaders and extension lines
        // of neighbouring dimensions often pass close to where a label wants
        // to go. Give up after a short way rather than drift off.
        for (int i = 0; i < 60 && !l.step.isNull() && blocked(); ++i)
            l.box.translate(l.step);

        if (!inside.contains(l.box))
            m_problems << u"label %1 leaves the picture"_s.arg(describe(l.text, l.box));
        else if (blocked())
            m_problems << u"label %1 collides"_s.arg(describe(l.text, l.box));

        const QRectF tight = QFontMetricsF(*l.font, &m_image).tightBoundingRect(l.text);
        m_painter.setFont(*l.font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(l.box.topLeft() - tight.topLeft(), l.text);
        placed.push_back(l.box);
    }
}

QImage Sheet::finish()
{
    if (m_painter.isActive()) {
        placeLabels();
        m_painter.end();
    }
    return m_image;
}

} // namespace lamina::pictures
