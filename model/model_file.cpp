// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_file.h"

#include "base/file_io.h"
#include "model/step_module.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <dlfcn.h>
#include <filesystem>
#include <numbers>
#include <system_error>
#include <unistd.h>

namespace hspring {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kTubeSides = 24;
constexpr double kLargestStep = 2 * kPi / 64;

// The centre line's points with their tangents, each junction once.
struct Station {
    Point3 at;
    Point3 tangent;
};

std::vector<Station> stations(const SpringCentreLine& line) {
    std::vector<Station> result;
    for (const CentrePiece& piece : line.pieces) {
        const std::vector<Point3> points =
            samplePiece(piece, std::numeric_limits<double>::infinity(), kLargestStep);
        const std::size_t steps = points.size() - 1;
        for (std::size_t i = result.empty() ? 0 : 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(steps);
            result.push_back({points[i], tangentOn(piece, t)});
        }
    }
    return result;
}

void putFloat(std::string& out, double value) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

void putVec(std::string& out, Point3 v) {
    putFloat(out, v.x);
    putFloat(out, v.y);
    putFloat(out, v.z);
}

// The folder of the running program.
std::filesystem::path programFolder() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
}

// The STEP writer, from the module next to the program (the build folder) or installed in the
// package's module folder below the program's prefix. The module stays loaded once found.
StepWriter* stepWriter(ModelWriteFailure& problem) {
    static StepWriter* writer = nullptr;
    if (writer)
        return writer;
    const std::filesystem::path folder = programFolder();
    std::string reasons;
    for (const std::filesystem::path& candidate :
         {folder / kModelModuleName, folder / ".." / HSPRING_MODULE_FOLDER / kModelModuleName}) {
        if (!std::filesystem::exists(candidate))
            continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            reasons += std::string("; ") + dlerror();
            continue;
        }
        if (void* symbol = dlsym(module, kStepWriterSymbol)) {
            writer = reinterpret_cast<StepWriter*>(symbol);
            return writer;
        }
        dlclose(module);
    }
    problem = {ModelFailure::WriterMissing, folder.string() + reasons};
    return nullptr;
}

} // namespace

std::optional<ModelFormat> modelFormatOf(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".step" || extension == ".stp")
        return ModelFormat::Step;
    if (extension == ".stl")
        return ModelFormat::Stl;
    return std::nullopt;
}

std::string binaryStl(const SpringCentreLine& line, std::string_view title) {
    const std::vector<Station> path = stations(line);
    // Rotation-minimising frames by double reflection (Wang, Jüttler, Zheng and Liu, "Computation
    // of rotation minimizing frames", ACM Transactions on Graphics 27(1), 2008): the tube does
    // not twist along the wire.
    std::vector<Point3> across(path.size());
    const Point3 t0 = path.front().tangent;
    across[0] = unit(cross(t0, std::fabs(t0.z) < 0.9 ? Point3{0, 0, 1} : Point3{1, 0, 0}));
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const Point3 v1 = path[i + 1].at - path[i].at;
        const double c1 = dot(v1, v1);
        Point3 r = across[i];
        Point3 t = path[i].tangent;
        if (c1 > 0) {
            r = r - (2 / c1 * dot(v1, r)) * v1;
            t = t - (2 / c1 * dot(v1, t)) * v1;
        }
        const Point3 v2 = path[i + 1].tangent - t;
        const double c2 = dot(v2, v2);
        if (c2 > 0)
            r = r - (2 / c2 * dot(v2, r)) * v2;
        across[i + 1] = unit(r - dot(r, path[i + 1].tangent) * path[i + 1].tangent);
    }
    // A polygon of this radius has the circle's area, so the tube holds the wire's volume.
    const double radius =
        line.wireDiameter / 2 * std::sqrt(2 * kPi / (kTubeSides * std::sin(2 * kPi / kTubeSides)));
    std::vector<std::array<Point3, kTubeSides>> rings(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        const Point3 b = cross(path[i].tangent, across[i]);
        for (int k = 0; k < kTubeSides; ++k) {
            const double a = 2 * kPi * k / kTubeSides;
            rings[i][static_cast<std::size_t>(k)] =
                path[i].at + radius * (std::cos(a) * across[i] + std::sin(a) * b);
        }
    }

    const std::uint32_t count =
        static_cast<std::uint32_t>((path.size() - 1) * 2 * kTubeSides + 2 * kTubeSides);
    std::string out(80, ' ');
    const std::string header = "hspring 3D model: " + std::string(title);
    std::copy_n(header.begin(), std::min<std::size_t>(header.size(), 80), out.begin());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((count >> shift) & 0xFF));
    out.reserve(out.size() + std::size_t{count} * 50);
    const double mirror = line.leftHanded ? -1 : 1;
    // Outward with the vertices counterclockwise; a mirror image turns the order round.
    const auto triangle = [&](Point3 a, Point3 b, Point3 c) {
        if (line.leftHanded)
            std::swap(b, c);
        const auto m = [mirror](Point3 v) { return Point3{v.x, mirror * v.y, v.z}; };
        a = m(a);
        b = m(b);
        c = m(c);
        const Point3 n = cross(b - a, c - a);
        const double length = std::sqrt(dot(n, n));
        putVec(out, length > 0 ? (1 / length) * n : Point3{0, 0, 0});
        putVec(out, a);
        putVec(out, b);
        putVec(out, c);
        out.append(2, '\0');
    };
    for (std::size_t i = 0; i + 1 < rings.size(); ++i)
        for (std::size_t k = 0; k < kTubeSides; ++k) {
            const std::size_t next = (k + 1) % kTubeSides;
            triangle(rings[i][k], rings[i + 1][next], rings[i + 1][k]);
            triangle(rings[i][k], rings[i][next], rings[i + 1][next]);
        }
    for (std::size_t k = 0; k < kTubeSides; ++k) {
        const std::size_t next = (k + 1) % kTubeSides;
        triangle(path.front().at, rings.front()[next], rings.front()[k]);
        triangle(path.back().at, rings.back()[k], rings.back()[next]);
    }
    return out;
}

std::optional<ModelWriteFailure> writeSpringModel(const std::string& path, ModelFormat format,
                                                  const SpringCentreLine& line,
                                                  const std::string& productName) {
    if (format == ModelFormat::Stl) {
        const std::string bytes = binaryStl(line, productName);
        writeFileAtomically(path, std::as_bytes(std::span(bytes.data(), bytes.size())));
        return std::nullopt;
    }
    ModelWriteFailure problem{ModelFailure::Unexpected, {}};
    StepWriter* writer = stepWriter(problem);
    if (!writer)
        return problem;
    // The writer writes a file of its own, which then replaces the target in one piece.
    std::error_code ignored;
    const std::filesystem::path scratch = std::filesystem::temp_directory_path(ignored) /
                                          ("hspring-model-" + std::to_string(::getpid()) + ".step");
    const bool written = writer(line, scratch.c_str(), productName.c_str(), problem);
    if (written) {
        try {
            writeFileAtomically(path, readFileBytes(scratch.string()));
        } catch (...) {
            std::filesystem::remove(scratch, ignored);
            throw;
        }
    }
    std::filesystem::remove(scratch, ignored);
    if (!written)
        return problem;
    return std::nullopt;
}

} // namespace hspring
