#include "HelpPictures.h"

#include "app/MainWindow.h"
#include "geometry/SectorGeometry.h"
#include "preview/SectorRenderer.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace helppictures {
namespace {

const QColor paper(248, 250, 252);
const QColor ink(40, 44, 52);
const QColor accent(220, 40, 40);
const QColor windowBlue(52, 101, 164);

QImage canvas()
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(paper);
    return image;
}

QFont uiFont(int pixelSize, bool bold = false)
{
    QFont f;
    f.setFamilies({u"Noto Sans CJK SC"_s, u"DejaVu Sans"_s});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The window scaled to the picture's width, and where it landed.
struct Placed
{
    QImage image;
    QRectF target;
    double scale;
};

Placed placeWindow(lamina::MainWindow &window)
{
    window.show();
    const QImage shot = window.grab().toImage();
    QImage image = canvas();
    const double scale = std::min(double(width) / shot.width(), double(height) / shot.height());
    const QSizeF size(shot.width() * scale, shot.height() * scale);
    const QRectF target(QPointF((width - size.width()) / 2, (height - size.height()) / 2), size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, shot);
    return {image, target, scale};
}

void callout(QPainter &painter, const QRectF &around, const QPointF &labelAt, const QString &text)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(accent, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(around.adjusted(-4, -3, 4, 3), 5, 5);

    painter.setFont(uiFont(18, true));
    const QRectF box = QRectF(painter.fontMetrics().boundingRect(text)).adjusted(-10, -6, 10, 6).translated(labelAt);
    painter.setPen(QPen(accent, 2));
    painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(around.right() + 4, around.center().y()));
    painter.setBrush(QColor(255, 250, 220));
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, text);
}

