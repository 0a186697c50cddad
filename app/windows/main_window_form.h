#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

class QMainWindow;

namespace hspring {

class CentredGrid;
class DiagramView;
class ShapePage;
class SlotSelector;
struct SpringDesign;

// The controls of the main window, named as the handlers know them.
struct MainWindowControls {
    // "諸元入力（水色部分を入力する）" with the picture Image5 that the input fields sit on.
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Image5 = nullptr;
    QComboBox* ComboBox5 = nullptr; // kind; item data = kind number
    QComboBox* ComboBox7 = nullptr; // grade
    QComboBox* ComboBox6 = nullptr; // wire diameter
    QLineEdit* Edit19 = nullptr;    // turns
    QCheckBox* cb1 = nullptr;       // "左巻き"
    QLabel* Label48 = nullptr;      // caption of the coil diameter's kind
    QLineEdit* Edit18 = nullptr;    // coil diameter
    QPushButton* BitBtn1 = nullptr; // diameter kind, hint "径切替"
    QLineEdit* Edit1 = nullptr;     // free length
    QCheckBox* CheckBox2 = nullptr; // take the recommended free length
    QLineEdit* Edit4 = nullptr;     // L1
    QLineEdit* Edit5 = nullptr;     // L2
    QLineEdit* Edit6 = nullptr;     // P1
    QLineEdit* Edit7 = nullptr;     // P2
    QCheckBox* CheckBox1 = nullptr; // "初張力=": initial tension from the recommended range
    QLineEdit* Edit33 = nullptr;    // initial tension
    QCheckBox* cb2 = nullptr;       // "低温焼きなまし"
    QLabel* Label28 = nullptr;      // spring index
    QLabel* Label2 = nullptr;       // "適正範囲=4～22"

    // "推奨値": the recommended values with their apply buttons.
    QGroupBox* GroupBox5 = nullptr;
    QLabel* Label36 = nullptr; // free length
    QLabel* Label30 = nullptr; // maximum length
    QLabel* Label56 = nullptr; // maximum load
    QLabel* Label45 = nullptr; // initial-tension range
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton3 = nullptr;

    // "計算結果".
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit8 = nullptr;  // spring rate
    QLineEdit* Edit9 = nullptr;  // stress at working point 2
    QLineEdit* Edit11 = nullptr; // allowable stress
    QLineEdit* Edit10 = nullptr; // expected life
    QListWidget* ListBox1 = nullptr;
    QPushButton* BitBtn2 = nullptr; // "計算"
    SlotSelector* SpinEdit1 = nullptr;
    QToolButton* SpeedButton6 = nullptr; // "▲" recall
    QToolButton* SpeedButton5 = nullptr; // "▼" store

    // "疲れ強さ線図".
    QGroupBox* GroupBox3 = nullptr;
    DiagramView* Image1 = nullptr;

    // The lower pages: the history grid and the spring shape.
    QTabWidget* PageControl1 = nullptr;
    CentredGrid* sg1 = nullptr;
    ShapePage* shapePage = nullptr; // the page TabSheet2, with the hook fields Edit12..Edit15

    // The main menu's items.
    QAction* Edit2 = nullptr;   // "読み取り"
    QAction* N3 = nullptr;      // "保存"
    QAction* N5 = nullptr;      // "要目表印刷"
    QAction* N1 = nullptr;      // "画面印刷"
    QAction* dxf1 = nullptr;    // "dxf出力"
    QAction* N2 = nullptr;      // "全データーコピー"
    QAction* N4 = nullptr;      // "寿命グラフコピー"
    QAction* llcheng = nullptr; // "長さ・荷重切替"
    QAction* N7 = nullptr;      // "材料編集"
    QAction* N8 = nullptr;      // "係数編集"
    QAction* Help2 = nullptr;   // "ヘルプ"
};

// Builds the main window's client area (824 x 780 at fixed positions) and its main menu. The
// spring view draws `currentDesign`.
MainWindowControls buildMainWindowForm(QMainWindow& window, const SpringDesign& currentDesign);

// Field colours: aqua marks a field the user fills in, white one the system fills in.
void setFieldColour(QWidget& field, bool userInput);

} // namespace hspring
