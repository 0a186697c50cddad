// SPDX-License-Identifier: GPL-3.0-or-later
// The spring's 3D model measured as a CAD program would measure it: OpenCASCADE's own section,
// intersection, mass properties and readers against the program's numbers.

#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "data/calculation_file.h"
#include "model/model_file.h"
#include "model/occt/spring_solid.h"
#include "model/spring_model.h"
#include "tests/support/shipped_data.h"
#include "tests/support/temporary_folder.h"

#include <BRepBndLib.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <Poly_Triangulation.hxx>
#include <RWStl.hxx>
#include <STEPControl_Reader.hxx>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <set>

namespace hspring {
namespace {

using test::shippedCoefficients;
using test::shippedLibrary;

constexpr double kAgreement = 0.005; // the share the model may differ from the program's numbers

// A design of SW-A hard-drawn steel wire, d = 1, with round (angle 80°) or U hooks, read and
// calculated as the tool does: free a little longer than close-wound ((N + 1)·d + 2·Di; U hooks
// reach further), the working lengths a third and two thirds longer.
DesignResult calculatedSpring(double springIndex, double turns, HookType hookType) {
    const double closed = 1.01 * (turns + 1 + 2 * (springIndex - 1) +
                                  (hookType == HookType::U ? 2 * springIndex : 0));
    const std::string json =
        R"({"materialIndex": 0, "diameterIndex": 22, "diameterKind": 1, "meanDiameter": )" +
        std::to_string(springIndex) + R"(, "totalTurns": )" + std::to_string(turns) +
        R"(, "freeLength": )" + std::to_string(closed) + R"(, "length1": )" +
        std::to_string(closed * 4 / 3) + R"(, "length2": )" + std::to_string(closed * 5 / 3) +
        R"(, "hookAngle": 80, "hookLength": )" + std::to_string(springIndex + 3) +
        R"(, "hookOpening": 1.5, "hookMinRadius": 1.5})";
    const DesignRequest request = singleDesignFromJson(json, shippedLibrary());
    return evaluateDesign(request.design, shippedLibrary(), shippedCoefficients(), hookType);
}

SpringCentreLine centreLineOf(const SpringModelRequest& request) {
    auto outcome = springCentreLine(request);
    if (const auto* refusal = std::get_if<ModelRefusal>(&outcome))
        throw std::runtime_error("refused: " + std::to_string(static_cast<int>(refusal->problem)));
    return std::get<SpringCentreLine>(outcome);
}

// The solid's extent measured on its surfaces: along the axis from one hook's far end to the
// other's, each a wire diameter beyond the hook's inner end; across it the body's outer diameter
// (the hooks stay within it).
struct Extent {
    double axial = 0;
    double across = 0;
};

Extent extentOf(const TopoDS_Shape& solid) {
    Bnd_Box box;
    BRepBndLib::AddOptimal(solid, box, false, false);
    double xmin, ymin, zmin, xmax, ymax, zmax;
    box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
    return {zmax - zmin, std::max(xmax - xmin, ymax - ymin)};
}

gp_Pnt centreOfMass(const TopoDS_Shape& solid) {
    GProp_GProps properties;
    BRepGProp::VolumeProperties(solid, properties, 1e-6, true);
    return properties.CentreOfMass();
}

double wireArea(double d) {
    return std::numbers::pi * d * d / 4;
}

// Every state of round and U hooks of both hands at three spring indices: one valid solid whose
// volume is the program's wire length times the wire's section (free state), whose hooks' inner
// ends are L0, L1 or L2 apart and whose body is Do across; the left-handed one the mirror image.
TEST(SpringModel, SolidAgreesWithTheDesignInEveryStateAndHand) {
    for (const auto& [hookType, springIndex] : {std::pair{HookType::Round, 5.5},
                                                {HookType::Round, 12.0},
                                                {HookType::U, 8.0},
                                                {HookType::U, 12.0}}) {
        const DesignResult result = calculatedSpring(springIndex, 10.5, hookType);
        const SpringDesign& design = result.design;
        SCOPED_TRACE(std::string(hookTypeName(hookType)) + " C=" + std::to_string(springIndex));
        for (const ModelState state :
             {ModelState::Free, ModelState::Length1, ModelState::Length2}) {
            SCOPED_TRACE(std::string(modelStateName(state)));
            const SpringModelRequest right = modelRequestOf(design, hookType, false, state);
            const SpringCentreLine line = centreLineOf(right);
            const TopoDS_Shape solid = springSolid(line);
            ASSERT_EQ(solidProblem(solid, line), std::nullopt);
            if (state == ModelState::Free) {
                EXPECT_NEAR(solidVolume(solid) / (wireArea(1) * result.extras.wireLength), 1,
                            kAgreement);
            }
            const Extent extent = extentOf(solid);
            EXPECT_NEAR((extent.axial - 2 * design.wireDiameter) / right.length, 1, kAgreement);
            if (state == ModelState::Free) { // Do as the sheet gives it: the free spring's
                EXPECT_NEAR(extent.across / design.outerDiameter, 1, kAgreement);
            }
            if (state != ModelState::Length1)
                continue;

            // N = 10.5: the half-turn that maps the spring onto itself keeps y, which the mirror
            // image turns round.
            SpringCentreLine mirrored = line;
            mirrored.leftHanded = true;
            const TopoDS_Shape left = springSolid(mirrored);
            ASSERT_EQ(solidProblem(left, mirrored), std::nullopt);
            const gp_Pnt a = centreOfMass(solid);
            const gp_Pnt b = centreOfMass(left);
            EXPECT_NEAR(solidVolume(left), solidVolume(solid), 1e-6 * solidVolume(solid));
            EXPECT_NEAR(b.X(), a.X(), 1e-6);
            EXPECT_NEAR(b.Y(), -a.Y(), 1e-6);
            EXPECT_NEAR(b.Z(), a.Z(), 1e-6);
            EXPECT_GT(std::fabs(a.Y()), 1e-3); // a spring that is its own mirror proves nothing
        }
    }
}

ModelProblem refusalOf(const SpringModelRequest& request) {
    const auto outcome = springCentreLine(request);
    EXPECT_TRUE(std::holds_alternative<ModelRefusal>(outcome));
    return std::holds_alternative<ModelRefusal>(outcome) ? std::get<ModelRefusal>(outcome).problem
                                                         : ModelProblem::NoCoil;
}

// Hooks that cannot be formed and lengths the coil cannot reach give reasons, not shapes.
TEST(SpringModel, UnformableSpringsAreRefusedWithTheirReason) {
    SpringModelRequest request;
    request.coil = {1, 8, 10};
    request.hookAngle = 80;
    request.length = 40;
    ASSERT_TRUE(std::holds_alternative<SpringCentreLine>(springCentreLine(request)));

    SpringModelRequest closedLoop = request; // the loop's end runs back into its own wire
    closedLoop.hookAngle = 5;
    EXPECT_EQ(refusalOf(closedLoop), ModelProblem::WireMeetsItself);
    closedLoop.hookAngle = 400;
    EXPECT_EQ(refusalOf(closedLoop), ModelProblem::HookAngleOutside);

    SpringModelRequest tooShort = request; // shorter than (N + 1)·d + 2·Di = 25 by far
    tooShort.length = 20;
    const auto outcome = springCentreLine(tooShort);
    ASSERT_TRUE(std::holds_alternative<ModelRefusal>(outcome));
    EXPECT_EQ(std::get<ModelRefusal>(outcome).problem, ModelProblem::ShorterThanClosed);
    EXPECT_NEAR(std::get<ModelRefusal>(outcome).limit, 25, 0.2);
    tooShort.closedWhenShorter = true; // the free state: close-wound instead
    EXPECT_NEAR(centreLineOf(tooShort).innerEndDistance, 25, 0.2);
    SpringModelRequest tooLong = request; // turns 30 mm apart on a coil 25 mm round
    tooLong.length = 300;
    EXPECT_EQ(refusalOf(tooLong), ModelProblem::LongerThanCoil);

    SpringModelRequest u = request;
    u.hookType = HookType::U;
    u.uHook = {4, 1, 1}; // shorter than the U's own radius
    EXPECT_EQ(refusalOf(u), ModelProblem::UHookDoesNotFit);
    u.uHook = {12, -3, 1}; // the cut end would reach into the coil
    EXPECT_EQ(refusalOf(u), ModelProblem::WireMeetsItself);

    SpringModelRequest noCoil = request;
    noCoil.coil.meanDiameter = 1; // no wider than the wire
    EXPECT_EQ(refusalOf(noCoil), ModelProblem::NoCoil);
}

// ---- the files, as the tool writes them ---------------------------------------------------

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int runCli(const std::string& arguments, const std::filesystem::path& folder) {
    const std::string command =
        "cd '" + folder.string() + "' && '" HSPRING_CLI "' " + arguments + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The STL as a closed surface: every edge shared by exactly two triangles, the enclosed volume
// by the divergence theorem.
double closedStlVolume(const std::filesystem::path& path) {
    const Handle(Poly_Triangulation) mesh = RWStl::ReadFile(path.c_str());
    if (mesh.IsNull())
        return -1;
    std::map<std::pair<int, int>, int> edges;
    double volume = 0;
    for (int i = 1; i <= mesh->NbTriangles(); ++i) {
        int n[3];
        mesh->Triangle(i).Get(n[0], n[1], n[2]);
        for (int k = 0; k < 3; ++k)
            ++edges[{n[k], n[(k + 1) % 3]}];
        const gp_XYZ a = mesh->Node(n[0]).XYZ();
        volume += a.Dot(mesh->Node(n[1]).XYZ().Crossed(mesh->Node(n[2]).XYZ())) / 6;
    }
    for (const auto& [edge, count] : edges)
        if (count != 1 || edges.count({edge.second, edge.first}) != 1)
            return -1; // open, or turned inside out
    return volume;
}

// The tool writes what OpenCASCADE's readers take back: the STEP file one valid solid of the
// wire's volume named after the title block's part name, the STL a closed surface of the same
// volume, the left-handed STL the mirror of the right-handed one; and a spring whose hook
// cannot be formed, or a length the coil cannot reach, leaves an existing file as it was. The
// springs overstress their hooks, so each is modelled with --allow-failing.
TEST(ModelCommand, WritesFilesTheReadersTakeBackAndNothingWhenRefused) {
    const test::TemporaryFolder folder;
    const std::filesystem::path work = folder.path();
    std::ofstream(work / "round.json")
        << R"({"materialIndex": 0, "diameterIndex": 22, "meanDiameter": 8, "diameterKind": 1,
              "totalTurns": 12.5, "freeLength": 30, "length1": 40, "length2": 50,
              "hookAngle": 80})";
    std::ofstream(work / "u.json")
        << R"({"materialIndex": 0, "diameterIndex": 22, "meanDiameter": 8, "diameterKind": 1,
              "totalTurns": 12, "freeLength": 45, "length1": 50, "length2": 60, "hookType": "u",
              "hookLength": 3, "hookOpening": 1, "hookMinRadius": 1})";
    const DesignResult round = calculatedSpring(8, 12.5, HookType::Round);

    ASSERT_EQ(runCli("model --allow-failing --input round.json --state L1 -o spring.step", work), 0)
        << slurp(work / "err.txt");
    STEPControl_Reader reader;
    ASSERT_EQ(reader.ReadFile((work / "spring.step").c_str()), IFSelect_RetDone);
    reader.TransferRoots();
    const TopoDS_Shape step = reader.OneShape();
    EXPECT_TRUE(BRepCheck_Analyzer(step).IsValid());
    EXPECT_EQ(solidCount(step), 1);
    const double wire = wireArea(1) * round.extras.wireLength;
    EXPECT_NEAR(solidVolume(step) / wire, 1, 0.01); // stretched: the helix a little longer
    EXPECT_NE(slurp(work / "spring.step").find("'SW-A d1\\X2\\00D7\\X0\\D8"), std::string::npos);

    ASSERT_EQ(runCli("model --allow-failing --input round.json -o right.stl", work), 0);
    ASSERT_EQ(runCli("model --allow-failing --input round.json --left-handed -o left.stl", work),
              0);
    EXPECT_NEAR(closedStlVolume(work / "right.stl") / wire, 1, kAgreement);
    EXPECT_NEAR(closedStlVolume(work / "left.stl") / wire, 1, kAgreement);
    const Handle(Poly_Triangulation) right = RWStl::ReadFile((work / "right.stl").c_str());
    const Handle(Poly_Triangulation) left = RWStl::ReadFile((work / "left.stl").c_str());
    ASSERT_EQ(right->NbNodes(), left->NbNodes());
    std::set<std::array<long, 3>> rightNodes;
    std::set<std::array<long, 3>> mirroredLeft;
    for (int i = 1; i <= right->NbNodes(); ++i) {
        const gp_Pnt r = right->Node(i);
        const gp_Pnt l = left->Node(i);
        rightNodes.insert(
            {std::lround(r.X() * 1e4), std::lround(r.Y() * 1e4), std::lround(r.Z() * 1e4)});
        mirroredLeft.insert(
            {std::lround(l.X() * 1e4), std::lround(-l.Y() * 1e4), std::lround(l.Z() * 1e4)});
    }
    EXPECT_EQ(rightNodes, mirroredLeft);

    std::ofstream(work / "kept.stl") << "an older model";
    EXPECT_EQ(runCli("model --allow-failing --input u.json -o kept.stl", work),
              1); // the U does not fit
    EXPECT_NE(slurp(work / "err.txt").find("U hook cannot be formed"), std::string::npos);
    std::ofstream(work / "short.json")
        << R"({"materialIndex": 0, "diameterIndex": 22, "meanDiameter": 8, "diameterKind": 1,
              "totalTurns": 12.5, "freeLength": 30, "length1": 22, "length2": 24,
              "hookAngle": 80})";
    EXPECT_EQ(runCli("model --allow-failing --input short.json --state L2 -o kept.stl", work), 1);
    EXPECT_NE(slurp(work / "err.txt").find("shorter than the close-wound"), std::string::npos);
    EXPECT_EQ(slurp(work / "kept.stl"), "an older model");
    EXPECT_EQ(runCli("model --input round.json -o spring.iges", work), 2);
}

