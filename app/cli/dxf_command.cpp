// The drawing commands of hspring-cli, which share the description of the spring:
//   dxf      writes the DXF file the menu item "dxf出力" writes;
//   outline  prints the free-state outline behind that file as JSON;
//   shape    renders the spring shape page, as the main window shows it, into a PNG file.

#include "app/cli/commands.h"
#include "base/error.h"
#include "base/file_io.h"
#include "base/text_to_number.h"
#include "drawing/dxf_file.h"
#include "drawing/loaded_view.h"
#include "drawing/outline_json.h"
#include "drawing/windows/shape_page.h"
#include "toolkit/painting/fonts.h"

#include <QApplication>
#include <QBuffer>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace hspring;

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kSpringOptions =
    "  --round --angle A       round hooks with the hook angle A (degrees)\n"
    "  --u --length L --opening O --min-radius R\n"
    "                          U hooks with hook length L, opening length O and minimum bend\n"
    "                          radius R (mm)\n"
    "  --d D_WIRE              wire diameter (mm)\n"
    "  --D D_MEAN              mean coil diameter (mm)\n"
    "  --N TURNS               total number of turns\n";

struct CommandText {
    std::string_view name;
    std::string_view synopsis;
    std::string_view description;
    std::string_view extraOptions;
};

const CommandText kDxf{
    "dxf",
    "dxf (--round --angle A | --u --length L --opening O --min-radius R)\n"
    "           --d D_WIRE --D D_MEAN --N TURNS -o FILE.dxf",
    "Writes the free spring with its hooks as the DXF file (AC1009, millimetres) that the menu\n"
    "item \"dxf出力\" writes.\n",
    "  -o FILE.dxf             the file to write; an existing file is replaced only when the new\n"
    "                          one is complete\n"};

const CommandText kOutline{
    "outline",
    "outline (--round --angle A | --u --length L --opening O --min-radius R)\n"
    "           --d D_WIRE --D D_MEAN --N TURNS",
    "Prints the free-state outline behind the DXF file as JSON: every segment and arc in the\n"
    "file's order, millimetres and degrees, numbers that read back to the same doubles.\n",
    ""};

const CommandText kShape{
    "shape",
    "shape (--round --angle A | --u --length L --opening O --min-radius R)\n"
    "           --d D_WIRE --D D_MEAN --N TURNS [--L1 L1] [--L2 L2]\n"
    "           [--view free|load1|load2] -o FILE.png",
    "Renders the spring shape page of the main window (hook pages, spring view and state) as\n"
    "a PNG picture, as it looks after Calculate and the presses of the state button.\n",
    "  --L1 L1, --L2 L2        the working lengths (mm): the round-hook views are framed to L2\n"
    "                          and the loaded views stretch the spring to L1 or L2\n"
    "  --view STATE            free (the default), load1 or load2; round hooks only\n"
    "  -o FILE.png             the picture to write\n"};

void printUsage(std::ostream& out, const CommandText& command) {
    out << "Usage: hspring-cli " << command.synopsis << "\n\n"
        << command.description << "\n"
        << kSpringOptions << command.extraOptions
        << "\nExit status: 0 done, 1 the spring cannot be drawn or the file not written, 2 usage "
           "error.\n";
}

int usageError(const CommandText& command, std::string_view problem) {
    std::cerr << "hspring-cli " << command.name << ": " << problem << "\n\n";
    printUsage(std::cerr, command);
    return kUsageError;
}

// The options as given: a flag maps to "", an option with a value to its text.
using OptionTexts = std::map<std::string, std::string, std::less<>>;

struct SpringOptions {
    bool roundHook = true;
    CoilShape coil;
    double hookAngle = 0;
    UHookShape uHook;
    OptionTexts texts;
};

constexpr std::string_view kHookFlags[] = {"--round", "--u"};
constexpr std::string_view kSpringValues[] = {"--angle", "--length", "--opening", "--min-radius",
                                              "--d",     "--D",      "--N"};

template <typename Names>
bool listed(const Names& names, std::string_view option) {
    return std::find(std::begin(names), std::end(names), option) != std::end(names);
}

// Reads the options into `spring`: the spring's own and the command's `extraValues`. Returns an
// exit status when the command ends here (help, usage error).
std::optional<int> parseSpring(const CommandText& command, int argc, char* argv[],
                               std::initializer_list<std::string_view> extraValues,
                               SpringOptions& spring) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            printUsage(std::cout, command);
            return kDone;
        }
        if (listed(kHookFlags, option)) {
            spring.texts[std::string(option)] = "";
            continue;
        }
        if (!listed(kSpringValues, option) && !listed(extraValues, option))
            return usageError(command, "unknown option " + std::string(option));
        if (i + 1 >= argc)
            return usageError(command, "missing value after " + std::string(option));
        spring.texts[std::string(option)] = argv[++i];
    }

    spring.roundHook = spring.texts.contains("--round");
    if (spring.roundHook == spring.texts.contains("--u"))
        return usageError(command, "give either --round or --u");
    std::map<std::string_view, double> numbers;
    std::vector<std::string_view> required{"--d", "--D", "--N"};
    if (spring.roundHook)
        required.push_back("--angle");
    else
        required.insert(required.end(), {"--length", "--opening", "--min-radius"});
    for (std::string_view name : required) {
        const auto text = spring.texts.find(name);
        if (text == spring.texts.end())
            return usageError(command, std::string(name) + " is required");
        try {
            numbers[name] = textToDouble(text->second);
        } catch (const Error& failure) {
            return usageError(command, std::string(name) + ": " + failure.what());
        }
    }
    spring.coil = {numbers["--d"], numbers["--D"], numbers["--N"]};
    if (spring.roundHook)
        spring.hookAngle = numbers["--angle"];
    else
        spring.uHook = {numbers["--length"], numbers["--opening"], numbers["--min-radius"]};
    return std::nullopt;
}

