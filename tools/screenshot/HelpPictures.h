#pragma once

#include <QImage>
#include <QString>

#include "model/MotorModel.h"

namespace lamina {
class MainWindow;
}

// The six step pictures of the illustrated help, 800 × 568 each.
namespace helppictures {

inline constexpr int width = 800;
inline constexpr int height = 568;

QImage filledInWindow(lamina::MainWindow &window);           // step 1
QImage createCommandHighlighted(lamina::MainWindow &window);  // step 2
QImage copyIntoProjectFolder();                              // step 3
QImage startNewProject();                                    // step 4
QImage runCommandFile();                                     // step 5
QImage resultingModel(const lamina::MotorModel &model);      // step 6

// Fills in the window the way the pictures show it: both slot types, the
// odd-symmetric period and version 11.2 picked.
void fillIn(lamina::MainWindow &window);

} // namespace helppictures
