// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/calculation_file_menu.h"
#include "app/windows/main_window.h"
#include "base/error.h"
#include "base/file_io.h"
#include "calc/design_sources.h"
#include "data/data_locations.h"
#include "printing/windows/window_print.h"
#include "startup/program_start.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_text.h"
#include "toolkit/windows/qt_translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStandardPaths>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>

namespace {

using namespace hspring;

enum ExitStatus { kDone = 0, kFailed = 1, kUsage = 2 };

std::filesystem::path localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Run where it was built, the data files and the help page lie next to the executable;
// installed, the defaults lie in share/hspring and each user's changes in the user's data
// folder.
DataLocations programDataLocations() {
    const std::filesystem::path programFolder = localPath(QCoreApplication::applicationDirPath());
    return locateDataFiles(
        programFolder, installedShareFolder(programFolder),
        localPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
}

struct PrintRequest {
    QString pdf;
    QString hbd;
    QString input;
};

std::string readDesignText(const QString& path) {
    const std::vector<std::byte> bytes = readFileBytes(path.toStdString());
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// "画面印刷" without a printer, for the documentation: the main window as the program starts it
// from its own data files, after reading a calculation file or after "計算" with a design given
// as JSON (or the start values), printed fitted to an A4 PDF page. No box opens: a data file that
// cannot be read ends the run (2), and so does a design or a print that fails (1).
int printMainWindow(const PrintRequest& request) {
    const DataLocations locations = programDataLocations();
    ProgramStart start;
    try {
        start = startProgram(DataFiles::from(locations), MissingDataFile::Fail);
    } catch (const Error& error) {
        std::cerr << "hspring: " << errorText(error).toStdString() << "\n";
        return kUsage;
    }
    try {
        ProgramState& state = *start.state;
        // A design that fails is caught here, before the window could show an error box.
        std::optional<SpringDesign> design;
        if (!request.input.isEmpty())
            design = calculatedDesignFromJson(readDesignText(request.input), state.materials,
                                              state.settings.coefficients);
        MainWindow window(state, locations);
        if (!request.hbd.isEmpty()) {
            // As "読み取り" reads a calculation file: every slot from the file, slot 0 shown. A
            // batch run leaves the user's recent files alone.
            openCalculationFile(window, localPath(request.hbd).string());
        } else {
            // "計算" then shows the design with its checks, as the user would see it.
            if (design)
                state.current() = *design;
            window.showDesign();
            window.refreshRecommendations();
            window.calculateAndDraw();
        }
        window.show();
        QCoreApplication::processEvents();
        printWindowImageToPdf(window, PrintScaling::FitToPage, request.pdf);
    } catch (const std::exception& failure) {
        std::cerr << "hspring: " << errorText(failure).toStdString() << "\n";
        return kFailed;
    }
    return kDone;
}

} // namespace

// hspring [FILE.hbd]: the calculator, with the calculation file read when one is named.
int main(int argc, char* argv[]) {
    // The screen print for the documentation and the help text need no display.
    for (int i = 1; i < argc; ++i)
        for (const char* batchOption : {"--print-main-window", "--help", "-h", "--version", "-v"})
            if (std::strcmp(argv[i], batchOption) == 0 &&
                qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("hspring"));
    application.setApplicationVersion(QStringLiteral(HSPRING_VERSION));
    application.setDesktopFileName(QStringLiteral(HSPRING_DESKTOP_ID));
    // One style everywhere, so the field colours and the fixed layout look the same on every
    // desktop.
    application.setStyle(QStringLiteral("Fusion"));
    installFontSubstitutes();
    application.setFont(windowFont(12));
    installQtJapanese(application);

    QCommandLineParser parser;
    // The lines are short and the options' texts break at spaces: the manual page made from
    // this help can break Japanese lines only there.
    parser.setApplicationDescription(QStringLiteral(
        "引張りコイルバネ計算: フック付き引張りコイルバネの設計計算。\n"
        "オプションなしで メインウィンドウを開き、\n"
        "計算ファイル FILE.hbd が指定されていれば それを読み込みます。\n"
        "--print-main-window は そのウィンドウを PDF ファイルに印刷して終了します。\n"
        "終了ステータス: 0 完了、1 設計または印刷の失敗、\n"
        "2 使い方の誤り または データファイルが読めない。"));
    // Qt's own help and version options describe themselves in English: these say the same in
    // Japanese, as every other line of the help.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("このヘルプを表示して終了します。"));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("版を表示して終了します。"));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    parser.addPositionalArgument(QStringLiteral("FILE.hbd"),
                                 QStringLiteral("起動時に読み込む計算ファイル"),
                                 QStringLiteral("[FILE.hbd]"));
    const QCommandLineOption printOption(
        QStringLiteral("print-main-window"),
        QStringLiteral(
            "メインウィンドウを 「画面印刷」と同じく A4 一枚に合わせて FILE.pdf に"
            "印刷し 終了します。既存のファイルは 完成した新しいファイルでのみ 置き換えます。"),
        QStringLiteral("FILE.pdf"));
    const QCommandLineOption hbdOption(
        QStringLiteral("hbd"),
        QStringLiteral("印刷の前に この計算ファイルを読み込みます (--print-main-window と共に)。"),
        QStringLiteral("FILE.hbd"));
    const QCommandLineOption inputOption(
        QStringLiteral("input"),
        QStringLiteral("印刷の前に 初期値の代わりに この設計 (hspring-cli calc と同じ JSON) で "
                       "「計算」を押します (--print-main-window と共に)。"),
        QStringLiteral("FILE.json"));
    parser.addOptions({printOption, hbdOption, inputOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::cerr << "hspring: " << parser.errorText().toStdString() << "\n\n"
                  << parser.helpText().toStdString();
        return kUsage;
    }
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        std::cout << (parser.isSet(helpOption)
                          ? parser.helpText().replace(QCoreApplication::arguments().constFirst(),
                                                      QStringLiteral("hspring"))
                          : QStringLiteral("hspring %1\n").arg(application.applicationVersion()))
                         .toStdString()
                  << std::flush;
        return std::cout ? kDone : kFailed;
    }
    const bool batch = parser.isSet(printOption);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1 || (batch && !files.isEmpty())) {
        std::cerr << "hspring: 計算ファイルは一つまで、--print-main-window と共には指定できません"
                     "（--hbd を使います）\n";
        return kUsage;
    }
    if ((!batch && (parser.isSet(hbdOption) || parser.isSet(inputOption))) ||
        (parser.isSet(hbdOption) && parser.isSet(inputOption))) {
        std::cerr << "hspring: --hbd と --input は --print-main-window と共に、どちらか一方だけ"
                     "指定します\n";
        return kUsage;
    }
    if (batch)
        return printMainWindow(
            {parser.value(printOption), parser.value(hbdOption), parser.value(inputOption)});

    const DataLocations locations = programDataLocations();
    const ProgramStart start =
        startProgram(DataFiles::from(locations), MissingDataFile::UseBuiltIn);
    MainWindow window(*start.state, locations, start.notices);
    window.show();
    if (!files.isEmpty())
        readCalculationFile(window, localPath(files.constFirst()));
    return application.exec();
}
