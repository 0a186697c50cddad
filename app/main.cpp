// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/calculation_file_menu.h"
#include "app/windows/main_window.h"
#include "base/error.h"
#include "base/file_io.h"
#include "calc/design_sources.h"
#include "data/data_locations.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "printing/windows/window_print.h"
#include "startup/program_start.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_text.h"
#include "toolkit/windows/qt_translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
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

// The help follows the locale, English or Japanese, as a manual page made from it does; the
// windows are Japanese in every locale. Qt reads the locale from the same variables.
bool japaneseLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const QByteArray value = qgetenv(variable); !value.isEmpty())
            return value.startsWith("ja");
    return false;
}

// Laid out as help2man reads it: the usage lines, the options with their texts two spaces or
// more to the right, and the sections under headings of their own.
QString helpText(bool japanese) {
    const QString share = QStringLiteral(HSPRING_PACKAGE_PREFIX "/share/hspring/");
    const QString user = QStringLiteral("~/.local/share/hspring/");
    const QString materials = QString::fromUtf8(kMaterialFileName);
    const QString settings = QString::fromUtf8(kSettingsFileName);
    if (japanese)
        return QStringLiteral(
                   "使用法: hspring [FILE.hbd]\n"
                   "  または: hspring --print-main-window FILE.pdf [--hbd FILE.hbd | --input "
                   "FILE.json]\n"
                   "  または: hspring --help | --version\n\n"
                   "フック付き引張りコイルバネの設計計算。オプションなしで "
                   "メインウィンドウを開き、\n"
                   "計算ファイル FILE.hbd が指定されていれば それを読み込みます。\n\n"
                   "オプション:\n"
                   "  -h, --help            このヘルプを表示して終了します。\n"
                   "  -v, --version         版を表示して終了します。\n"
                   "  --print-main-window FILE.pdf\n"
                   "                        メインウィンドウを 「画面印刷」と同じく A4 一枚に\n"
                   "                        合わせて FILE.pdf に印刷し 終了します。既存の\n"
                   "                        ファイルは 完成した新しいファイルでのみ "
                   "置き換えます。\n"
                   "  --hbd FILE.hbd        印刷の前に この計算ファイルを読み込みます\n"
                   "                        (--print-main-window と共に)。\n"
                   "  --input FILE.json     印刷の前に 初期値の代わりに この設計 (hspring-cli "
                   "calc\n"
                   "                        と同じ JSON) で 「計算」を押します\n"
                   "                        (--print-main-window と共に)。\n\n"
                   "終了ステータス:\n"
                   "  0  完了\n"
                   "  1  設計または印刷の失敗\n"
                   "  2  使い方の誤り または データファイルが読めない\n\n"
                   "ファイル:\n"
                   "  %1%3\n"
                   "                        インストールされた材料データ\n"
                   "  %1%4\n"
                   "                        インストールされた設計係数\n"
                   "  %2\n"
                   "                        変更して保存した材料データと係数。インストールされた\n"
                   "                        ものの代わりに読みます。\n\n"
                   "関連項目:\n"
                   "  hspring-cli(1)        コマンドラインツール\n"
                   "  %1help/helphelp.htm\n"
                   "                        ヘルプ (HTML)\n")
            .arg(share, user, materials, settings);
    return QStringLiteral(
               "Usage: hspring [FILE.hbd]\n"
               "  or:  hspring --print-main-window FILE.pdf [--hbd FILE.hbd | --input FILE.json]\n"
               "  or:  hspring --help | --version\n\n"
               "Design calculator for extension coil springs with hooks. Without options it\n"
               "opens the main window, whose texts are Japanese in every locale, and reads the\n"
               "calculation file FILE.hbd when one is given.\n\n"
               "Options:\n"
               "  -h, --help            show this help and end\n"
               "  -v, --version         show the version and end\n"
               "  --print-main-window FILE.pdf\n"
               "                        print the main window fitted to one A4 page into\n"
               "                        FILE.pdf, as its screen print (画面印刷) does, and end;\n"
               "                        an existing file is replaced only by a finished one\n"
               "  --hbd FILE.hbd        read this calculation file before printing (with\n"
               "                        --print-main-window)\n"
               "  --input FILE.json     press 計算 with this design (JSON, as hspring-cli calc\n"
               "                        reads it) instead of the start values before printing\n"
               "                        (with --print-main-window)\n\n"
               "Exit status:\n"
               "  0  done\n"
               "  1  a design or the print failed\n"
               "  2  a usage error, or a data file that cannot be read\n\n"
               "Files:\n"
               "  %1%3\n"
               "                        the material data installed with the program\n"
               "  %1%4\n"
               "                        the design coefficients installed with the program\n"
               "  %2\n"
               "                        the material data and coefficients as changed and\n"
               "                        saved, read instead of the installed ones\n\n"
               "See also:\n"
               "  hspring-cli(1)        the command-line tool\n"
               "  %1help/helphelp.htm\n"
               "                        the HTML help, in Japanese\n")
        .arg(share, user, materials, settings);
}

