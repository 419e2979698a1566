#pragma once

#include "model/MotorModel.h"
#include "replay/Replay.h"

#include <QString>

#include <map>
#include <vector>

namespace lamina::replay {

// One part of the replayed model set against the same part of the design.
struct AreaMatch
{
    QString part;  // "BAR_2", "Wedge", "Statorcore" ... as the design names it
    QString partZh;
    std::vector<int> faces;
    double replayArea = 0;
    double designArea = 0;
    bool agrees = false;
};

struct DesignMatch
{
    std::vector<AreaMatch> areas;
    std::map<int, RegionKind> faceKinds;  // by face number: the part of the design each lies in
    std::vector<ReplayFinding> findings;  // every part or slot corner that disagrees
};

// Two areas or lengths agree within this share of the larger.
inline constexpr double designTolerance = 1e-9;

// Sets the replayed faces against the design's sector geometry and data:
// each bar against the rotor slot area, each wedge face against the stator
// opening-and-wedge area, and every face without a region (slot bodies,
// air-gap layers, cores, shaft, outer air, box) against the part of the
// design that holds a point inside it; then the first rotor and stator
// slot's named points against the geometry's corners. Where the script
// draws a slot shape the sector geometry does not build, nothing is
// compared: every part around the slot would disagree.
DesignMatch matchDesign(const ReplayResult &replay, const MotorModel &model);

}  // namespace lamina::replay
