#include "app/painting/fonts.h"
#include "app/windows/main_window.h"
#include "calc/program_state.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("hspring"));
    hspring::installFontSubstitutes();
    application.setFont(hspring::windowFont(12));

    // The data files and the help page lie next to the executable.
    hspring::ProgramState state;
    hspring::MainWindow window(state, QCoreApplication::applicationDirPath());
    window.show();
    return application.exec();
}
