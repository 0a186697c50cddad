// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/centre_line.h"
#include "model/model_failure.h"

#include <TopoDS_Shape.hxx>
#include <optional>

namespace hspring {

// The spring as one solid: a circle of the wire's diameter swept along the centre line, closed
// by its two cut faces, mirrored for a left-handed spring. Throws ModelFailed when the sweep
// fails.
TopoDS_Shape springSolid(const SpringCentreLine& line);

// Why the shape is not the spring's solid, or nothing: it must pass OpenCASCADE's own check, be
// exactly one solid, and hold the wire's volume (π·d²/4 × the centre line's length) within 1 %.
std::optional<ModelFailure> solidProblem(const TopoDS_Shape& shape, const SpringCentreLine& line);

int solidCount(const TopoDS_Shape& shape);
double solidVolume(const TopoDS_Shape& shape);

// OpenCASCADE's messages (its writers' statistics) stay off the tool's output.
void quietOpenCascade();

} // namespace hspring
