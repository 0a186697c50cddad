// hspring-cli diagram: draws the fatigue-strength diagram for given stress coefficients into a
// PNG file, with the same routine as the main window, for reports and for checking the picture
// without a display.

#include "app/cli/commands.h"
#include "app/painting/fatigue_diagram.h"
#include "base/error.h"
#include "base/file_io.h"
#include "base/text_to_number.h"
#include "data/settings.h"
#include "toolkit/painting/fonts.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace hspring;

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "Usage: hspring-cli diagram --upper U --lower L [--hook-factor F] -o FILE.png\n\n"
    "Draws the fatigue-strength diagram (400 x 417 pixels) with the coil body's point\n"
    "(U = tau2/sigmaB, L = tau1/sigmaB) and the hook's point (both times F) and writes it as a\n"
    "PNG file. Every \"グラフエリアオーバー\" the program would add to its message list is\n"
    "printed on standard output.\n\n"
    "  --upper U        upper stress coefficient tau2/sigmaB\n"
    "  --lower L        lower stress coefficient tau1/sigmaB\n"
    "  --hook-factor F  hook stress concentration factor (default: the customary 1.25)\n"
    "  -o FILE.png      the picture to write; an existing file is replaced only when the new\n"
    "                   one is complete\n\n"
    "Exit status: 0 written, 1 the file could not be written, 2 usage error.\n";

struct Options {
    double upper = 0;
    double lower = 0;
    double hookFactor = customaryCoefficients().hookStressFactor;
    std::string output;
};

int usageError(std::string_view problem) {
    std::cerr << "hspring-cli diagram: " << problem << "\n\n" << kUsage;
    return kUsageError;
}

// Parses the options into `options`; returns an exit status when the command ends here.
std::optional<int> parseOptions(int argc, char* argv[], Options& options) {
    bool hasUpper = false;
    bool hasLower = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return kWritten;
        }
        if (option != "--upper" && option != "--lower" && option != "--hook-factor" &&
            option != "-o")
            return usageError("unknown option " + std::string(option));
        if (i + 1 >= argc)
            return usageError("missing value after " + std::string(option));
        const std::string_view value = argv[++i];
        if (option == "-o") {
            options.output = value;
            continue;
        }
        try {
            const double number = textToDouble(value);
            if (option == "--upper") {
                options.upper = number;
                hasUpper = true;
            } else if (option == "--lower") {
                options.lower = number;
                hasLower = true;
            } else {
                options.hookFactor = number;
            }
        } catch (const Error& failure) {
            return usageError(std::string(option) + ": " + failure.what());
        }
    }
    if (!hasUpper || !hasLower || options.output.empty())
        return usageError("--upper, --lower and -o are required");
    return std::nullopt;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int runDiagramCommand(int argc, char* argv[]) {
    Options options;
    if (const std::optional<int> status = parseOptions(argc, argv, options))
        return *status;

    // The picture needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    installFontSubstitutes();

    const FatigueDiagramPicture picture =
        renderFatigueDiagram(options.upper, options.lower, options.hookFactor);
    const QByteArray png = pngBytes(picture.image);
    try {
        writeFileAtomically(options.output, std::as_bytes(std::span(png.data(), png.size())));
    } catch (const Error& failure) {
        std::cerr << "hspring-cli diagram: " << failure.what() << "\n";
        return kNotWritten;
    }
    for (int i = 0; i < picture.overAreaNotices; ++i)
        std::cout << graphAreaOverNotice().toStdString() << "\n";
    return kWritten;
}