// Qt's own options (-platform, -style, -display, ...), which QApplication takes from the command
// line: accepted here so that they reach it, and hidden from the help.
QList<QCommandLineOption> qtOptions() {
    QList<QCommandLineOption> options;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "geometry", "style", "stylesheet", "name", "title"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("VALUE"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.append(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        options.append(option);
    }
    return options;
}

// A usage error in the reader's language: Qt's parser states it in English only.
QString usageProblem(const QString& qtText, bool japanese) {
    if (!japanese)
        return qtText;
    static const QRegularExpression kinds[] = {
        QRegularExpression(QStringLiteral("^Unknown option '(.*)'\\.$")),
        QRegularExpression(QStringLiteral("^Unknown options: (.*)\\.$")),
        QRegularExpression(QStringLiteral("^Missing value after '(.*)'\\.$")),
        QRegularExpression(QStringLiteral("^Unexpected value after '(.*)'\\.$"))};
    static const char* const words[] = {"不明なオプション: %1", "不明なオプション: %1",
                                        "%1 の後に値がありません", "%1 は値をとりません"};
    for (std::size_t kind = 0; kind < std::size(kinds); ++kind)
        if (const QRegularExpressionMatch match = kinds[kind].match(qtText); match.hasMatch())
            return QString::fromUtf8(words[kind]).arg(match.captured(1));
    return qtText;
}

} // namespace

// hspring [FILE.hbd]: the calculator, with the calculation file read when one is named. The
// options are read before Qt connects to a display, so that the help, the version and a usage
// error need none.
int main(int argc, char* argv[]) {
    const bool japanese = japaneseLocale();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    // -platform, -style: Qt's options take one dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption printOption(QStringLiteral("print-main-window"), QString(),
                                         QStringLiteral("FILE.pdf"));
    const QCommandLineOption hbdOption(QStringLiteral("hbd"), QString(),
                                       QStringLiteral("FILE.hbd"));
    const QCommandLineOption inputOption(QStringLiteral("input"), QString(),
                                         QStringLiteral("FILE.json"));
    parser.addOptions({helpOption, versionOption, printOption, hbdOption, inputOption});
    parser.addOptions(qtOptions());
    const QString tryHelp = japanese
                                ? QStringLiteral("'hspring --help' で使い方を表示します。\n")
                                : QStringLiteral("Try 'hspring --help' for more information.\n");
    if (!parser.parse(arguments)) {
        std::cerr << "hspring: " << usageProblem(parser.errorText(), japanese).toStdString() << "\n"
                  << tryHelp.toStdString();
        return kUsage;
    }
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        std::cout << (parser.isSet(helpOption) ? helpText(japanese)
                                               : QStringLiteral("hspring " HSPRING_VERSION "\n"))
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

    // The screen print for the documentation needs no display. Without XDG_RUNTIME_DIR (a plain
    // shell, a build) Qt would warn on standard error; a private folder for the run keeps it for
    // the program's own messages.
    std::optional<QTemporaryDir> runtimeFolder;
    if (batch) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeFolder.emplace().isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder->path()));
    }
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
