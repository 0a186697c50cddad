// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include "base/error.h"
#include "base/file_io.h"
#include "base/text_to_number.h"
#include "calc/design_json.h"
#include "calc/design_refusal.h"
#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "calc/units_json.h"
#include "cli/commands.h"
#include "cli/problem_text.h"
#include "data/data_locations.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "toolkit/painting/fonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <span>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace hspring::cli {

namespace {

constexpr std::string_view kToolName = "hspring-cli";

// CLI11 names an option whose value is missing at the start of its message ("--input: 1
// required FILE missing"); the tool says it its own way, with the option's value name.
std::string parseProblem(const CLI::App* app, const CLI::ParseError& error) {
    const std::string message = error.what();
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) &&
        message.find("missing") != std::string::npos) {
        const std::string option = message.substr(0, message.find(':'));
        if (const CLI::Option* given = app->get_option_no_throw(option))
            return "missing " +
                   std::string(given->get_type_name().starts_with("FILE") ? "file" : "value") +
                   " after " + option;
    }
    return message;
}

// Qt's painting (fonts, images, PDF) needs a QGuiApplication, made for the commands that paint on
// the offscreen platform unless QT_QPA_PLATFORM names another, and ended with the command.
// Without XDG_RUNTIME_DIR (a plain shell, cron) Qt warns on standard error and falls back to a
// folder of its own; a private folder for the run keeps the tool's standard error for its own
// messages.
class PaintingSession {
public:
    explicit PaintingSession(char* programName) : programName_(programName) {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtimeFolder_ = std::make_unique<QTemporaryDir>();
            if (runtimeFolder_->isValid()) {
                // QTemporaryDir makes the folder readable by its owner only, as Qt asks.
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder_->path()));
            }
        }
        application_ = std::make_unique<QGuiApplication>(argc_, argv_);
        installFontSubstitutes();
    }
    ~PaintingSession() {
        application_.reset();
        if (runtimeFolder_)
            qunsetenv("XDG_RUNTIME_DIR");
    }
    PaintingSession(const PaintingSession&) = delete;
    PaintingSession& operator=(const PaintingSession&) = delete;

private:
    char* programName_;
    int argc_ = 1;
    char* argv_[2] = {programName_, nullptr};
    std::unique_ptr<QTemporaryDir> runtimeFolder_;
    std::unique_ptr<QGuiApplication> application_;
};

// An input that cannot be read or parsed is the caller's to mend, as a usage error is; what
// fails while designing, drawing or writing is a failure of the run.
bool isInputProblem(Problem problem) {
    switch (problem) {
    // What went wrong in making the output, or a design the command refuses to make one of.
    case Problem::FileNotCreated:
    case Problem::PrintFailed:
    case Problem::DivisionByZero:
    case Problem::InvalidOperation:
    case Problem::Overflow:
    case Problem::TooManyTurns:
    case Problem::RequirementUnsearchable:
    case Problem::NotPositiveFinite:
    case Problem::NoInnerDiameter:
    case Problem::ResultsOverflow:
    case Problem::HookAngleNotDrawable:
    case Problem::UHookNotDrawable:
    case Problem::NegativeInitialTension:
        return false;
    // Everything else is an input that cannot be read: a number, a slot, a file, its JSON.
    default:
        return true;
    }
}

// The kinds of file a command's -o writes, from its value name: FILE.pdf, FILE.dxf, or FILE for
// a picture, whose writer makes SVG or PNG.
std::vector<std::string> outputExtensions(const CLI::Option& output) {
    const std::string type = output.get_type_name();
    if (type == "FILE")
        return {".png", ".svg"};
    // "FILE.pdf", or several kinds as "FILE.step|FILE.stl".
    std::vector<std::string> known;
    for (std::size_t start = 0; start < type.size();) {
        const std::size_t end = std::min(type.find('|', start), type.size());
        const std::string name = type.substr(start, end - start);
        if (name.starts_with("FILE."))
            known.push_back(name.substr(4));
        start = end + 1;
    }
    return known;
}

