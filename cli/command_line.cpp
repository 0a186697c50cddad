#include "cli/command_line.h"

#include "base/error.h"
#include "base/file_io.h"
#include "base/text_to_number.h"
#include "cli/commands.h"
#include "data/data_locations.h"
#include "toolkit/painting/fonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <cstdio>
#include <deque>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

namespace hspring::cli {

namespace {

constexpr std::string_view kToolName = "hspring-cli";

// The commands in the order they were declared; a deque keeps their places fixed.
std::deque<Command>& commands() {
    static std::deque<Command> list;
    return list;
}

const Command* commandOf(const CLI::App* app) {
    for (const Command& command : commands())
        if (command.app == app)
            return &command;
    return nullptr;
}

// The value names of the options, for "missing file after --input".
std::map<std::string, std::string>& valueNames() {
    static std::map<std::string, std::string> names;
    return names;
}

// The tool's own help layout: the usage line first, then what the command does, its options
// and its exit statuses.
class ToolFormatter : public CLI::Formatter {
public:
    std::string make_help(const CLI::App* app, std::string,
                          CLI::AppFormatMode mode) const override {
        const Command* command = commandOf(app);
        if (!command)
            return toolUsage();
        std::ostringstream out;
        out << "Usage: " << kToolName << " " << command->synopsis << "\n\n"
            << app->get_description() << make_groups(app, mode) << "\n";
        if (!command->reference.empty())
            out << command->reference << "\n";
        out << app->get_footer() << "\n";
        return out.str();
    }

    static std::string toolUsage() {
        std::ostringstream out;
        out << "Usage: " << kToolName
            << " COMMAND [OPTIONS]\n\nExtension spring design calculator, command-line tool.\n\n"
               "Commands:\n";
        const auto line = [&](std::string_view name, std::string_view summary) {
            out << "  " << name << std::string(10 - name.size(), ' ') << summary << "\n";
        };
        line("help", "list the commands");
        for (const Command& command : commands())
            line(command.app->get_name(), command.app->get_group());
        out << "\nRun '" << kToolName << " COMMAND --help' for the options of a command.\n";
        return out.str();
    }
};

int usageProblem(const CLI::App* app, const std::string& problem) {
    const Command* command = commandOf(app);
    if (!command) {
        std::cerr << kToolName << ": " << problem << "\n";
        std::cerr << ToolFormatter::toolUsage();
        return kUsage;
    }
    std::cerr << kToolName << " " << app->get_name() << ": " << problem << "\n\n" << app->help();
    return kUsage;
}

// CLI11 names an option whose value is missing at the start of its message ("--input: 1
// required FILE missing"); the tool says it its own way.
std::string parseProblem(const CLI::ParseError& error) {
    const std::string message = error.what();
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        const std::string option = message.substr(0, message.find(':'));
        const auto name = valueNames().find(option);
        if (name != valueNames().end() && message.find("missing") != std::string::npos)
            return "missing " + std::string(name->second.starts_with("FILE") ? "file" : "value") +
                   " after " + option;
    }
    return message;
}

// The painting set-up of this run, made by startPainting and ended with runTool.
struct Painting {
    char* programName = nullptr;
    std::unique_ptr<QGuiApplication> application;
};
Painting* painting = nullptr;

bool isCommandName(std::string_view name) {
    for (const Command& command : commands())
        if (command.app->get_name() == name)
            return true;
    return false;
}

} // namespace

Command& addCommand(CLI::App& tool, std::string_view name, std::string_view summary,
                    std::string_view synopsis, std::string_view description,
                    std::string_view exitStatus) {
    CLI::App* app = tool.add_subcommand(std::string(name), std::string(description));
    // The summary for the command list rides in the group, which the tool's help never shows.
    app->group(std::string(summary));
    app->footer("Exit status: " + std::string(exitStatus));
    // Unknown options are reported by the tool itself, with the command's usage.
    app->allow_extras();
    Command command;
    command.app = app;
    command.synopsis = synopsis;
    commands().push_back(std::move(command));
    return commands().back();
}

