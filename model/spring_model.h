// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/hook_type.h"
#include "data/design_record.h"
#include "drawing/outline.h"
#include "model/centre_line.h"

#include <optional>
#include <string_view>
#include <variant>

namespace hspring {

// The state the model shows the spring in: free, or stretched to one of the working lengths.
enum class ModelState { Free, Length1, Length2 };

// "free", "L1", "L2": the names the command line uses.
std::string_view modelStateName(ModelState state);
std::optional<ModelState> modelStateFromName(std::string_view name);

// What the model is built from: the coil, its hooks (the same parameters the drawing takes), the
// coiling direction and the length between the hooks' inner ends.
struct SpringModelRequest {
    CoilShape coil;
    HookType hookType = HookType::Round;
    double hookAngle = 0; // round hook, degrees
    UHookShape uHook;
    bool leftHanded = false;
    double length = 0; // between the hooks' inner ends, mm
    // A length shorter than the close-wound spring gives the close-wound spring instead of a
    // refusal: the free state, whose L0 the turns cannot undercut.
    bool closedWhenShorter = false;
};

// The request for a design in a state: L0, L1 or L2 as the design holds them; the free spring is
// never shorter than close-wound.
SpringModelRequest modelRequestOf(const SpringDesign& design, HookType hookType, bool leftHanded,
                                  ModelState state);

// Why a spring cannot be modelled. Nothing is written for any of them.
enum class ModelProblem {
    NoCoil,            // no wire or coil diameter, or a number that is not finite
    TooManyTurns,      // more than kMaxModelTurns
    TooFewTurns,       // too few turns to join both hooks to the body
    HookAngleOutside,  // a round hook's angle outside 0 to 360°
    UHookDoesNotFit,   // the U hook's bend, legs and U do not fit together
    BendDoesNotFit,    // a round hook's bend does not fit between the coil and the loop
    BendTooTight,      // a bend sharper than the wire can take (its inner radius below 0)
    WireMeetsItself,   // a hook runs into the coil or into itself
    ShorterThanClosed, // the length is shorter than the close-wound spring with its hooks
    LongerThanCoil,    // the length would open the turns wider apart than the coil is round
};

struct ModelRefusal {
    ModelProblem problem;
    // ShorterThanClosed, LongerThanCoil: the shortest or longest length, mm; TooManyTurns: the
    // most turns.
    double limit = 0;
};

// A model of this many turns is already a file of many megabytes and takes seconds to build.
inline constexpr int kMaxModelTurns = 500;

// A length this share shorter than the close-wound spring still gives the close-wound spring:
// the turns' lean makes the coil a little longer than N·d, and a free length taken from
// (N + 1)·d + 2·Di must not be refused for that.
inline constexpr double kClosedLengthAllowance = 0.005;

// The wire's centre line: the body as a helix of the spring's hand with N turns, its pitch
// opened until the hooks' inner ends are `length` apart (never below the close-wound pitch at
// which neighbouring turns just touch), and both hooks as the drawing shapes them:
//   round hook: the wire leaves the coil's edge, runs across the coil's end to its axis and
//     turns into a loop of the mean diameter in a plane through the axis, opened at the hook
//     angle; its inner end lies Di beyond the body's end face. The sharp corner the drawing
//     shows at the coil's edge is bent at a centre-line radius of d (inner radius d/2);
//   U hook: the wire bends off the helix along the coil's surface at the minimum radius, runs
//     along the coil as the leg, round a half circle of the mean diameter and back along the
//     other side of the coil to its cut, short of the body's end face by the opening.
// The second hook is the first turned half about the middle of the body. Either the centre line
// or the reason it cannot be formed.
std::variant<SpringCentreLine, ModelRefusal> springCentreLine(const SpringModelRequest& request);

} // namespace hspring