std::string lowerCase(std::string text) {
    for (char& letter : text)
        letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return text;
}

// "png or svg" (without dots) or ".png or .svg".
std::string kindList(const std::vector<std::string>& known, bool dots) {
    std::string list;
    for (const std::string& kind : known)
        list += (list.empty() ? "" : " or ") + (dots ? kind : kind.substr(1));
    return list;
}

// The kind --format names, as an extension (".svg"), when the command has the option and it is
// given; a kind the command does not write is a usage error naming those it does.
std::optional<std::string> chosenFormat(const CLI::App& app,
                                        const std::vector<std::string>& known) {
    const CLI::Option* format = app.get_option_no_throw("--format");
    if (!format || format->count() == 0)
        return std::nullopt;
    const std::string given = format->as<std::string>();
    const std::string kind = "." + lowerCase(given);
    if (std::find(known.begin(), known.end(), kind) == known.end())
        throw UsageError("--format takes " + kindList(known, false) + ", not " + given);
    return kind;
}

// An output name whose extension no writer of the command knows is refused, rather than written
// in another format than the name says. A name without an extension takes the first kind. A
// --format beside a file name must agree with it: the name decides what a file holds.
void checkOutputName(CLI::App& app) {
    const CLI::Option* output = app.get_option_no_throw("-o");
    if (!output || output->count() == 0)
        return;
    const std::vector<std::string> known = outputExtensions(*output);
    const std::optional<std::string> format = chosenFormat(app, known);
    const std::string name = output->as<std::string>();
    if (name == "-")
        return;
    const std::string extension = lowerCase(std::filesystem::path(name).extension().string());
    if (format && extension != *format)
        throw UsageError("--format " + format->substr(1) + " does not match -o " + name +
                         "; --format is for standard output (-o -)");
    if (extension.empty() || std::find(known.begin(), known.end(), extension) != known.end())
        return;
    throw UsageError("-o " + name + ": writes " + kindList(known, true) + " files only");
}

// PDF, PNG and STL are bytes for a program; SVG, DXF, STEP and JSON are text a terminal shows.
bool isBinaryKind(const std::string& extension) {
    return extension == ".pdf" || extension == ".png" || extension == ".stl";
}

// "-" for a file option: standard input for a file the command reads, standard output for the
// one it writes (-o). The commands read and write files by name, so a file in a private folder
// stands in for the stream: it holds what standard input gave before the command runs, and goes
// to standard output once the command has written it in full. A PDF or PNG is not written to a
// terminal, where it would only garble the screen.
class StandardStreams {
public:
    explicit StandardStreams(CLI::App& app) {
        for (CLI::Option* option : app.get_options()) {
            if (option->count() == 0 || option->as<std::string>() != "-" ||
                !option->get_type_name().starts_with("FILE"))
                continue;
            const bool output = option->get_name() == "-o";
            if (output ? !outputStandIn_.empty() : !inputStandIn_.empty())
                throw UsageError("only one file can be standard " +
                                 std::string(output ? "output" : "input"));
            if (!folder_.isValid())
                throw std::runtime_error("cannot make a temporary folder for standard " +
                                         std::string(output ? "output" : "input"));
            if (output) {
                // The writer takes the format from the name: the one --format names, else the
                // first the option names.
                const std::vector<std::string> known = outputExtensions(*option);
                const std::string extension = chosenFormat(app, known).value_or(known.front());
                if (::isatty(STDOUT_FILENO) && isBinaryKind(extension))
                    throw UsageError("will not write " + extension.substr(1) +
                                     " to a terminal; redirect standard output or name a file");
                outputStandIn_ =
                    QFile::encodeName(folder_.filePath(QStringLiteral("-"))).toStdString() +
                    extension;
                substitute(*option, outputStandIn_);
            } else {
                inputStandIn_ =
                    QFile::encodeName(folder_.filePath(QStringLiteral("-"))).toStdString();
                const std::string text = readInputText(std::nullopt);
                writeFileAtomically(inputStandIn_, std::as_bytes(std::span(text)));
                substitute(*option, inputStandIn_);
            }
        }
    }