CLI::Option* addTextOption(CLI::App& app, const std::string& names, std::string& text,
                           const std::string& valueName, const std::string& help) {
    CLI::Option* option = app.add_option(names, text, help)
                              ->type_name(valueName)
                              ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    for (const std::string& name : option->get_lnames())
        valueNames()["--" + name] = valueName;
    for (const std::string& name : option->get_snames())
        valueNames()["-" + name] = valueName;
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
        throw UsageError(std::string(option) + ": " + failure.what());
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

void startPainting() {
    if (!painting || painting->application)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* argv[] = {painting->programName, nullptr};
    painting->application = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitutes();
}

int cannotRun(const CLI::App& command, const std::exception& failure) {
    std::cerr << kToolName << " " << command.get_name() << ": " << failure.what() << "\n";
    return kUsage;
}

int runTool(int argc, char* argv[]) {
    CLI::App tool(std::string("Extension spring design calculator, command-line tool."),
                  std::string(kToolName));
    tool.formatter(std::make_shared<ToolFormatter>());
    tool.require_subcommand(0, 1);
    addCalcCommand(tool);
    addSearchCommand(tool);
    addSheetCommand(tool);
    addJisSheetCommand(tool);
    addDiagramCommand(tool);
    addDxfCommand(tool);
    addOutlineCommand(tool);
    addShapeCommand(tool);
    addChartCommand(tool);

    if (argc < 2 || std::string_view(argv[1]) == "help") {
        std::cout << ToolFormatter::toolUsage();
        return kDone;
    }
    const std::string_view first = argv[1];
    if (!first.starts_with('-') && !isCommandName(first)) {
        std::cerr << kToolName << ": unknown command '" << first << "'\n";
        std::cerr << ToolFormatter::toolUsage();
        return kUsage;
    }

    try {
        tool.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        const std::vector<CLI::App*> chosen = tool.get_subcommands();
        std::cout << (chosen.empty() ? ToolFormatter::toolUsage() : chosen.front()->help());
        return kDone;
    } catch (const CLI::ParseError& error) {
        const CLI::App* failing = &tool;
        for (const Command& command : commands())
            if (command.app->parsed())
                failing = command.app;
        return usageProblem(failing, parseProblem(error));
    }

    const std::vector<CLI::App*> chosen = tool.get_subcommands();
    if (chosen.empty()) {
        std::cout << ToolFormatter::toolUsage();
        return kDone;
    }
    const Command& command = *commandOf(chosen.front());
    if (const std::vector<std::string> extra = command.app->remaining(); !extra.empty())
        return usageProblem(command.app, "unknown option " + extra.front());

    Painting session{argv[0], nullptr};
    painting = &session;
    try {
        return command.run();
    } catch (const UsageError& problem) {
        return usageProblem(command.app, problem.what());
    } catch (const std::exception& failure) {
        std::cerr << kToolName << " " << command.app->get_name() << ": " << failure.what() << "\n";
        return kFailed;
    }
}

void addDataFileOptions(CLI::App& app, DataFileOptions& options) {
    addTextOption(app, "--materials", options.materials, "FILE",
                  std::string("material data file (default: ") + kMaterialFileName +
                      " next to hspring-cli)");
    addTextOption(app, "--settings", options.settings, "FILE",
                  "settings file with the design coefficients\n(default: the one next to "
                  "hspring-cli)");
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
    std::string input;
    try {
        start = startProgram(files, MissingDataFile::Fail);
        input =
            readInputText(command.count("--input") ? std::optional(options.input) : std::nullopt);
    } catch (const Error& error) {
        return cannotRun(command, error);
    }

    const int failed = answer(input, *start.state, [](std::string_view piece) {
        std::fwrite(piece.data(), 1, piece.size(), stdout);
    });
    if (std::fflush(stdout) != 0) {
        std::cerr << "hspring-cli " << command.get_name() << ": cannot write the results\n";
        return kUsage;
    }
    return failed == 0 ? kDone : kFailed;
}

} // namespace hspring::cli
