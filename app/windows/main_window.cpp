#include "app/windows/main_window.h"

namespace hspring {

MainWindow::MainWindow(ProgramState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("f_hip"));
    setWindowTitle(QStringLiteral("引張りコイルバネ計算"));
    setFixedSize(824, 780);
}

} // namespace hspring