    bool writesStandardOutput() const { return !outputStandIn_.empty(); }

    // Sends the written output to `out`, when -o named standard output.
    void deliver(std::ostream& out) const {
        if (outputStandIn_.empty())
            return;
        const std::vector<std::byte> bytes = readFileBytes(outputStandIn_);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

private:
    // The option's variable takes the stand-in's path, as if it had been given.
    static void substitute(CLI::Option& option, const std::string& path) {
        option.clear();
        option.add_result(path);
        option.run_callback();
    }

    QTemporaryDir folder_;
    std::string inputStandIn_;
    std::string outputStandIn_;
};

} // namespace

// The tool's own help layout: the usage line first, then what the command does, its options
// and its exit statuses.
class ToolFormatter : public CLI::Formatter {
public:
    explicit ToolFormatter(const Tool& tool) : tool_(tool) {}

    std::string make_help(const CLI::App* app, std::string,
                          CLI::AppFormatMode mode) const override {
        const Command* command = tool_.commandOf(app);
        if (!command)
            return tool_.usage();
        std::ostringstream out;
        out << "Usage: " << kToolName << " " << command->synopsis << "\n\n"
            << app->get_description() << make_groups(app, mode) << "\n";
        if (!command->reference.empty())
            out << command->reference << "\n";
        out << app->get_footer() << "\n";
        return out.str();
    }

private:
    const Tool& tool_;
};

namespace {

// One rule for every command: the tool's help says it in general, each command's help with
// what a failure is there.
std::string exitStatusText(std::string_view failure) {
    return "Exit status:\n"
           "  0  done\n"
           "  1  " +
           std::string(failure) +
           "\n"
           "  2  a usage error, or an input or data file that cannot be read or parsed\n";
}

std::string dataFilesText() {
    const std::string share = HSPRING_PACKAGE_PREFIX "/share/hspring/";
    const std::string indent = "\n                        ";
    return "Files:\n"
           "  " +
           share + kMaterialFileName + indent + "the material data installed with the program\n" +
           "  " + share + kSettingsFileName + indent +
           "the design coefficients installed with the program\n"
           "  ~/.local/share/hspring/" +
           indent + "the material data and coefficients as the window program" + indent +
           "saved them when changed, read instead of the installed" + indent +
           "ones; run from its build folder, the tool reads the files" + indent +
           "next to itself\n";
}

} // namespace

std::string versionText() {
    return std::string(kToolName) + " " + HSPRING_VERSION + "\n";
}

