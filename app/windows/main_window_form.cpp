// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/main_window_form.h"

#include "app/history_rows.h"
#include "app/painting/input_picture.h"
#include "app/windows/detail_page.h"
#include "app/windows/slot_selector.h"
#include "chart/windows/chart_page.h"
#include "diagram/painting/fatigue_diagram.h"
#include "diagram/windows/diagram_view.h"
#include "drawing/windows/shape_page.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/placement.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace hspring {

namespace {

namespace pic = input_picture;

// The verdict's column right of the diagram and the pages: its lines wrap within it, and it is
// tall enough for every check line and warning a design can give (see buildVerdictGroup).
constexpr int kVerdictLeft = 817;
constexpr int kVerdictWidth = 176;
constexpr int kClientWidth = kVerdictLeft + kVerdictWidth + 8;
// The lower page control ends at 721; below it the same 8-pixel margin the groups keep at the
// left and top. (The form's 824 x 780 is the outer window, caption, menu bar and frame included.)
constexpr int kClientHeight = 729;
constexpr int kFieldHeight = 20;
constexpr int kTextDrop = 3; // a caption's top edge below the top edge of the field it names

const QColor kWindowColour(232, 234, 232);
const QColor kInputColour(0, 255, 255);
const QColor kDerivedColour(255, 255, 255);
const QColor kRecommendedColour(128, 0, 0); // maroon

// A caption in the content font, which a group's own font would otherwise replace. On the
// picture it is drawn on white, so the dimension lines it stands on stop at the text.
QLabel* caption(QWidget* parent, const QString& text, QPoint at, const QString& name = {}) {
    return placeLabel(parent, text, at, name, windowFont(12));
}

QLineEdit* field(QWidget* parent, const QString& name, const QRect& geometry, const QString& text,
                 bool userInput) {
    QLineEdit* edit = placeField(parent, name, geometry, text);
    setFieldColour(*edit, userInput);
    return edit;
}

// A field that holds a number, described by the caption and the unit shown beside it.
NumberField* numberField(QWidget* parent, const QString& name, const QRect& geometry,
                         const QString& text, bool userInput, const QString& caption,
                         const QString& unit) {
    auto* edit = placeWidget(new NumberField(parent), name, geometry);
    edit->setText(text);
    edit->describe(caption, unit);
    setFieldColour(*edit, userInput);
    return edit;
}

QComboBox* selectionList(QWidget* parent, const QString& name, const QRect& geometry) {
    QComboBox* list = placeList(parent, name, geometry);
    setFieldColour(*list, true);
    return list;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& title,
                 const QRect& geometry) {
    QGroupBox* box = placeGroup(parent, name, title, geometry);
    box->setFont(windowFont(13));
    return box;
}

// The group's caption is 13 pixels high, its contents 12.
void useContentFont(QGroupBox& box) {
    for (QWidget* child : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QGroupBox*>(child))
            child->setFont(windowFont(12));
}

QPixmap paintInputPicture() {
    QPixmap pixmap(pic::kWidth, pic::kHeight);
    QPainter painter(&pixmap);
    pic::draw(painter);
    return pixmap;
}

// The inputs, placed on the picture where they label it.
void buildInputGroup(QWidget* client, MainWindowControls& c) {
    c.inputGroup = group(client, "GroupBox1", QStringLiteral("諸元入力（水色部分を入力する）"),
                         QRect(8, 8, 377, 321));
    c.inputPicture =
        placeWidget(new QLabel(c.inputGroup), "Image5", QRect(8, 16, pic::kWidth, pic::kHeight));
    c.inputPicture->setPixmap(paintInputPicture());
    c.inputPicture->setToolTip(QStringLiteral("変位荷重切替"));
    QPalette paper = c.inputPicture->palette();
    paper.setColor(QPalette::Window, Qt::white);
    c.inputPicture->setPalette(paper);
    QWidget* p = c.inputPicture;

    // The band at the top: material, wire and turns.
    caption(p, QStringLiteral("材料"), {4, 2 + kTextDrop});
    c.kindList = selectionList(p, "ComboBox5", {32, 2, 130, kFieldHeight});
    caption(p, QStringLiteral("記号"), {4, 24 + kTextDrop});
    c.gradeList = selectionList(p, "ComboBox7", {32, 24, 130, kFieldHeight});
    caption(p, QStringLiteral("線径"), {172, 2 + kTextDrop});
    c.wireDiameterList = selectionList(p, "ComboBox6", {200, 2, 68, kFieldHeight});
    caption(p, QStringLiteral("mm"), {271, 2 + kTextDrop});
    caption(p, QStringLiteral("巻き数"), {172, 24 + kTextDrop});
    c.turnsField = numberField(p, "Edit19", {212, 24, 56, kFieldHeight}, "20", true,
                               QStringLiteral("巻き数"), QString());
    c.leftHandedBox = placeCheckBox(p, "cb1", QStringLiteral("左巻き"), {296, 4}, false);

    // The three lengths on their dimension lines, L2 the longest on top.
    const int l2 = pic::kLength2.y - kFieldHeight / 2;
    caption(p, QStringLiteral("長さ（Ｌ２）"), {34, l2 + kTextDrop});
    c.length2Field = numberField(p, "Edit5", {108, l2, 56, kFieldHeight}, "40", true,
                                 QStringLiteral("長さ（Ｌ２）"), QStringLiteral("mm"));
    caption(p, QStringLiteral("mm"), {167, l2 + kTextDrop});
    const int l1 = pic::kLength1.y - kFieldHeight / 2;
    caption(p, QStringLiteral("長さ（Ｌ１）"), {22, l1 + kTextDrop});
    c.length1Field = numberField(p, "Edit4", {96, l1, 56, kFieldHeight}, "30", true,
                                 QStringLiteral("長さ（Ｌ１）"), QStringLiteral("mm"));
    caption(p, QStringLiteral("mm"), {155, l1 + kTextDrop});
    const int l0 = pic::kFreeLength.y - kFieldHeight / 2;
    caption(p, QStringLiteral("自由長さ"), {16, l0 + kTextDrop});
    c.recommendedFreeLengthBox = placeCheckBox(p, "CheckBox2", QString(), {66, l0 + 2}, true);
    c.freeLengthField = numberField(p, "Edit1", {84, l0, 56, kFieldHeight}, "20", false,
                                    QStringLiteral("自由長さ"), QStringLiteral("mm"));
    caption(p, QStringLiteral("mm"), {143, l0 + kTextDrop});

    // The coil diameter right below its dimension across the coil.
    const int diameterRow = pic::kSpringAxisY + pic::kCoilRadius + 8;
    c.coilDiameterCaption =
        caption(p, QStringLiteral("平均径"), {6, diameterRow + kTextDrop}, "Label48");
    c.coilDiameterField =
        numberField(p, "Edit18", {pic::kCoilDiameterX - 32, diameterRow, 64, kFieldHeight}, "10",
                    true, c.coilDiameterCaption->text(), QStringLiteral("mm"));
    caption(p, QStringLiteral("mm"), {pic::kCoilDiameterX + 35, diameterRow + kTextDrop});
    c.diameterKindButton = placeButton(p, "BitBtn1", QStringLiteral("↕"),
                                       {pic::kCoilDiameterX + 58, diameterRow, 20, kFieldHeight});
    c.diameterKindButton->setToolTip(QStringLiteral("径切替"));

    // The loads at their levels of the load-deflection sketch.
    const int fieldLeft = pic::kLoadAxisX - 72;
    const int p2 = pic::kLoad2Y - kFieldHeight / 2;
    caption(p, QStringLiteral("荷重(P2)"), {fieldLeft - 50, p2 + kTextDrop});
    c.load2Field = numberField(p, "Edit7", {fieldLeft, p2, 48, kFieldHeight}, "0", false,
                               QStringLiteral("荷重(P2)"), QStringLiteral("kgf"));
    c.forceUnits.push_back({c.load2Field,
                            caption(p, QStringLiteral("kgf"), {fieldLeft + 51, p2 + kTextDrop}),
                            ForceQuantity::Load});
    const int p1 = pic::kLoad1Y - kFieldHeight / 2;
    caption(p, QStringLiteral("荷重(P1)"), {fieldLeft - 50, p1 + kTextDrop});
    c.load1Field = numberField(p, "Edit6", {fieldLeft, p1, 48, kFieldHeight}, "0", false,
                               QStringLiteral("荷重(P1)"), QStringLiteral("kgf"));
    c.forceUnits.push_back({c.load1Field,
                            caption(p, QStringLiteral("kgf"), {fieldLeft + 51, p1 + kTextDrop}),
                            ForceQuantity::Load});
    const int pi = pic::kInitialTensionY - kFieldHeight / 2;
    c.autoInitialTensionBox =
        placeCheckBox(p, "CheckBox1", QStringLiteral("初張力="), {fieldLeft - 62, pi + 2}, true);
    c.initialTensionField = numberField(p, "Edit33", {fieldLeft, pi, 48, kFieldHeight}, "0", true,
                                        QStringLiteral("初張力"), QStringLiteral("kgf"));
    c.forceUnits.push_back({c.initialTensionField,
                            caption(p, QStringLiteral("kgf"), {fieldLeft + 51, pi + kTextDrop}),
                            ForceQuantity::Load});

    for (QWidget* child : p->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child)) {
            child->setPalette(paper);
            child->setBackgroundRole(QPalette::Window); // a check box fills with Button
            child->setAutoFillBackground(true);
        }
    }

    // Below the picture: the spring index and the wire treatment.
    c.springIndexLabel = caption(c.inputGroup, QStringLiteral("バネ指数"), {10, 224}, "Label28");
    c.springIndexRangeLabel =
        caption(c.inputGroup, QStringLiteral("適正範囲=4～22"), {10, 244}, "Label2");
    c.lowTempAnnealedBox =
        placeCheckBox(c.inputGroup, "cb2", QStringLiteral("低温焼きなまし"), {8, 266}, true);
}

