#pragma once

#include <QWidget>

namespace lamina {

// Window layouts are given in twips (1/1440 inch): 15 to a pixel at 96 dpi.
constexpr int pixels(int twips)
{
    return (twips + 7) / 15;
}

inline void placeInTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

}  // namespace lamina
