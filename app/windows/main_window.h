#pragma once

#include "calc/program_state.h"

#include <QMainWindow>

namespace hspring {

// The main window f_hip: inputs, results, fatigue diagram, history and the spring view.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);

private:
    ProgramState& state_;
};

} // namespace hspring