Tool::Tool(std::ostream& out, std::ostream& err)
    : out_(out), err_(err),
      app_(std::string("Extension spring design calculator, command-line tool."),
           std::string(kToolName)) {
    app_.formatter(std::make_shared<ToolFormatter>(*this));
    app_.require_subcommand(0, 1);
    for (const auto add : kCommands)
        add(*this);
    // A command whose -o writes several kinds takes the name's extension for a file; for standard
    // output, which has no name, --format says the kind.
    for (Command& command : commands_) {
        const CLI::Option* output = command.app->get_option_no_throw("-o");
        if (!output)
            continue;
        const std::vector<std::string> kinds = outputExtensions(*output);
        if (kinds.size() < 2)
            continue;
        std::string kindsText;
        for (std::size_t i = 0; i < kinds.size(); ++i)
            kindsText += (i == 0 ? "" : i + 1 == kinds.size() ? " or " : ", ") + kinds[i].substr(1);
        command.app->add_option("--format")
            ->description("with -o -: the kind written to standard output,\n" + kindsText +
                          " (default " + kinds.front().substr(1) + ")")
            ->type_name("KIND")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
}

Tool::~Tool() = default;

Command& Tool::addCommand(std::string_view name, std::string_view summary,
                          std::string_view synopsis, std::string_view description,
                          std::string_view failure) {
    CLI::App* app = app_.add_subcommand(std::string(name), std::string(description));
    // The summary for the command list rides in the group, which the tool's help never shows.
    app->group(std::string(summary));
    app->footer(exitStatusText(failure));
    app->set_help_flag("-h,--help", "show this help and end");
    // Unknown options are reported by the tool itself, with the command's usage.
    app->allow_extras();
    Command command;
    command.app = app;
    command.synopsis = synopsis;
    commands_.push_back(std::move(command));
    return commands_.back();
}

const Command* Tool::commandOf(const CLI::App* app) const {
    for (const Command& command : commands_)
        if (command.app == app)
            return &command;
    return nullptr;
}

const Command* Tool::commandNamed(std::string_view name) const {
    for (const Command& command : commands_)
        if (command.app->get_name() == name)
            return &command;
    return nullptr;
}

std::string Tool::usage() const {
    std::ostringstream out;
    out << "Usage: " << kToolName << " COMMAND [OPTIONS]\n"
        << "  or:  " << kToolName << " help [COMMAND]\n"
        << "  or:  " << kToolName << " --version\n\n"
        << "Extension spring design calculator, command-line tool: calculates designs, searches\n"
           "for candidates and writes the drawings, pictures and data sheet of the window\n"
           "program hspring.\n\nCommands:\n";
    // Two spaces at least between a name and its summary: help2man, and a reader, take a single
    // space for part of the text.
    const auto line = [&](std::string_view name, std::string_view summary) {
        out << "  " << name << std::string(12 - name.size(), ' ') << summary << "\n";
    };
    line("help", "list the commands, or show the options of one");
    for (const Command& command : commands_)
        line(command.app->get_name(), command.app->get_group());
    out << "\nOptions:\n"
           "  --help       show this help and end\n"
           "  --version    show the version and end\n"
           "\nRun '"
        << kToolName << " help COMMAND' for the options of a command.\n\n"
        << exitStatusText("a design, drawing or output failed") << "\n"
        << dataFilesText() << "\n"
        << "See also:\n"
           "  hspring(1)            the window program\n"
           "  " HSPRING_PACKAGE_PREFIX "/share/hspring/help/helphelp.htm\n"
           "                        the HTML help of both programs, in Japanese\n";
    return out.str();
}

// A usage problem is one line and where to read more; the whole help would bury it.
int Tool::usageProblem(const CLI::App* app, const std::string& problem) {
    if (!commandOf(app)) {
        err_ << kToolName << ": " << problem << "\nTry '" << kToolName << " help'.\n";
        return kUsage;
    }
    err_ << kToolName << " " << app->get_name() << ": " << problem << "\nTry '" << kToolName
         << " help " << app->get_name() << "'.\n";
    return kUsage;
}

// Whatever went to standard output must have arrived: a full disk or a closed pipe is a failure
// of the run, not a success.
int Tool::finished(int status) {
    out_.flush();
    std::cout.flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || !out_ || !std::cout) {
        if (status != kFailed)
            err_ << kToolName << ": cannot write to standard output\n";
        return kFailed;
    }
    return status;
}

