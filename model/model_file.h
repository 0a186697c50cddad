// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/centre_line.h"
#include "model/model_failure.h"

#include <optional>
#include <string>
#include <string_view>

namespace hspring {

// The two files a model is saved as: STEP (the solid, for CAD programs) and binary STL (its
// surface as triangles, for viewers, 3D printing and meshing).
enum class ModelFormat { Step, Stl };

// The format a file name asks for: .step or .stp, .stl (any case); nothing for another name.
std::optional<ModelFormat> modelFormatOf(std::string_view path);

// The binary STL of the spring: the wire as a tube of 24 sides, its cross-section's area kept, the
// centre line followed in steps of at most 1/64 turn, closed at both cut ends; `title` goes into
// the 80-byte header.
std::string binaryStl(const SpringCentreLine& line, std::string_view title);

// Writes the model to `path`, replacing an existing file only with a complete new one. STEP is
// built by the writer module (loaded on the first STEP file); its product is `productName`.
// Returns nothing when written, or why the solid could not be made (the module missing, the
// sweep failed), and then writes nothing. A file that cannot be created raises fileCreateError.
std::optional<ModelWriteFailure> writeSpringModel(const std::string& path, ModelFormat format,
                                                  const SpringCentreLine& line,
                                                  const std::string& productName);

} // namespace hspring
