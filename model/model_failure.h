// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string>

namespace hspring {

// Why a 3D model could not be made, in no language: the window and the tool word it.
enum class ModelFailure {
    WriterMissing,    // the STEP writer module was not found; detail: the folder looked in,
                      // then the loader's reasons, each after "; "
    BendNotDrawn,     // the hook's bend could not be drawn on the coil
    CentreLineBroken, // the wire's centre line does not join up
    SweepFailed,      // the wire could not be swept along its centre line
    SolidInvalid,     // the swept solid fails the modeller's check
    NotOneSolid,      // the sweep gave other than one solid
    VolumeWrong,      // the solid does not hold the wire's volume
    NotTransferred,   // the solid could not be put into STEP
    NotWritten,       // the STEP file could not be written
    ModellerFailed,   // detail: OpenCASCADE's own message
    Unexpected,       // detail: what the failure says of itself
};

struct ModelWriteFailure {
    ModelFailure failure;
    std::string detail;
};

// A failure of the solid's making, raised inside the writer module and caught at its boundary.
class ModelFailed : public std::exception {
public:
    explicit ModelFailed(ModelFailure failure) : failure_(failure) {}
    ModelFailure failure() const { return failure_; }
    const char* what() const noexcept override { return "hspring::ModelFailed"; }

private:
    ModelFailure failure_;
};

} // namespace hspring
