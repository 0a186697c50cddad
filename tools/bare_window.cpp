// SPDX-License-Identifier: GPL-3.0-or-later
// The yardsticks of the start-up measurement (scripts/measure-startup): a bare Qt main window,
// started the way the program starts its own, with nothing in it or with one line of Japanese
// text. The second shows what any window with Japanese captions pays before its first paint:
// the font configuration read and one CJK face loaded and rasterised. An empty window pays
// neither, since Qt reads the fonts only when something draws text.
//
//   hspring-bare-window [--text] [WIDTH HEIGHT]     the window's size; Qt's default without
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool withText = arguments.removeAll(QStringLiteral("--text")) > 0;
    QMainWindow window;
    window.setWindowTitle(withText ? QStringLiteral("bare main window with text")
                                   : QStringLiteral("bare main window"));
    if (withText)
        window.setCentralWidget(new QLabel(QStringLiteral("引張りコイルバネ計算　材料　線径")));
    // The same size as the window it is compared with: its backing store grows with its area.
    if (arguments.size() == 2)
        window.resize(arguments[0].toInt(), arguments[1].toInt());
    window.show();
    return application.exec();
}
