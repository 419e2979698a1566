#pragma once

#include "Replay.h"

#include <vector>

namespace lamina::replay {

// A closed rotor slot is a hole in the rotor core, and the iron over it (the
// bridge) must mesh in at least two element layers. The aided mesh never
// makes an element edge longer than the line it lies on, so the script draws
// both sides of the bridge, wherever it is thinner than twice its thinnest
// thickness t, in lines whose part there is at most t/2 long. This finds
// every hole holding a bar whose bridge is drawn coarser: one finding per
// hole, naming the thickness and the longest such line.
std::vector<ReplayFinding> coarseBridges(const std::vector<ReplayFace> &faces);

}  // namespace lamina::replay
