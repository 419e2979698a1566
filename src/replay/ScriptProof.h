#pragma once

#include "geometry/DesignChecks.h"
#include "model/MotorModel.h"

#include <QByteArray>

#include <vector>

namespace lamina {

// A script about to be saved, with what its replay found in it.
struct ProvenScript
{
    QByteArray bytes;
    // Each replay finding as a warning naming the script line; the caller
    // shows them with the design checks, and under --strict refuses to save.
    std::vector<Finding> findings;
};

// The one way a script goes from a model to the bytes that are saved: it is
// written (throwing as writeScript does) and replayed in memory.
ProvenScript provenScript(const MotorModel &model);

}  // namespace lamina
