// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/units.h"
#include "toolkit/windows/number_field.h"

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
#include <vector>

class QMainWindow;
class QMenu;

namespace hspring {

class CentredGrid;
class ChartPage;
class DetailPage;
class DiagramView;
class ShapePage;
class SlotSelector;
struct SpringDesign;

// The controls of the main window. Each keeps its object name from the window's definition (the
// trailing comment), by which tests and accessibility tools find it; docs/form-names.md lists
// them all. Every field that holds a number is a NumberField described by the caption and the
// unit shown beside it.
struct MainWindowControls {
    // "諸元入力（水色部分を入力する）" with the picture that the input fields sit on.
    QGroupBox* inputGroup = nullptr;               // GroupBox1
    QLabel* inputPicture = nullptr;                // Image5
    QComboBox* kindList = nullptr;                 // ComboBox5; item data = kind number
    QComboBox* gradeList = nullptr;                // ComboBox7
    QComboBox* wireDiameterList = nullptr;         // ComboBox6
    NumberField* turnsField = nullptr;             // Edit19
    QCheckBox* leftHandedBox = nullptr;            // cb1 "左巻き"
    QLabel* coilDiameterCaption = nullptr;         // Label48: which diameter the field holds
    NumberField* coilDiameterField = nullptr;      // Edit18
    QPushButton* diameterKindButton = nullptr;     // BitBtn1, hint "径切替"
    NumberField* freeLengthField = nullptr;        // Edit1
    QCheckBox* recommendedFreeLengthBox = nullptr; // CheckBox2: take the recommended free length
    NumberField* length1Field = nullptr;           // Edit4, L1
    NumberField* length2Field = nullptr;           // Edit5, L2
    NumberField* load1Field = nullptr;             // Edit6, P1
    NumberField* load2Field = nullptr;             // Edit7, P2
    QCheckBox* autoInitialTensionBox = nullptr; // CheckBox1 "初張力=": from the recommended range
    NumberField* initialTensionField = nullptr; // Edit33
    QCheckBox* lowTempAnnealedBox = nullptr;    // cb2 "低温焼きなまし"
    QLabel* springIndexLabel = nullptr;         // Label28
    QLabel* springIndexRangeLabel = nullptr;    // Label2 "適正範囲=4～22"

    // "推奨値": the recommended values with the buttons that put them into their fields.
    QGroupBox* recommendationGroup = nullptr;         // GroupBox5
    QLabel* recommendedFreeLengthLabel = nullptr;     // Label36
    QLabel* maxLengthLabel = nullptr;                 // Label30
    QLabel* maxLoadLabel = nullptr;                   // Label56
    QLabel* initialTensionRangeLabel = nullptr;       // Label45
    QToolButton* applyFreeLengthButton = nullptr;     // SpeedButton2
    QToolButton* applyMaxLengthButton = nullptr;      // SpeedButton7
    QToolButton* applyMaxLoadButton = nullptr;        // SpeedButton1
    QToolButton* applyInitialTensionButton = nullptr; // SpeedButton3

    // The fields of loads, rates and stresses with the unit caption beside each: they follow the
    // unit setting.
    struct ForceUnit {
        NumberField* field;
        QLabel* unitLabel;
        ForceQuantity quantity;
    };
    std::vector<ForceUnit> forceUnits;

    // "計算結果".
    QGroupBox* resultGroup = nullptr;            // GroupBox2
    NumberField* springRateField = nullptr;      // Edit8
    NumberField* stress2Field = nullptr;         // Edit9: stress at working point 2
    NumberField* allowableStressField = nullptr; // Edit11
    QLineEdit* expectedLifeField = nullptr;      // Edit10
    QListWidget* statusList = nullptr;           // ListBox1
    QLabel* lifeGoverningLabel = nullptr;        // the part whose life is the spring's
    QPushButton* calculateButton = nullptr;      // BitBtn2 "計算"
    SlotSelector* slotSelector = nullptr;        // SpinEdit1
    QToolButton* recallButton = nullptr;         // SpeedButton6 "▲"
    QToolButton* storeButton = nullptr;          // SpeedButton5 "▼"

    // "疲れ強さ線図".
    QGroupBox* diagramGroup = nullptr;  // GroupBox3
    QGroupBox* verdictGroup = nullptr;  // the status list's column
    DiagramView* diagramView = nullptr; // Image1

    // The lower pages: the history grid, the spring shape and the detailed results.
    QTabWidget* lowerPages = nullptr;   // PageControl1
    CentredGrid* historyGrid = nullptr; // sg1, on the page TabSheet1
    ShapePage* shapePage = nullptr;     // TabSheet2, with the hook fields Edit12..15
    DetailPage* detailPage = nullptr;   // DetailPage "＜ 詳細計算 ＞"
    ChartPage* chartPage = nullptr;     // ChartPage "＜ 荷重－長さ線図 ＞"

    // The main menu's items.
    QAction* newFileItem = nullptr;          // "新規"
    QAction* readFileItem = nullptr;         // Edit2 "読み取り"
    QAction* saveFileItem = nullptr;         // N3 "保存"
    QMenu* recentFilesMenu = nullptr;        // RecentFiles "最近使ったファイル"
    QAction* printSheetItem = nullptr;       // N5 "要目表印刷"
    QAction* saveSheetPdfItem = nullptr;     // SheetPdf "PDFに保存": the data sheet as a PDF
    QAction* jisSheetItem = nullptr;         // JisSheet "仕様書（JIS形式）"
    QAction* printWindowItem = nullptr;      // N1 "画面印刷"
    QAction* exportDxfItem = nullptr;        // dxf1 "dxf出力"
    QAction* copyHistoryItem = nullptr;      // N2 "全データーコピー"
    QAction* copyDiagramItem = nullptr;      // N4 "寿命グラフコピー"
    QAction* lengthLoadSwitchItem = nullptr; // llcheng "長さ・荷重切替"
    QAction* siUnitsItem = nullptr;          // "単位" › "SI（N, N/mm, N/mm²）"
    QAction* gravitationalUnitsItem = nullptr; // "単位" › "重力単位（kgf, kgf/mm, kgf/mm²）"
    QAction* editMaterialsItem = nullptr;      // N7 "材料編集"
    QAction* editCoefficientsItem = nullptr; // N8 "係数編集"
    QAction* designSearchItem = nullptr;     // "設計候補の探索" (no form name of its own)
    QAction* helpItem = nullptr;             // Help2 "ヘルプ"
};

// Builds the main window's client area (824 x 729 at fixed positions) and its main menu. The
// spring view draws `currentDesign`.
MainWindowControls buildMainWindowForm(QMainWindow& window, const SpringDesign& currentDesign);

// Field colours: aqua marks a field the user fills in, white one the system fills in.
void setFieldColour(QWidget& field, bool userInput);

} // namespace hspring