int Tool::run(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.empty())
        return usageProblem(&app_, "no command given");
    if (arguments.front() == "--version") {
        if (arguments.size() > 1)
            return usageProblem(&app_, "--version takes no arguments");
        out_ << versionText();
        return finished(kDone);
    }
    if (arguments.front() == "help") {
        if (arguments.size() == 1) {
            out_ << usage();
            return finished(kDone);
        }
        const Command* command = commandNamed(arguments[1]);
        if (!command || arguments.size() > 2)
            return usageProblem(&app_, command
                                           ? "help takes one command"
                                           : "unknown command '" + std::string(arguments[1]) + "'");
        out_ << command->app->help();
        return finished(kDone);
    }
    if (!arguments.front().starts_with('-') && !commandNamed(arguments.front()))
        return usageProblem(&app_, "unknown command '" + std::string(arguments.front()) + "'");

    try {
        app_.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        const std::vector<CLI::App*> chosen = app_.get_subcommands();
        out_ << (chosen.empty() ? usage() : chosen.front()->help());
        return finished(kDone);
    } catch (const CLI::ParseError& error) {
        const CLI::App* failing = &app_;
        for (const Command& command : commands_)
            if (command.app->parsed())
                failing = command.app;
        return usageProblem(failing, parseProblem(failing, error));
    }

    const std::vector<CLI::App*> chosen = app_.get_subcommands();
    if (chosen.empty())
        return usageProblem(&app_, "no command given");
    const Command& command = *commandOf(chosen.front());
    if (const std::vector<std::string> extra = command.app->remaining(); !extra.empty())
        return usageProblem(command.app, "unknown option " + extra.front());
    return finished(runCommand(command, argv[0]));
}

int Tool::runCommand(const Command& command, char* programName) {
    std::optional<PaintingSession> painting;
    try {
        checkOutputName(*command.app);
        const StandardStreams streams(*command.app);
        if (command.paints)
            painting.emplace(programName);
        // While standard output carries the file, what a command says besides (the diagram's
        // notices) goes to standard error, so that the file arrives whole.
        struct Diversion {
            std::streambuf* kept = nullptr;
            ~Diversion() {
                if (kept)
                    std::cout.rdbuf(kept);
            }
        } diversion;
        if (streams.writesStandardOutput())
            diversion.kept = std::cout.rdbuf(std::cerr.rdbuf());
        const int status = command.run();
        if (diversion.kept)
            std::cout.rdbuf(std::exchange(diversion.kept, nullptr));
        if (status == kDone)
            streams.deliver(out_);
        return status;
    } catch (const UsageError& problem) {
        return usageProblem(command.app, problem.what());
    } catch (const Error& failure) {
        err_ << kToolName << " " << command.app->get_name() << ": " << problemText(failure) << "\n";
        return isInputProblem(failure.problem()) ? kUsage : kFailed;
    } catch (const std::exception& failure) {
        err_ << kToolName << " " << command.app->get_name() << ": " << failureText(failure) << "\n";
        return kFailed;
    }
}

CLI::Option* addTextOption(CLI::App& app, const std::string& names, std::string& text,
                           const std::string& valueName, const std::string& help) {
    CLI::Option* option = app.add_option(names, text, help)
                              ->type_name(valueName)
                              ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    return option;
}

std::filesystem::path programFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : executable.parent_path();
}

DataFiles defaultDataFiles() {
    // The user's folder is the program's: QStandardPaths names it after the application.
    QCoreApplication::setApplicationName(QStringLiteral("hspring"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HSPRING_VERSION));
    const std::filesystem::path folder = programFolder();
    return DataFiles::from(locateDataFiles(
        folder, installedShareFolder(folder),
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .toStdString()));
}

double numberOption(std::string_view option, const std::string& text) {
    try {
        return textToDouble(text);
    } catch (const Error& failure) {
        throw UsageError(std::string(option) + ": " + problemText(failure));
    }
}

