// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plumbing every command of hspring-cli shares: its options are declared on a CLI11
// subcommand, usage problems and failures end with the same exit statuses and messages, the
// data files default to the ones next to the tool.

#include "calc/design_result.h"
#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "calc/tolerances.h"
#include "calc/units.h"
#include "data/settings.h"
#include "printing/title_block.h"
#include "startup/program_start.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace hspring::cli {

enum ExitStatus : int {
    kDone = 0,
    kFailed = 1, // the design, the drawing or the output (standard output too) failed
    kUsage = 2,  // the command line is wrong, or a data file cannot be read
};

// A usage problem found while reading the options: the command prints it with its usage text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One command: its options live on `app`; `run` does the work once they are read.
struct Command {
    CLI::App* app = nullptr;
    std::string synopsis;       // the usage line after "hspring-cli "
    bool paints = false;        // needs Qt's painting (fonts, images, PDF): the tool starts it
    std::string_view reference; // the help's reference text after the options, if any
    std::function<int()> run;
};

class ToolFormatter;

// hspring-cli: its commands, declared on a CLI11 application of its own, and what they share
// (help, version, usage errors, exit statuses). Everything lives in the object, so that one
// process may make and run several tools; help, usage and version texts go to `out` and `err`.
class Tool {
public:
    explicit Tool(std::ostream& out = std::cout, std::ostream& err = std::cerr);
    ~Tool();
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    // Declares a command as a subcommand; the caller adds its options to the command's `app`.
    // Its help ends with the exit statuses every command shares, `failure` saying what status 1
    // stands for in this command.
    Command& addCommand(std::string_view name, std::string_view summary, std::string_view synopsis,
                        std::string_view description, std::string_view failure);

    // Parses the command line, prints help, version and usage errors, starts painting for a
    // command that paints and runs the chosen command. Returns the exit status.
    int run(int argc, char* argv[]);

    const std::deque<Command>& commands() const { return commands_; }
    const Command* commandOf(const CLI::App* app) const;
    const Command* commandNamed(std::string_view name) const;
    // The tool's usage: the command list.
    std::string usage() const;

private:
    int usageProblem(const CLI::App* app, const std::string& problem);
    int runCommand(const Command& command, char* programName);
    int finished(int status);

    std::ostream& out_;
    std::ostream& err_;
    CLI::App app_;
    std::deque<Command> commands_; // a deque keeps their places fixed
};

// The tool's name and version, as --version prints them.
std::string versionText();

// An option that takes a value, kept as text: the commands convert numbers themselves, so that
// a wrong number is reported with the program's own message. Given more than once, the last
// counts. `valueName` (FILE, N, ...) shows in the help and in "missing ... after".
CLI::Option* addTextOption(CLI::App& app, const std::string& names, std::string& text,
                           const std::string& valueName, const std::string& help);

// The folder of the running executable.
std::filesystem::path programFolder();

// The data files the program itself would read: next to the tool where it was built, and when
// installed the user's changed copy or else the shipped default.
DataFiles defaultDataFiles();

// The number in an option's text; a text that is no number is a usage error naming the option.
double numberOption(std::string_view option, const std::string& text);

// The text of a file, or of standard input when there is no path. Throws the file's Error.
std::string readInputText(const std::optional<std::string>& path);

// The same text for a batch: a whole file is mapped into memory rather than copied, which would
// take some 13 ms for 100,000 designs before the first could be calculated; anything else is
// read. Throws the file's Error.
class InputText {
public:
    explicit InputText(const std::optional<std::string>& path);
    ~InputText();
    InputText(const InputText&) = delete;
    InputText& operator=(const InputText&) = delete;

    std::string_view text() const;

private:
    std::string read_;
    const char* mapped_ = nullptr;
    std::size_t mappedSize_ = 0;
    struct sigaction previousBusAction_ {};
};

// A command that cannot start (a data file or its input cannot be read) says why and ends with
// kUsage.
int cannotRun(const CLI::App& command, const std::exception& failure);

// --materials and --settings: the data files to read instead of the program's own.
struct DataFileOptions {
    std::string materials;
    std::string settings;
};

// Declares --materials and --settings on `app`.
void addDataFileOptions(CLI::App& app, DataFileOptions& options);

// The files a command reads: those given, the program's own otherwise (defaultDataFiles). Without
// `withSettings` no settings file is read.
DataFiles chosenDataFiles(const CLI::App& app, const DataFileOptions& options, bool withSettings);

// Where the two sheet commands (sheet, jis-sheet) take their design from: slot N of a
// calculation file as it stands, or one design given as JSON, calculated first; and the PDF.
struct SheetSourceOptions {
    std::string hbd;
    std::string slot;
    std::string input;
    bool leftHanded = false;
    std::string output;
};

// Declares --hbd, --slot, --input (described by `inputHelp`) and --left-handed on `app`; each
// command declares its -o after its own options.
void addSheetSourceOptions(CLI::App& app, SheetSourceOptions& options, std::string_view inputHelp);

// The source chosen: the calculation file and its slot (0 unless --slot), or the JSON input
// (standard input without --input). Throws UsageError for a missing -o, --hbd with --input,
// --slot without --hbd and a slot that is not 0..kLastHistorySlot.
struct SheetSource {
    std::optional<std::string> hbd;
    int slot = 0;
    std::optional<std::string> input;
};
SheetSource chosenSheetSource(const CLI::App& app, const SheetSourceOptions& options);

// The design a document command (jis-sheet, model) is made of: slot N of a calculation file as
// it stands, hooked as `hook` (--hook) names, round unless given; or one design given as JSON
// with its own hook type and tolerance grade, calculated first. The data files are read before
// the input (the settings with a calculation file only when `settingsWithHbd`). Throws
// UsageError for the options' problems, and the Error of a file that cannot be read.
struct DocumentDesign {
    ProgramStart start;
    SheetSource source;
    SpringDesign design{};
    HookType hookType = HookType::Round;
    int toleranceGrade = kDefaultToleranceGrade;
    // The JSON design's basis (else the settings') and its hook radii; a calculation file's
    // basis, radii and grade from the side file beside it (JIS, none and grade 2 without one),
    // as the window reads the file.
    CoefficientSet coefficients{};
    ExtraInputs inputs{};
    TitleBlock titleBlock; // a calculation file's side file; empty for a JSON design
    // The design judged: a slot as stored, calculated again for its verdict; a JSON design as
    // calc calculates it.
    DesignResult result;
};
// `units`: the forces a JSON design gives are in that system.
DocumentDesign readDocumentDesign(const CLI::App& app, const SheetSourceOptions& options,
                                  const std::string& hook, const DataFileOptions& dataFiles,
                                  UnitSystem units = UnitSystem::Gravitational);

// The commands that answer a JSON text with JSON (calc, search): the data files the program reads
// (or the ones given), the text from --input or standard input, the answer on standard output.
struct JsonCommandOptions {
    DataFileOptions dataFiles;
    std::string input;
};

// Declares --materials, --settings and --input on `app`; `inputWhat` says what the input holds.
void addJsonCommandOptions(CLI::App& app, JsonCommandOptions& options, std::string_view inputWhat);

// Writes the answer piece by piece; returns the number of items that failed.
using JsonAnswer = std::function<int(std::string_view input, const ProgramState& state,
                                     const std::function<void(std::string_view)>& write)>;

// Reads the data files and the input (a failure there is exit 2 with the file's message), answers
// on standard output: 0 when nothing failed, 1 when an item failed or the output could not be
// written.
int runJsonCommand(const CLI::App& command, const JsonCommandOptions& options,
                   const JsonAnswer& answer);

} // namespace hspring::cli
