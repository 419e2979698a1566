#include "SvgCanvas.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

QString num(double value)
{
    if (!std::isfinite(value))
        return u"0"_s;
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? u"0"_s : text;
}

QString point(QPointF p)
{
    return num(p.x()) + u' ' + num(p.y());
}

QString pathData(const QPainterPath &path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (!data.isEmpty())
            data += u' ';
        switch (e.type) {
        case QPainterPath::MoveToElement: data += u"M "_s + point(e); break;
        case QPainterPath::LineToElement: data += u"L "_s + point(e); break;
        case QPainterPath::CurveToElement:
            data += u"C "_s + point(e) + u' ' + point(path.elementAt(i + 1)) + u' '
                + point(path.elementAt(i + 2));
            i += 2;
            break;
        case QPainterPath::CurveToDataElement: break;  // consumed with its curve
        }
    }
    return data;
}

QString colourText(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

QString opacity(const QColor &colour, QStringView attribute)
{
    return colour.alpha() == 255 ? QString() : u" %1=\"%2\""_s.arg(attribute, num(colour.alphaF()));
}

QString dashes(Qt::PenStyle style, double width)
{
    const double w = std::max(width, 1.0);
    switch (style) {
    case Qt::DashLine: return u" stroke-dasharray=\"%1 %2\""_s.arg(num(4 * w), num(2 * w));
    case Qt::DotLine: return u" stroke-dasharray=\"%1 %2\""_s.arg(num(w), num(2 * w));
    case Qt::DashDotLine: return u" stroke-dasharray=\"%1 %2 %3 %2\""_s.arg(num(6 * w), num(2 * w), num(w));
    default: return QString();
    }
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

}  // namespace

SvgCanvas::SvgCanvas(QSize size)
    : size(size)
{}

void SvgCanvas::fill(const QPainterPath &path, const QColor &colour)
{
    body += u"<path d=\"%1\" fill=\"%2\"%3 fill-rule=\"evenodd\" stroke=\"none\"/>\n"_s.arg(
        pathData(path), colourText(colour), opacity(colour, u"fill-opacity"));
}

void SvgCanvas::stroke(const QPainterPath &path, const QColor &colour, double width, Qt::PenStyle style)
{
    body
        += u"<path d=\"%1\" fill=\"none\" stroke=\"%2\"%3 stroke-width=\"%4\"%5 stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"_s
               .arg(pathData(path), colourText(colour), opacity(colour, u"stroke-opacity"), num(width),
                    dashes(style, width));
}

void SvgCanvas::text(QPointF baseline, const QString &text, const QFont &font, const QColor &colour,
                     double angle)
{
    const QString turn = angle == 0
        ? QString()
        : u" transform=\"rotate(%1 %2 %3)\""_s.arg(num(angle), num(baseline.x()), num(baseline.y()));
    const QString weight = font.bold() ? u" font-weight=\"bold\""_s : QString();
    body
        += u"<text x=\"%1\" y=\"%2\" font-family=\"%3, sans-serif\" font-size=\"%4\"%5 fill=\"%6\"%7>%8</text>\n"_s
               .arg(num(baseline.x()), num(baseline.y()), escaped(font.family()), num(font.pixelSize()),
                    weight, colourText(colour), turn, escaped(text));
}

void SvgCanvas::pushClip(const QRectF &rect)
{
    const int id = ++clips;
    body
        += u"<defs><clipPath id=\"clip%1\"><rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"/></clipPath></defs>\n"_s
               .arg(id)
               .arg(num(rect.x()), num(rect.y()), num(rect.width()), num(rect.height()));
    body += u"<g clip-path=\"url(#clip%1)\">\n"_s.arg(id);
    ++openClips;
}

void SvgCanvas::popClip()
{
    if (openClips > 0) {
        body += u"</g>\n"_s;
        --openClips;
    }
}

QByteArray SvgCanvas::document() const
{
    QString svg = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"_s;
    svg += u"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"_s
               .arg(size.width())
               .arg(size.height());
    svg += u"<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n"_s.arg(size.width())
               .arg(size.height());
    svg += body;
    for (int i = 0; i < openClips; ++i)
        svg += u"</g>\n"_s;
    svg += u"</svg>\n"_s;
    return svg.toUtf8();
}

}  // namespace lamina