std::string readInputText(const std::optional<std::string>& path) {
    if (path) {
        const std::vector<std::byte> bytes = readFileBytes(*path);
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::string text;
    char buffer[1 << 16];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        text.append(buffer, count);
    if (std::ferror(stdin))
        throw fileOpenError("<standard input>");
    return text;
}

namespace {

// A mapped file that another program cuts short while it is read leaves pages that cannot be
// read; the process then ends with a word instead of dying of the bus error.
extern "C" void onMappedInputCutShort(int) {
    static constexpr char kMessage[] =
        "hspring-cli: the input file was cut short while it was read\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    ::_exit(kFailed);
}

} // namespace

InputText::InputText(const std::optional<std::string>& path) {
    const int file = path ? ::open(path->c_str(), O_RDONLY | O_CLOEXEC) : STDIN_FILENO;
    struct stat status {};
    // Only a whole file from its start can be mapped: standard input may be a pipe, or a file
    // another program has read part of.
    if (file >= 0 && ::fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        ::lseek(file, 0, SEEK_CUR) == 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        void* const map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file, 0);
        if (map != MAP_FAILED) {
            mapped_ = static_cast<const char*>(map);
            mappedSize_ = size;
            struct sigaction action {};
            action.sa_handler = onMappedInputCutShort;
            sigemptyset(&action.sa_mask);
            ::sigaction(SIGBUS, &action, &previousBusAction_);
        }
    }
    if (path && file >= 0)
        ::close(file);
    if (!mapped_)
        read_ = readInputText(path); // the file's own error when it cannot be opened
}

InputText::~InputText() {
    if (!mapped_)
        return;
    ::munmap(const_cast<char*>(mapped_), mappedSize_);
    ::sigaction(SIGBUS, &previousBusAction_, nullptr);
}

std::string_view InputText::text() const {
    return mapped_ ? std::string_view(mapped_, mappedSize_) : std::string_view(read_);
}

int cannotRun(const CLI::App& command, const std::exception& failure) {
    std::cerr << kToolName << " " << command.get_name() << ": " << failureText(failure) << "\n";
    return kUsage;
}

void addSheetSourceOptions(CLI::App& app, SheetSourceOptions& options, std::string_view inputHelp) {
    addTextOption(app, "--hbd", options.hbd, "FILE",
                  "calculation file; the sheet shows slot N as it stands\n(no calculation)");
    addTextOption(app, "--slot", options.slot, "N",
                  "slot of the calculation file, 0.." + std::to_string(kLastHistorySlot) +
                      " (default 0, the\ncurrent design)");
    addTextOption(app, "--input", options.input, "FILE", std::string(inputHelp));
    app.add_flag("--left-handed", options.leftHanded,
                 "coiling direction left (左); right (右) otherwise");
}

SheetSource chosenSheetSource(const CLI::App& app, const SheetSourceOptions& options) {
    SheetSource source;
    if (app.count("--hbd"))
        source.hbd = options.hbd;
    if (app.count("--input"))
        source.input = options.input;
    if (!app.count("-o"))
        throw UsageError("-o FILE.pdf is required");
    if (source.hbd && source.input)
        throw UsageError("--hbd and --input exclude each other");
    if (!app.count("--slot"))
        return source;
    if (!source.hbd)
        throw UsageError("--slot needs --hbd");
    // Digits only: "1.0" or "1e0" name no slot.
    const std::string& text = options.slot;
    const std::string slotUsage =
        "--slot takes a slot number 0.." + std::to_string(kLastHistorySlot) + ", not ";
    for (const char digit : text) {
        if (digit < '0' || digit > '9' || source.slot > kLastHistorySlot)
            throw UsageError(slotUsage + text);
        source.slot = source.slot * 10 + (digit - '0');
    }
    if (text.empty() || source.slot > kLastHistorySlot)
        throw UsageError(slotUsage + text);
    return source;
}