void buildRecommendationGroup(MainWindowControls& c) {
    c.recommendationGroup =
        group(c.inputGroup, "GroupBox5", QStringLiteral("推奨値"), QRect(170, 218, 200, 98));
    QPalette maroon = c.recommendationGroup->palette();
    maroon.setColor(QPalette::WindowText, kRecommendedColour);
    c.recommendationGroup->setPalette(maroon);

    QWidget* g = c.recommendationGroup;
    const auto row = [g](const char* labelName, const char* buttonName, int y, QLabel*& label,
                         QToolButton*& button) {
        label = caption(g, QString(), {8, y + 2}, labelName);
        label->setFixedWidth(164);
        button = placeToolButton(g, buttonName, QStringLiteral("←"), {176, y, 18, 18});
    };
    row("Label36", "SpeedButton2", 18, c.recommendedFreeLengthLabel, c.applyFreeLengthButton);
    row("Label30", "SpeedButton7", 38, c.maxLengthLabel, c.applyMaxLengthButton);
    row("Label56", "SpeedButton1", 58, c.maxLoadLabel, c.applyMaxLoadButton);
    row("Label45", "SpeedButton3", 78, c.initialTensionRangeLabel, c.applyInitialTensionButton);
    c.applyFreeLengthButton->setToolTip(QStringLiteral("自由長さに入れる"));
    c.applyMaxLengthButton->setToolTip(QStringLiteral("長さ（Ｌ２）に入れる"));
    c.applyMaxLoadButton->setToolTip(QStringLiteral("荷重(P2)に入れる"));
    c.applyInitialTensionButton->setToolTip(QStringLiteral("初張力に入れる"));
}

