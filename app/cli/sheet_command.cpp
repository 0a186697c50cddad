// hspring-cli sheet: the spring data sheet of one design as a one-page PDF, printed by the
// same routine as the sheet's "プリント" button. With --main-window it prints the main window
// instead, as "画面印刷" does; both serve the documentation and machines without a printer.

#include "app/cli/commands.h"
#include "app/windows/main_window.h"
#include "base/error.h"
#include "calc/design_json.h"
#include "calc/program_state.h"
#include "data/calculation_file.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "printing/sheet_design.h"
#include "printing/windows/spec_sheet_window.h"
#include "printing/windows/window_print.h"
#include "toolkit/painting/fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace hspring;

constexpr int kPrinted = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "Usage: hspring-cli sheet [--hbd FILE.hbd [--slot N] | --input FILE.json] [--left-handed]\n"
    "                         [--materials FILE.dst] [--settings FILE] [--main-window]\n"
    "                         -o FILE.pdf\n\n"
    "Writes the spring data sheet (要目表) of one design as a one-page A4 PDF, exactly as the\n"
    "sheet's \"プリント\" button prints it.\n\n"
    "  --hbd FILE       calculation file; the sheet shows slot N as it stands (no calculation)\n"
    "  --slot N         slot of the calculation file, 0..30 (default 0, the current design)\n"
    "  --input FILE     without --hbd: one design as JSON, as the calc command reads it\n"
    "                   (default: standard input); it is calculated before it is printed\n"
    "  --left-handed    coiling direction left (左); right (右) otherwise\n"
    "  --materials FILE material data file (default: zaidat.dst next to hspring-cli)\n"
    "  --settings FILE  settings file with the design coefficients (default: the one next to\n"
    "                   hspring-cli)\n"
    "  --main-window    print the main window instead, fitted to the page as \"画面印刷\" does:\n"
    "                   after reading --hbd, or after \"計算\" with the --input design or the\n"
    "                   start values (needs the data files next to hspring-cli)\n"
    "  -o FILE.pdf      the PDF to write (replaced only by a complete new file)\n\n"
    "Exit status: 0 printed, 1 the design or the printing failed, 2 usage error or unreadable\n"
    "data file.\n";

struct Options {
    std::optional<std::string> hbd;
    std::optional<int> slot;
    std::optional<std::string> input;
    std::optional<std::string> materials;
    std::optional<std::string> settings;
    bool leftHanded = false;
    bool mainWindow = false;
    std::string output;
};

int usageError(std::string_view problem) {
    std::cerr << "hspring-cli sheet: " << problem << "\n\n" << kUsage;
    return kUsageError;
}

std::optional<int> parseSlot(std::string_view text) {
    int slot = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9' || slot > kLastHistorySlot)
            return std::nullopt;
        slot = slot * 10 + (digit - '0');
    }
    if (text.empty() || slot > kLastHistorySlot)
        return std::nullopt;
    return slot;
}

// Parses the options; nullopt after a usage error or --help, with `status` set.
std::optional<Options> parseOptions(int argc, char* argv[], int& status) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            status = kPrinted;
            return std::nullopt;
        }
        if (option == "--left-handed") {
            options.leftHanded = true;
            continue;
        }
        if (option == "--main-window") {
            options.mainWindow = true;
            continue;
        }
        std::optional<std::string>* target = option == "--hbd"         ? &options.hbd
                                             : option == "--input"     ? &options.input
                                             : option == "--materials" ? &options.materials
                                             : option == "--settings"  ? &options.settings
                                                                       : nullptr;
        const bool takesValue = target || option == "--slot" || option == "-o";
        if (!takesValue) {
            status = usageError("unknown option " + std::string(option));
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            status = usageError("missing value after " + std::string(option));
            return std::nullopt;
        }
        const std::string value = argv[++i];
        if (target) {
            *target = value;
        } else if (option == "-o") {
            options.output = value;
        } else if (!(options.slot = parseSlot(value))) {
            status = usageError("--slot takes a slot number 0..30, not " + value);
            return std::nullopt;
        }
    }
    if (options.output.empty()) {
        status = usageError("-o FILE.pdf is required");
        return std::nullopt;
    }
    if (options.hbd && options.input) {
        status = usageError("--hbd and --input exclude each other");
        return std::nullopt;
    }
    if (options.slot && !options.hbd) {
        status = usageError("--slot needs --hbd");
        return std::nullopt;
    }
    return options;
}

