// hspring-cli calc: calculates the designs of a JSON text (standard input without --input) with
// the material library and coefficients of the given files, by default the ones next to the
// executable, and writes the results as JSON to standard output.

#include "app/cli/commands.h"
#include "base/error.h"
#include "base/file_io.h"
#include "calc/design_batch.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace hspring;

constexpr int kAllCalculated = 0;
constexpr int kSomeFailed = 1;
constexpr int kCannotRun = 2;

constexpr std::string_view kUsage =
    "Usage: hspring-cli calc [--materials FILE.dst] [--settings FILE] [--input FILE.json]\n\n"
    "Calculates spring designs given as JSON (one object, or an array of objects, whose keys are\n"
    "the design record's field names; missing keys take the start values) and writes every\n"
    "field of each calculated design, the initial-tension range, the stress coefficients, the\n"
    "expected life, the check lines and the recommended values as JSON.\n\n"
    "  --materials FILE  material data file (default: zaidat.dst next to hspring-cli)\n"
    "  --settings FILE   settings file with the design coefficients (default: the one next to\n"
    "                    hspring-cli)\n"
    "  --input FILE      the designs (default: standard input)\n\n"
    "Exit status: 0 all designs calculated, 1 a design failed (its place holds {\"error\": ...}),\n"
    "2 usage error or unreadable data file.\n";

struct Options {
    std::string materials;
    std::string settings;
    std::optional<std::string> input;
};

std::filesystem::path programFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : executable.parent_path();
}

// Parses the options; nullopt after a usage error or --help, with `status` set.
std::optional<Options> parseOptions(int argc, char* argv[], int& status) {
    const std::filesystem::path folder = programFolder();
    Options options{(folder / "zaidat.dst").string(), (folder / kSettingsFileName).string(), {}};
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            status = kAllCalculated;
            return std::nullopt;
        }
        std::string* target = option == "--materials"  ? &options.materials
                              : option == "--settings" ? &options.settings
                                                       : nullptr;
        if (option == "--input") {
            options.input.emplace();
            target = &*options.input;
        }
        if (!target || i + 1 >= argc) {
            std::cerr << "hspring-cli calc: "
                      << (target ? "missing file after " : "unknown option ") << option << "\n\n"
                      << kUsage;
            status = kCannotRun;
            return std::nullopt;
        }
        *target = argv[++i];
    }
    return options;
}

std::string readStandardInput() {
    std::string text;
    char buffer[1 << 16];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        text.append(buffer, count);
    if (std::ferror(stdin))
        throw fileOpenError("<standard input>");
    return text;
}

std::string readText(const std::string& path) {
    const std::vector<std::byte> bytes = readFileBytes(path);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

int runCalcCommand(int argc, char* argv[]) {
    int status = kAllCalculated;
    const std::optional<Options> options = parseOptions(argc, argv, status);
    if (!options)
        return status;

    // The records are large and live for the whole run, as in the program.
    static MaterialLibrary library{};
    static SettingsRecord settings{};
    std::string input;
    try {
        loadMaterialLibrary(options->materials, library);
        loadSettings(options->settings, settings);
        input = options->input ? readText(*options->input) : readStandardInput();
    } catch (const Error& error) {
        std::cerr << "hspring-cli calc: " << error.what() << "\n";
        return kCannotRun;
    }

    const int failed =
        calculateDesignsJson(input, library, settings.coefficients, [](std::string_view piece) {
            std::fwrite(piece.data(), 1, piece.size(), stdout);
        });
    if (std::fflush(stdout) != 0) {
        std::cerr << "hspring-cli calc: cannot write the results\n";
        return kCannotRun;
    }
    return failed == 0 ? kAllCalculated : kSomeFailed;
}