// A plain application window frame with a title bar.
QRectF windowFrame(QPainter &painter, const QRectF &frame, const QString &title)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 130, 140), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(frame, 6, 6);
    const QRectF bar(frame.left(), frame.top(), frame.width(), 30);
    QPainterPath barPath;
    barPath.setFillRule(Qt::WindingFill);
    barPath.addRoundedRect(bar, 6, 6);
    barPath.addRect(bar.adjusted(0, 15, 0, 0));
    painter.fillPath(barPath.simplified(), windowBlue);
    painter.setPen(Qt::white);
    painter.setFont(uiFont(15, true));
    painter.drawText(bar.adjusted(12, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    return frame.adjusted(0, 30, 0, 0);
}

void fileIcon(QPainter &painter, const QPointF &topLeft, const QString &name)
{
    const QRectF page(topLeft, QSizeF(54, 68));
    QPainterPath path;
    path.moveTo(page.topLeft());
    path.lineTo(page.right() - 16, page.top());
    path.lineTo(page.right(), page.top() + 16);
    path.lineTo(page.bottomRight());
    path.lineTo(page.bottomLeft());
    path.closeSubpath();
    painter.setPen(QPen(ink, 2));
    painter.setBrush(Qt::white);
    painter.drawPath(path);
    painter.drawLine(QPointF(page.right() - 16, page.top()), QPointF(page.right() - 16, page.top() + 16));
    painter.drawLine(QPointF(page.right() - 16, page.top() + 16), QPointF(page.right(), page.top() + 16));
    painter.setFont(uiFont(13, true));
    painter.setPen(windowBlue);
    painter.drawText(page.adjusted(0, 24, 0, 0), Qt::AlignHCenter | Qt::AlignTop, u".py"_s);
    painter.setPen(ink);
    painter.setFont(uiFont(14));
    painter.drawText(QRectF(page.left() - 40, page.bottom() + 4, page.width() + 80, 22),
                     Qt::AlignHCenter | Qt::AlignTop, name);
}

void folderIcon(QPainter &painter, const QRectF &body, const QString &name)
{
    painter.setPen(QPen(QColor(170, 120, 20), 2));
    painter.setBrush(QColor(250, 210, 110));
    QPainterPath tab;
    tab.addRoundedRect(QRectF(body.left(), body.top() - 12, body.width() * 0.4, 20), 4, 4);
    painter.drawPath(tab);
    painter.drawRoundedRect(body, 6, 6);
    painter.setPen(ink);
    painter.setFont(uiFont(15));
    painter.drawText(QRectF(body.left() - 60, body.bottom() + 6, body.width() + 120, 24),
                     Qt::AlignHCenter | Qt::AlignTop, name);
}

void arrow(QPainter &painter, const QPointF &from, const QPointF &to)
{
    painter.setPen(QPen(accent, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    QPolygonF head;
    head << to << to - QPointF(std::cos(angle - 0.45) * 16, std::sin(angle - 0.45) * 16)
         << to - QPointF(std::cos(angle + 0.45) * 16, std::sin(angle + 0.45) * 16);
    painter.setBrush(accent);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(head);
}

// A plain grey button face of an application window.
void plainButton(QPainter &painter, const QRectF &face, double penWidth, double radius)
{
    painter.setPen(QPen(QColor(150, 160, 170), penWidth));
    painter.setBrush(QColor(236, 240, 245));
    painter.drawRoundedRect(face, radius, radius);
}

void heading(QPainter &painter, const QString &text)
{
    painter.setPen(ink);
    painter.setFont(uiFont(22, true));
    painter.drawText(QRectF(0, 14, width, 34), Qt::AlignCenter, text);
}

} // namespace

void fillIn(lamina::MainWindow &window)
{
    const auto pickFirst = [&window](QStringView name, int index) {
        QComboBox *combo = window.comboBox(name);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    };
    pickFirst(u"k2Combo1", 0);
    pickFirst(u"k4Combo3", 0);
    pickFirst(u"Combo1", 0);
    pickFirst(u"Combo2", 1);
}

QImage filledInWindow(lamina::MainWindow &window)
{
    return placeWindow(window).image;
}

QImage createCommandHighlighted(lamina::MainWindow &window)
{
    Placed placed = placeWindow(window);
    const QAction *create = window.findChild<QAction *>(u"create_py"_s);
    const QRect inBar = window.menuBar()->actionGeometry(const_cast<QAction *>(create));
    const QPoint inWindow = window.menuBar()->mapTo(&window, inBar.topLeft());
    const QRectF around(placed.target.left() + inWindow.x() * placed.scale,
                        placed.target.top() + inWindow.y() * placed.scale, inBar.width() * placed.scale,
                        inBar.height() * placed.scale);
    QPainter painter(&placed.image);
    callout(painter, around, QPointF(around.right() + 90, around.center().y() + 70), u"点击“创建py文件”"_s);
    return placed.image;
}

QImage copyIntoProjectFolder()
{
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    heading(painter, u"把生成的 .py 命令文件复制到 FLUX2D 工程文件夹"_s);

    const QRectF source = windowFrame(painter, QRectF(40, 110, 300, 300), u"Lamina\\Projects"_s);
    fileIcon(painter, QPointF(source.center().x() - 27, source.top() + 80), u"motor.py"_s);
    const QRectF target = windowFrame(painter, QRectF(460, 110, 300, 300), u"D:\\FLUX2D\\motor_project"_s);
    folderIcon(painter, QRectF(target.left() + 40, target.top() + 60, 90, 64), u"motor_project"_s);
    fileIcon(painter, QPointF(target.left() + 190, target.top() + 56), u"motor.py"_s);
    arrow(painter, QPointF(source.center().x() + 50, source.top() + 114), QPointF(target.left() + 180, target.top() + 90));

    painter.setPen(ink);
    painter.setFont(uiFont(17));
    painter.drawText(QRectF(40, 440, 720, 80), Qt::AlignCenter | Qt::TextWordWrap,
                     u"文件夹路径中不要有中文目录名"_s);
    return image;
}

QImage startNewProject()
{
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    heading(painter, u"启动 FLUX2D，新建工程"_s);
    const QRectF client = windowFrame(painter, QRectF(90, 70, 620, 440), u"FLUX2D"_s);

    const QStringList entries{u"start a new project"_s, u"open a project"_s, u"run a command file"_s};
    for (int i = 0; i < entries.size(); ++i) {
        const QRectF button(client.left() + 170, client.top() + 70 + i * 90, 280, 56);
        plainButton(painter, button, 1.5, 8);
        painter.setPen(ink);
        painter.setFont(uiFont(18, i == 0));
        painter.drawText(button, Qt::AlignCenter, entries[i]);
        if (i == 0) {
            painter.setPen(QPen(accent, 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(button.adjusted(-6, -6, 6, 6), 10, 10);
        }
    }
    return image;
}

QImage runCommandFile()
{
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    heading(painter, u"用工具栏的命令文件按钮执行 motor.py"_s);
    const QRectF client = windowFrame(painter, QRectF(60, 70, 680, 460), u"FLUX2D"_s);

    // A toolbar of plain buttons; the command-file button is marked.
    for (int i = 0; i < 8; ++i) {
        const QRectF button(client.left() + 14 + i * 46, client.top() + 10, 38, 34);
        plainButton(painter, button, 1, 4);
        if (i == 5) {
            painter.setPen(windowBlue);
            painter.setFont(uiFont(12, true));
            painter.drawText(button, Qt::AlignCenter, u".py"_s);
            painter.setPen(QPen(accent, 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(button.adjusted(-4, -4, 4, 4), 6, 6);
        }
    }

    const QRectF dialog = windowFrame(painter, QRectF(client.left() + 150, client.top() + 90, 380, 250),
                                      u"Command file"_s);
    const QStringList files{u"motor.py"_s, u"..."_s};
    for (int i = 0; i < files.size(); ++i) {
        const QRectF row(dialog.left() + 16, dialog.top() + 20 + i * 34, dialog.width() - 32, 30);
        if (i == 0)
            painter.fillRect(row, QColor(210, 228, 250));
        painter.setPen(ink);
        painter.setFont(uiFont(16));
        painter.drawText(row.adjusted(10, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, files[i]);
    }
    const QRectF ok(dialog.right() - 110, dialog.bottom() - 52, 90, 34);
    plainButton(painter, ok, 1, 5);
    painter.setPen(ink);
    painter.drawText(ok, Qt::AlignCenter, u"OK"_s);
    return image;
}

QImage resultingModel(const lamina::MotorModel &model)
{
    QImage image = canvas();
    QPainter painter(&image);
    heading(painter, u"结果查看：默认电机的一个周期扇区"_s);
    const QRectF area(10, 54, width - 20, height - 60);
    painter.fillRect(area, Qt::white);
    lamina::drawSector(painter, area, lamina::buildSectorGeometry(model));
    return image;
}

} // namespace helppictures