QString programFile(const char* name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(name));
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string readInput(const std::optional<std::string>& path) {
    QFile file;
    const bool opened =
        path ? (file.setFileName(QString::fromStdString(*path)), file.open(QIODevice::ReadOnly))
             : file.open(stdin, QIODevice::ReadOnly);
    if (!opened)
        throw fileOpenError(path ? *path : "<standard input>");
    return file.readAll().toStdString();
}

// The data the design needs, loaded before anything is printed so that a missing file is a
// usage problem, not a half-done job.
struct Data {
    MaterialLibrary materials{};
    SettingsRecord settings{};
};

std::unique_ptr<Data> loadData(const Options& options) {
    auto data = std::make_unique<Data>();
    loadMaterialLibrary(options.materials.value_or(utf8(programFile("zaidat.dst"))),
                        data->materials);
    // Only a design that is calculated here needs the coefficients.
    if (!options.hbd)
        loadSettings(options.settings.value_or(utf8(programFile(kSettingsFileName))),
                     data->settings);
    return data;
}

void printSheet(const Options& options, const Data& data) {
    const SpringDesign design =
        options.hbd ? designFromCalculationFile(*options.hbd, options.slot.value_or(0))
                    : calculatedDesignFromJson(readInput(options.input), data.materials,
                                               data.settings.coefficients);
    SpecSheetWindow sheet;
    sheet.fillSpecSheet(design, data.materials, options.leftHanded);
    sheet.show();
    sheet.printSheetToPdf(QString::fromStdString(options.output));
}

// The main window with its own data folder, as the program starts it. The files must be there:
// without them the start-up would stop to ask.
void printMainWindow(const Options& options, const Data& data) {
    const QString folder = QCoreApplication::applicationDirPath();
    for (const char* name : {"zaidat.dst", kSettingsFileName})
        if (!QFileInfo::exists(programFile(name)))
            throw fileOpenError(utf8(programFile(name)));

    const auto state = std::make_unique<ProgramState>();
    MainWindow window(*state, folder);
    if (options.hbd) {
        // As after reading a calculation file: every slot from the file, slot 0 shown.
        loadDesignSlots(*options.hbd, state->designs);
        for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
            window.refreshHistoryRow(slot);
        window.showDesign();
    } else {
        // The design is calculated first, so a failing design stops here and not in an error
        // box; then "計算" shows it with its checks, as the user would see it.
        if (options.input)
            state->current() = calculatedDesignFromJson(readInput(options.input), data.materials,
                                                        data.settings.coefficients);
        window.showDesign();
        window.refreshRecommendations();
        if (auto* calculate = window.findChild<QAbstractButton*>(QStringLiteral("BitBtn2")))
            calculate->click();
    }
    window.show();
    QCoreApplication::processEvents();
    printWindowImageToPdf(window, PrintScaling::FitToPage, QString::fromStdString(options.output));
}

} // namespace

int runSheetCommand(int argc, char* argv[]) {
    int status = kPrinted;
    const std::optional<Options> options = parseOptions(argc, argv, status);
    if (!options)
        return status;

    // The pages are painted by the windows themselves, off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    application.setApplicationName(QStringLiteral("hspring"));
    installFontSubstitutes();
    application.setFont(windowFont(12));

    std::unique_ptr<Data> data;
    try {
        data = loadData(*options);
    } catch (const std::exception& failure) {
        std::cerr << "hspring-cli sheet: " << failure.what() << "\n";
        return kUsageError;
    }
    try {
        if (options->mainWindow)
            printMainWindow(*options, *data);
        else
            printSheet(*options, *data);
    } catch (const std::exception& failure) {
        std::cerr << "hspring-cli sheet: " << failure.what() << "\n";
        return kFailed;
    }
    return kPrinted;
}