std::optional<double> optionalNumber(const SpringOptions& spring, std::string_view name) {
    const auto text = spring.texts.find(name);
    if (text == spring.texts.end())
        return std::nullopt;
    return textToDouble(text->second);
}

// Runs the command's work, reporting a failure the way the program's error box would.
template <typename Work>
int reportingFailures(const CommandText& command, Work work) {
    try {
        work();
        return kDone;
    } catch (const std::exception& failure) {
        std::cerr << "hspring-cli " << command.name << ": " << failure.what() << "\n";
        return kFailed;
    }
}

Outline outlineOf(const SpringOptions& spring) {
    return spring.roundHook ? roundHookOutline(spring.coil, spring.hookAngle)
                            : uHookOutline(spring.coil, spring.uHook);
}

// The page as the main window holds it after Calculate and `presses` of the state button.
QPixmap renderShapePage(const SpringOptions& spring, double length1, double length2, int presses) {
    SpringDesign design{};
    design.wireDiameter = spring.coil.wireDiameter;
    design.meanDiameter = spring.coil.meanDiameter;
    design.totalTurns = spring.coil.totalTurns;
    design.length1 = length1;
    design.length2 = length2;

    ShapePage page(design);
    const auto fieldText = [&](std::string_view option, const char* fallback) {
        const auto text = spring.texts.find(option);
        return QString::fromStdString(text != spring.texts.end() ? text->second : fallback);
    };
    page.hookAngleField()->setText(fieldText("--angle", "80"));
    page.hookLengthField()->setText(fieldText("--length", "10"));
    page.hookOpeningField()->setText(fieldText("--opening", "3"));
    page.minRadiusField()->setText(fieldText("--min-radius", "2"));
    if (!spring.roundHook)
        page.findChild<QTabWidget*>(QStringLiteral("PageControl2"))->setCurrentIndex(1);

    // The state button reports its failures in an error box, which nobody would answer here:
    // the loaded views are worked out first, so that a failure ends the command instead.
    for (int state = 1; state <= presses; ++state)
        loadedRoundHookOutline(spring.coil, spring.hookAngle, state == 1 ? length1 : length2);
    page.drawFreeSpring(design);
    for (int i = 0; i < presses; ++i)
        page.cycleShapeView();
    return page.grab();
}

} // namespace

int runDxfCommand(int argc, char* argv[]) {
    SpringOptions spring;
    if (const auto status = parseSpring(kDxf, argc, argv, {"-o"}, spring))
        return *status;
    if (!spring.texts.contains("-o"))
        return usageError(kDxf, "-o is required");
    return reportingFailures(
        kDxf, [&] { writeDxfFile(spring.texts.at("-o"), dxfFileBytes(outlineOf(spring))); });
}

int runOutlineCommand(int argc, char* argv[]) {
    SpringOptions spring;
    if (const auto status = parseSpring(kOutline, argc, argv, {}, spring))
        return *status;
    return reportingFailures(kOutline, [&] {
        std::cout << outlineJson(spring.roundHook ? "round" : "u", outlineOf(spring)) << "\n";
    });
}

int runShapeCommand(int argc, char* argv[]) {
    SpringOptions spring;
    if (const auto status =
            parseSpring(kShape, argc, argv, {"-o", "--L1", "--L2", "--view"}, spring))
        return *status;
    if (!spring.texts.contains("-o"))
        return usageError(kShape, "-o is required");
    const std::map<std::string_view, int> presses{{"free", 0}, {"load1", 1}, {"load2", 2}};
    const auto view = presses.find(spring.texts.contains("--view") ? spring.texts.at("--view")
                                                                   : std::string("free"));
    if (view == presses.end())
        return usageError(kShape, "--view takes free, load1 or load2");
    if (view->second > 0 && !spring.roundHook)
        return usageError(kShape, "the U hook has only the free view");
    std::optional<double> length1;
    std::optional<double> length2;
    try {
        length1 = optionalNumber(spring, "--L1");
        length2 = optionalNumber(spring, "--L2");
    } catch (const Error& failure) {
        return usageError(kShape, failure.what());
    }
    if (spring.roundHook && !length2)
        return usageError(kShape, "round hooks are framed to --L2, which is required");
    if (view->second == 1 && !length1)
        return usageError(kShape, "--view load1 needs --L1");

    // The page needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    installFontSubstitutes();
    QApplication::setFont(windowFont(12));

    return reportingFailures(kShape, [&] {
        const QPixmap picture =
            renderShapePage(spring, length1.value_or(0), length2.value_or(0), view->second);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        writeFileAtomically(
            spring.texts.at("-o"),
            std::as_bytes(std::span(png.constData(), static_cast<std::size_t>(png.size()))));
    });
}
