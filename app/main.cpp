#include "app/windows/main_window.h"
#include "calc/program_state.h"
#include "toolkit/painting/fonts.h"

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
    hspring::ProgramState state;
    hspring::MainWindow window(state, QCoreApplication::applicationDirPath());
    window.show();
    return application.exec();
}
