#pragma once

#include <QWidget>

namespace lamina {

// A frame filled with its background colour, with a thin border whose top
// line runs through the middle of the caption, as classic frames look.
// Children are placed relative to the frame's own top-left corner.
class CaptionFrame : public QWidget
{
    Q_OBJECT

public:
    CaptionFrame(QString caption, QWidget *parent = nullptr);

    QString caption() const { return text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString text;
};

}  // namespace lamina