// A calculation file's slot with the hook type given on the command line, named by the part name of
// the title block kept beside it (Japanese, as STEP writes it); and a free length shorter than the
// close-wound spring gives the close-wound spring with a note instead of nothing.
TEST(ModelCommand, TakesTheDesignFromACalculationFileAndModelsAShortFreeLengthCloseWound) {
    const test::TemporaryFolder folder;
    const std::filesystem::path work = folder.path();
    DesignSlots slots{};
    slots[2] = calculatedSpring(8, 12, HookType::U).design;
    slots[2].inUse = 1;
    slots[2].freeLength = 20; // the U-hook spring is some 33 mm long when close-wound
    saveDesignSlots((work / "springs.hbd").string(), slots);
    std::ofstream(work / "springs.jis-sheet.json") << R"({"partName": "ばねA-1"})";

    ASSERT_EQ(
        runCli("model --allow-failing --hbd springs.hbd --slot 2 --hook u -o spring.step", work), 0)
        << slurp(work / "err.txt");
    EXPECT_NE(slurp(work / "spring.step").find("PRODUCT('\\X2\\3070306D\\X0\\A-1'"),
              std::string::npos);
    EXPECT_NE(slurp(work / "err.txt").find("the model is close-wound"), std::string::npos);
    STEPControl_Reader reader;
    ASSERT_EQ(reader.ReadFile((work / "spring.step").c_str()), IFSelect_RetDone);
    reader.TransferRoots();
    const SpringModelRequest request =
        modelRequestOf(slots[2], HookType::U, false, ModelState::Free);
    const SpringCentreLine line = centreLineOf(request);
    EXPECT_GT(line.innerEndDistance, 30);
    EXPECT_DOUBLE_EQ(line.innerEndDistance, line.closedLength);
    EXPECT_NEAR(solidVolume(reader.OneShape()) / (wireArea(1) * line.wireLength), 1, 1e-3);
    // An empty slot is an input that cannot be read: the usage status.
    EXPECT_EQ(runCli("model --hbd springs.hbd --slot 3 -o empty.step", work), 2);
    EXPECT_FALSE(std::filesystem::exists(work / "empty.step"));
}

} // namespace
} // namespace hspring
