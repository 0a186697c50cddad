#include "app/windows/main_window.h"

namespace hspring {

struct MainWindowControls {};

MainWindow::MainWindow(ProgramState& state, const QString& dataFolder, QWidget* parent)
    : QMainWindow(parent), state_(state), dataFolder_(dataFolder),
      ui_(std::make_unique<MainWindowControls>()) {
    setObjectName(QStringLiteral("f_hip"));
    setWindowTitle(QStringLiteral("引張りコイルバネ計算"));
}

MainWindow::~MainWindow() = default;

void MainWindow::readDesignInputs() {}

void MainWindow::showDesign() {}

void MainWindow::refreshHistoryRow(int) {}

void MainWindow::refreshRecommendations() {}

bool MainWindow::leftHanded() const {
    return false;
}

} // namespace hspring
