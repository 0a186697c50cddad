// The yardstick of the start-up measurement (scripts/measure-startup): a bare Qt main window with
// nothing in it, started the way the program starts its own.
//
//   hspring-bare-window [WIDTH HEIGHT]     the window's size; Qt's default without
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare main window"));
    // The same size as the window it is compared with: its backing store grows with its area.
    if (argc == 3)
        window.resize(QString::fromLocal8Bit(argv[1]).toInt(),
                      QString::fromLocal8Bit(argv[2]).toInt());
    window.show();
    return application.exec();
}
