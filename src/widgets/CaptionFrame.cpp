#include "CaptionFrame.h"

#include <QPainter>

namespace lamina {

CaptionFrame::CaptionFrame(QString caption, QWidget *parent)
    : QWidget(parent)
    , text(std::move(caption))
{}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    const QColor background = palette().color(QPalette::Window);

    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(QRect(0, lineY, width() - 1, height() - lineY - 1));
    painter.setPen(QColor(255, 255, 255));
    painter.drawRect(QRect(1, lineY + 1, width() - 3, height() - lineY - 3));

    if (text.isEmpty())
        return;
    const QRect captionRect(8, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    painter.fillRect(captionRect, background);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionRect, Qt::AlignCenter, text);
}

}  // namespace lamina
