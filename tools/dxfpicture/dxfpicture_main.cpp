// lamina-dxf-picture IN.dxf OUT.png [SIZE]: the LINE, ARC and CIRCLE
// entities of a drawing, each layer in its own colour, fitted to a square.

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <map>
#include <numbers>

namespace {

class Entities : public DL_CreationAdapter
{
public:
    void addLine(const DL_LineData &d) override
    {
        QPainterPath &path = pathOf();
        path.moveTo(d.x1, -d.y1);
        path.lineTo(d.x2, -d.y2);
    }
    void addArc(const DL_ArcData &d) override
    {
        // y points down on the picture, so angles turn the other way.
        double sweep = d.angle2 - d.angle1;
        while (sweep <= 0)
            sweep += 360;
        const QRectF box(d.cx - d.radius, -d.cy - d.radius, 2 * d.radius, 2 * d.radius);
        QPainterPath &path = pathOf();
        path.arcMoveTo(box, d.angle1);
        path.arcTo(box, d.angle1, sweep);
    }
    void addCircle(const DL_CircleData &d) override
    {
        pathOf().addEllipse(QPointF(d.cx, -d.cy), d.radius, d.radius);
    }

    std::map<std::string, QPainterPath> layers;

private:
    QPainterPath &pathOf() { return layers[getAttributes().getLayer()]; }
};

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: lamina-dxf-picture IN.dxf OUT.png [SIZE]\n");
        return 2;
    }
    Entities entities;
    DL_Dxf dxf;
    if (!dxf.in(argv[1], &entities)) {
        std::fprintf(stderr, "lamina-dxf-picture: cannot read %s\n", argv[1]);
        return 1;
    }
    const int size = argc > 3 ? std::atoi(argv[3]) : 900;
    QRectF bounds;
    for (const auto &[name, path] : entities.layers)
        bounds = bounds.united(path.boundingRect());

    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = 0.94 * size / std::max(bounds.width(), bounds.height());
    painter.translate(size / 2.0, size / 2.0);
    painter.scale(scale, scale);
    painter.translate(-bounds.center());
    const QColor colours[] = {QColor(0, 90, 170), QColor(190, 40, 40), QColor(0, 130, 60), QColor(150, 90, 0),
                              QColor(120, 0, 140), QColor(0, 130, 140), QColor(90, 90, 90)};
    int k = 0;
    for (const auto &[name, path] : entities.layers) {
        QPen pen(colours[k++ % std::size(colours)], 1.6 / scale);
        painter.setPen(pen);
        painter.drawPath(path);
    }
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
