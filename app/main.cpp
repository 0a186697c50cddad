#include "app/painting/fonts.h"
#include "app/windows/main_window.h"
#include "calc/program_start.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("hspring"));
    // One style everywhere, so the field colours and the fixed layout look the same on every
    // desktop.
    application.setStyle(QStringLiteral("Fusion"));
    hspring::installFontSubstitutes();
    application.setFont(hspring::windowFont(12));

    // The data files and the help page lie next to the executable.
    const QString folder = QCoreApplication::applicationDirPath();
    const hspring::ProgramStart start = hspring::startProgram(
        hspring::DataFiles::in(folder.toStdString()), hspring::MissingDataFile::UseBuiltIn);
    hspring::MainWindow window(*start.state, folder, start.notices);
    window.show();
    return application.exec();
}
