#include "app/painting/fonts.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/main_window.h"
#include "calc/program_state.h"
#include "data/data_locations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStandardPaths>

namespace {

std::filesystem::path localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

// hspring [FILE.hbd]: the calculator, with the calculation file read when one is named.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("hspring"));
    // One style everywhere, so the field colours and the fixed layout look the same on every
    // desktop.
    application.setStyle(QStringLiteral("Fusion"));
    hspring::installFontSubstitutes();
    application.setFont(hspring::windowFont(12));

    QCommandLineParser arguments;
    arguments.addHelpOption();
    arguments.addPositionalArgument(QStringLiteral("FILE.hbd"),
                                    QStringLiteral("calculation file to read at start"));
    arguments.process(application);

    // Run where it was built, the data files and the help page lie next to the executable;
    // installed, the defaults lie in share/hspring and each user's changes in the user's data
    // folder.
    const std::filesystem::path programFolder = localPath(QCoreApplication::applicationDirPath());
    const hspring::DataLocations locations = hspring::locateDataFiles(
        programFolder, hspring::installedShareFolder(programFolder),
        localPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));

    hspring::ProgramState state;
    hspring::MainWindow window(state, locations);
    window.show();
    if (const QStringList files = arguments.positionalArguments(); !files.isEmpty())
        hspring::readCalculationFile(window, QFile::encodeName(files.constFirst()).toStdString());
    return application.exec();
}