void buildResultGroup(QWidget* client, MainWindowControls& c) {
    c.resultGroup = group(client, "GroupBox2", QStringLiteral("計算結果"), QRect(8, 336, 377, 121));
    QWidget* g = c.resultGroup;
    const QRect place(70, 0, 72, kFieldHeight);
    const auto result = [g, &place, &c](const QString& name, const char* fieldName,
                                        ForceQuantity quantity, int y) {
        caption(g, name, {8, y + kTextDrop});
        const QString unit = QString::fromUtf8(unitText(quantity, UnitSystem::Gravitational));
        NumberField* edit =
            numberField(g, fieldName, place.translated(0, y), "", false, name, unit);
        c.forceUnits.push_back({edit, caption(g, unit, {146, y + kTextDrop}), quantity});
        return edit;
    };
    c.springRateField = result(QStringLiteral("バネ定数"), "Edit8", ForceQuantity::Rate, 18);
    c.stress2Field = result(QStringLiteral("ねじり応力"), "Edit9", ForceQuantity::Stress, 42);
    c.allowableStressField =
        result(QStringLiteral("許容応力"), "Edit11", ForceQuantity::Stress, 66);
    // The life is a word, not a number.
    caption(g, QStringLiteral("期待寿命"), {8, 90 + kTextDrop});
    c.expectedLifeField = field(g, "Edit10", place.translated(0, 90), "", false);
    // The part of the spring that life belongs to.
    c.lifeGoverningLabel = caption(g, QString(), {146, 90 + kTextDrop}, "LifeGoverningLabel");
    c.lifeGoverningLabel->setFixedWidth(58);
    // Nothing reads the results back: they can be selected and copied, not typed over, and Tab
    // passes them by.
    for (QLineEdit* shown : std::initializer_list<QLineEdit*>{
             c.springRateField, c.stress2Field, c.allowableStressField, c.expectedLifeField}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
    }

    c.calculateButton = placeButton(g, "BitBtn2", QStringLiteral("計算"), {206, 74, 76, 40});
    c.slotSelector = placeWidget(new SlotSelector(g), "SpinEdit1", {288, 84, 44, 22});
    c.recallButton = placeToolButton(g, "SpeedButton6", QStringLiteral("▲"), {336, 74, 34, 20});
    c.storeButton = placeToolButton(g, "SpeedButton5", QStringLiteral("▼"), {336, 96, 34, 20});
}