DocumentDesign readDocumentDesign(const CLI::App& app, const SheetSourceOptions& options,
                                  const std::string& hook, const DataFileOptions& dataFiles,
                                  UnitSystem units) {
    DocumentDesign chosen;
    chosen.source = chosenSheetSource(app, options);
    const bool fromHbd = chosen.source.hbd.has_value();
    if (app.count("--hook") && !fromHbd)
        throw UsageError("--hook needs --hbd: a JSON design names its hookType");
    if (app.count("--hook")) {
        const std::optional<HookType> named = hookTypeFromName(hook);
        if (!named)
            throw UsageError("--hook takes round or u, not " + hook);
        chosen.hookType = *named;
    }

    // The coefficients judge a stored slot too.
    chosen.start = startProgram(chosenDataFiles(app, dataFiles, true), MissingDataFile::Fail);
    const ProgramState& state = *chosen.start.state;
    chosen.coefficients = state.settings.coefficients;
    if (fromHbd) {
        chosen.design = designFromCalculationFile(*chosen.source.hbd, chosen.source.slot);
        refuseStoredDesign(chosen.design, chosen.hookType);
        chosen.titleBlock = readTitleBlock(*chosen.source.hbd);
        const TitleBlock& side = chosen.titleBlock;
        setDesignBasis(chosen.coefficients,
                       designBasisFromName(side.designBasis).value_or(DesignBasis::Jis));
        chosen.inputs.hookBendRadius = side.hookBendRadius.value_or(chosen.inputs.hookBendRadius);
        chosen.inputs.hookLoopRadius = side.hookLoopRadius.value_or(chosen.inputs.hookLoopRadius);
        chosen.toleranceGrade = side.toleranceGrade;
        chosen.result = evaluateDesign(chosen.design, state.materials, chosen.coefficients,
                                       chosen.hookType, chosen.toleranceGrade, chosen.inputs);
        return chosen;
    }
    const DesignRequest request = singleDesignFromJson(
        jsonInUnits(readInputText(chosen.source.input), units, UnitSystem::Gravitational),
        state.materials);
    if (request.basis)
        setDesignBasis(chosen.coefficients, *request.basis);
    chosen.result = evaluateRequest(request, state.materials, chosen.coefficients);
    chosen.design = chosen.result.design;
    chosen.hookType = request.hookType;
    chosen.toleranceGrade = request.toleranceGrade;
    chosen.inputs = request.inputs;
    return chosen;
}

void addDataFileOptions(CLI::App& app, DataFileOptions& options) {
    addTextOption(app, "--materials", options.materials, "FILE",
                  std::string("material data file (default: ") + kMaterialFileName +
                      ", see Files\nin 'hspring-cli --help')");
    addTextOption(app, "--settings", options.settings, "FILE",
                  std::string("settings file with the design coefficients\n(default: ") +
                      kSettingsFileName + ", see Files in 'hspring-cli --help')");
}

DataFiles chosenDataFiles(const CLI::App& app, const DataFileOptions& options, bool withSettings) {
    const DataFiles defaults = defaultDataFiles();
    DataFiles files{app.count("--materials") ? std::filesystem::path(options.materials)
                                             : defaults.materials,
                    std::nullopt};
    if (withSettings)
        files.settings =
            app.count("--settings") ? std::filesystem::path(options.settings) : *defaults.settings;
    return files;
}

void addJsonCommandOptions(CLI::App& app, JsonCommandOptions& options, std::string_view inputWhat) {
    addDataFileOptions(app, options.dataFiles);
    addTextOption(app, "--input", options.input, "FILE",
                  std::string(inputWhat) + " (default: standard input)");
}

int runJsonCommand(const CLI::App& command, const JsonCommandOptions& options,
                   const JsonAnswer& answer) {
    const DataFiles files = chosenDataFiles(command, options.dataFiles, true);
    ProgramStart start;
    std::optional<InputText> input;
    try {
        start = startProgram(files, MissingDataFile::Fail);
        input.emplace(command.count("--input") ? std::optional(options.input) : std::nullopt);
    } catch (const Error& error) {
        return cannotRun(command, error);
    }

    const int failed = answer(input->text(), *start.state, [](std::string_view piece) {
        std::fwrite(piece.data(), 1, piece.size(), stdout);
    });
    if (std::fflush(stdout) != 0) {
        std::cerr << "hspring-cli " << command.get_name() << ": cannot write the results\n";
        return kFailed;
    }
    return failed == 0 ? kDone : kFailed;
}

} // namespace hspring::cli