// The status list in its own column, as tall as the window: the six check lines, the warnings of
// the hooks, the initial tension and the tolerance conditions and the notes of the diagram and the
// shape come to some twenty lines, each wrapped to two at most; none needs scrolling.
void buildVerdictGroup(QWidget* client, MainWindowControls& c) {
    c.verdictGroup = group(client, "VerdictGroup", QStringLiteral("判定"),
                           QRect(kVerdictLeft, 8, kVerdictWidth, 713));
    c.statusList = placeWidget(new QListWidget(c.verdictGroup), "ListBox1",
                               {6, 18, kVerdictWidth - 12, 713 - 26});
    c.statusList->setWordWrap(true);
    c.statusList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.statusList->setTextElideMode(Qt::ElideNone);
    c.statusList->setResizeMode(QListView::Adjust);
}

void buildHistoryGrid(QWidget* page, MainWindowControls& c) {
    c.historyGrid = new CentredGrid(page);
    c.historyGrid->setObjectName(QStringLiteral("sg1"));
    c.historyGrid->setFont(windowFont(12));
    c.historyGrid->setColumnCount(kHistoryColumnCount);
    c.historyGrid->setRowCount(kHistoryRowCount);
    c.historyGrid->setFixedRowCount(kHistoryHeaderRows);
    c.historyGrid->setFixedColumnCount(1);
    c.historyGrid->setFixedColour(QColor(238, 238, 238));
    c.historyGrid->setCellHeight(18);
    c.historyGrid->setCellWidths(
        QList<int>(kHistoryColumnWidths.begin(), kHistoryColumnWidths.end()));
    c.historyGrid->viewport()->setCursor(Qt::PointingHandCursor);
    // The arrow keys move between the cells; Tab leaves the grid like any other control.
    c.historyGrid->setTabKeyNavigation(false);
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(c.historyGrid);
}

void buildDiagramGroup(QWidget* client, MainWindowControls& c) {
    c.diagramGroup =
        group(client, "GroupBox3", QStringLiteral("疲れ強さ線図"), QRect(392, 8, 417, 449));
    c.diagramView = placeWidget(new DiagramView(c.diagramGroup), "Image1",
                                {8, 22, kFatigueDiagramWidth, kFatigueDiagramHeight});
}

void buildPages(QWidget* client, MainWindowControls& c, const SpringDesign& currentDesign) {
    c.lowerPages = placeWidget(new QTabWidget(client), "PageControl1", {8, 464, 801, 257});
    c.lowerPages->setFont(windowFont(12));
    auto* history = new QWidget;
    history->setObjectName(QStringLiteral("TabSheet1"));
    c.lowerPages->addTab(history, QStringLiteral("<計算結果の履歴＞"));
    c.shapePage = new ShapePage(currentDesign);
    c.lowerPages->addTab(c.shapePage, QStringLiteral("＜      バネ形状      ＞"));
    c.detailPage = new DetailPage;
    // The page is taller than the tab: it scrolls, its buttons at its top right.
    auto* detailScroll = new QScrollArea;
    detailScroll->setObjectName(QStringLiteral("DetailScroll"));
    detailScroll->setFrameShape(QFrame::NoFrame);
    detailScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    detailScroll->setWidget(c.detailPage);
    c.lowerPages->addTab(detailScroll, QString::fromUtf8(kDetailPageCaption.data(),
                                                         qsizetype(kDetailPageCaption.size())));
    c.chartPage = new ChartPage;
    c.lowerPages->addTab(c.chartPage, QStringLiteral("＜ 荷重－長さ線図 ＞"));
    buildHistoryGrid(history, c);
}

QAction* menuItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// Top-level captions end in ideographic spaces, which widen them in the menu bar.
void buildMenu(QMainWindow& window, MainWindowControls& c) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setFont(windowFont(12));
    QMenu* file = bar->addMenu(QStringLiteral("ファイル　　"));
    c.newFileItem = menuItem(file, "newFileItem", QStringLiteral("新規"));
    c.readFileItem = menuItem(file, "Edit2", QStringLiteral("読み取り"));
    c.saveFileItem = menuItem(file, "N3", QStringLiteral("保存"));
    c.recentFilesMenu = file->addMenu(QStringLiteral("最近使ったファイル"));
    c.recentFilesMenu->setObjectName(QStringLiteral("RecentFiles"));
    c.recentFilesMenu->setFont(windowFont(12));
    c.printSheetItem = menuItem(file, "N5", QStringLiteral("要目表印刷"));
    c.saveSheetPdfItem = menuItem(file, "SheetPdf", QStringLiteral("PDFに保存"));
    c.jisSheetItem = menuItem(file, "JisSheet", QStringLiteral("仕様書（JIS形式）"));
    c.printWindowItem = menuItem(file, "N1", QStringLiteral("画面印刷"));
    c.exportDxfItem = menuItem(file, "dxf1", QStringLiteral("dxf出力"));
    QMenu* edit = bar->addMenu(QStringLiteral("編集　　　"));
    c.copyHistoryItem = menuItem(edit, "N2", QStringLiteral("全データーコピー"));
    c.copyDiagramItem = menuItem(edit, "N4", QStringLiteral("寿命グラフコピー"));
    QMenu* view = bar->addMenu(QStringLiteral("表示　　　"));
    c.lengthLoadSwitchItem = menuItem(view, "llcheng", QStringLiteral("長さ・荷重切替"));
    // The units every force is shown and typed in, one of the two at a time.
    QMenu* units = view->addMenu(QStringLiteral("単位"));
    units->setObjectName(QStringLiteral("UnitsMenu"));
    units->setFont(windowFont(12));
    auto* unitChoice = new QActionGroup(units);
    c.siUnitsItem = menuItem(units, "SiUnits", QStringLiteral("SI（N, N/mm, N/mm²）"));
    c.gravitationalUnitsItem =
        menuItem(units, "GravitationalUnits", QStringLiteral("重力単位（kgf, kgf/mm, kgf/mm²）"));
    for (QAction* choice : {c.siUnitsItem, c.gravitationalUnitsItem}) {
        choice->setCheckable(true);
        unitChoice->addAction(choice);
    }
    c.gravitationalUnitsItem->setChecked(true);
    QMenu* tools = bar->addMenu(QStringLiteral("ツール　　　"));
    c.editMaterialsItem = menuItem(tools, "N7", QStringLiteral("材料編集"));
    c.editCoefficientsItem = menuItem(tools, "N8", QStringLiteral("係数編集"));
    c.designSearchItem = menuItem(tools, "designSearchItem", QStringLiteral("設計候補の探索"));
    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ"));
    c.helpItem = menuItem(help, "Help2", QStringLiteral("ヘルプ"));
    for (QMenu* menu : {file, edit, view, tools, help})
        menu->setFont(windowFont(12));
}

// Shortcuts beside the menu captions, which stay as they are.
void assignShortcuts(MainWindowControls& c) {
    c.newFileItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    c.readFileItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    c.saveFileItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    c.printSheetItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    c.helpItem->setShortcut(QKeySequence(Qt::Key_F1));
}

// Tab follows the order in which a calculation reads the inputs: material, wire, coil diameter,
// turns, initial tension, free length, L1, L2, P1, P2; each check box before the field it sets.
// Disabled fields drop out by themselves. Then the recommended values, the results group and
// the lower pages.
void setInputTabOrder(const MainWindowControls& c) {
    QWidget* const order[] = {c.kindList,
                              c.gradeList,
                              c.wireDiameterList,
                              c.coilDiameterField,
                              c.diameterKindButton,
                              c.turnsField,
                              c.leftHandedBox,
                              c.autoInitialTensionBox,
                              c.initialTensionField,
                              c.recommendedFreeLengthBox,
                              c.freeLengthField,
                              c.length1Field,
                              c.length2Field,
                              c.load1Field,
                              c.load2Field,
                              c.lowTempAnnealedBox,
                              c.calculateButton,
                              c.slotSelector,
                              c.lowerPages};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace

void setFieldColour(QWidget& field, bool userInput) {
    QPalette palette = field.palette();
    const QColor colour = userInput ? kInputColour : kDerivedColour;
    // Every colour group, so a disabled field keeps its colour too; lists paint their face with
    // the button colour.
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    field.setPalette(palette);
}

MainWindowControls buildMainWindowForm(QMainWindow& window, const SpringDesign& currentDesign) {
    MainWindowControls c;
    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    window.setCentralWidget(client);
    window.setFont(windowFont(12));
    QPalette background = window.palette();
    background.setColor(QPalette::Window, kWindowColour);
    window.setPalette(background);
    window.setAutoFillBackground(true);

    buildInputGroup(client, c);
    buildRecommendationGroup(c);
    buildResultGroup(client, c);
    buildDiagramGroup(client, c);
    buildVerdictGroup(client, c);
    buildPages(client, c, currentDesign);
    buildMenu(window, c);
    assignShortcuts(c);
    setInputTabOrder(c);
    for (QGroupBox* box :
         {c.inputGroup, c.recommendationGroup, c.resultGroup, c.diagramGroup, c.verdictGroup})
        useContentFont(*box);

    window.setFixedSize(kClientWidth, kClientHeight + window.menuBar()->sizeHint().height());
    return c;
}

} // namespace hspring
