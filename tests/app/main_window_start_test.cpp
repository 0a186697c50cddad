// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "data/default_data.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeySequence>
#include <QListWidget>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>
#include <cstring>

using namespace hspring;
using namespace hspring::test;

class MainWindowStartTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheFirstMaterialAndItsFirstDiameterFromOneMillimetre() {
        // The first diameter of at least 1.0 mm is 1.1 here.
        const DataFolder folder(
            libraryOf(
                {wireMaterial(0, "硬鋼線", "SW-C",
                              {{0.5, 2200, 0}, {0.9, 2100, 0}, {1.1, 2000, 0}, {1.5, 1900, 0}}),
                 wireMaterial(1, "ピアノ線", "SWP-B", {{1.0, 2200, 0}})}),
            referenceSettings());
        const OpenWindow w(folder);
        QCOMPARE(w.list("ComboBox5")->count(), 2);
        QCOMPARE(w.text("ComboBox5"), QStringLiteral("硬鋼線"));
        QCOMPARE(w.text("ComboBox7"), QStringLiteral("SW-C"));
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1.1"));
        QCOMPARE(w.list("ComboBox6")->count(), 4);
        QCOMPARE(w.text("Label48"), QStringLiteral("平均径"));
        QCOMPARE(w.text("Edit18"), QStringLiteral("10"));
        QCOMPARE(w.text("Edit19"), QStringLiteral("20"));
        // The recommended free length (20 + 1)·d + 2·(10 − d) went into the free-length field.
        const double d = 1.1;
        QCOMPARE(w.text("Edit1"), QString::fromStdString(formatF4((20 + 1) * d + 2 * (10 - d))));
        QCOMPARE(w.text("Edit1"), QStringLiteral("40.9"));
        QCOMPARE(w.text("Label36"), QStringLiteral("自由長さ=40.9mm"));
        QCOMPARE(w.text("Edit4"), QStringLiteral("45"));
        QCOMPARE(w.text("Edit5"), QStringLiteral("55"));
        QCOMPARE(w.text("Label28"), QStringLiteral("バネ指数=9.091"));
        QVERIFY(w.statusLines().isEmpty());
        QCOMPARE(w.text("Label12"), QStringLiteral("フリー"));
        QVERIFY(!w.control<QCheckBox>("cb2")->isChecked());
        QVERIFY(w.control<QCheckBox>("CheckBox1")->isChecked());
        // The results of slot 0 are still zero.
        QCOMPARE(w.text("Edit8"), QStringLiteral("0"));
        QCOMPARE(w.state.current().diameterIndex, 2);
        QCOMPARE(w.state.current().wireDiameter, 1.1);
    }

    void opensWithTheShippedLibraryAsTheProgramDoes() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1"));
        QCOMPARE(w.text("Edit1"), QStringLiteral("39"));
        QVERIFY(w.text("Label45").startsWith(QStringLiteral("初張力(")));
        QVERIFY(w.statusLines().isEmpty());
    }

    void hasTheFixedLayoutColoursAndCaptions() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        QCOMPARE(w.window->objectName(), QStringLiteral("f_hip"));
        QCOMPARE(w.window->windowTitle(), QStringLiteral("引張りコイルバネ計算"));
        QCOMPARE(w.window->centralWidget()->size(), QSize(1001, 729));
        QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
        QCOMPARE(w.window->palette().color(QPalette::Window), QColor(232, 234, 232));
        const auto groupAt = [&w](const char* name) {
            const QGroupBox* box = w.control<QGroupBox>(name);
            return std::pair(box->title(), box->geometry());
        };
        QCOMPARE(groupAt("GroupBox1"), std::pair(QStringLiteral("諸元入力（水色部分を入力する）"),
                                                 QRect(8, 8, 377, 321)));
        QCOMPARE(groupAt("GroupBox2"),
                 std::pair(QStringLiteral("計算結果"), QRect(8, 336, 377, 121)));
        QCOMPARE(groupAt("GroupBox3"),
                 std::pair(QStringLiteral("疲れ強さ線図"), QRect(392, 8, 417, 449)));
        QCOMPARE(w.control<QGroupBox>("GroupBox5")->title(), QStringLiteral("推奨値"));
        QCOMPARE(w.control<QGroupBox>("GroupBox1")->font().pixelSize(), 13);
        QCOMPARE(w.edit("Edit18")->font().pixelSize(), 12);
        QCOMPARE(w.control<QWidget>("Image5")->size(), QSize(360, 200));
        QCOMPARE(w.control<QWidget>("Image5")->toolTip(), QStringLiteral("変位荷重切替"));

        const auto* pages = w.control<QTabWidget>("PageControl1");
        QCOMPARE(pages->geometry(), QRect(8, 464, 801, 257));
        QCOMPARE(pages->tabText(0), QStringLiteral("<計算結果の履歴＞"));
        QCOMPARE(pages->tabText(1), QStringLiteral("＜      バネ形状      ＞"));

        for (const char* input : {"ComboBox5", "ComboBox7", "ComboBox6", "Edit18", "Edit19",
                                  "Edit4", "Edit5", "Edit33"})
            QCOMPARE(fieldColour(w.control<QWidget>(input)), kAqua);
        for (const char* derived :
             {"Edit1", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"})
            QCOMPARE(fieldColour(w.control<QWidget>(derived)), kWhite);

        QStringList menus;
        for (QAction* menu : w.window->menuBar()->actions())
            menus << menu->text();
        QCOMPARE(menus, (QStringList{QStringLiteral("ファイル　　"), QStringLiteral("編集　　　"),
                                     QStringLiteral("表示　　　"), QStringLiteral("ツール　　　"),
                                     QStringLiteral("ヘルプ")}));
        // Four shortcuts, shown beside the captions, which stay as they are.
        const std::pair<const char*, QKeySequence> shortcuts[] = {
            {"Edit2", QKeySequence(QStringLiteral("Ctrl+O"))},
            {"N3", QKeySequence(QStringLiteral("Ctrl+S"))},
            {"N5", QKeySequence(QStringLiteral("Ctrl+P"))},
            {"N1", {}},
            {"dxf1", {}},
            {"N2", {}},
            {"N4", {}},
            {"llcheng", {}},
            {"N7", {}},
            {"N8", {}},
            {"Help2", QKeySequence(QStringLiteral("F1"))}};
        for (const auto& [item, shortcut] : shortcuts)
            QCOMPARE(w.control<QAction>(item)->shortcut(), shortcut);
        QCOMPARE(w.control<QAction>("N5")->text(), QStringLiteral("要目表印刷"));
        QCOMPARE(w.control<QAction>("Help2")->text(), QStringLiteral("ヘルプ"));
    }

    void showsTheHistoryGridWithItsHeaderRowsAndEmptySlots() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto* grid = w.control<CentredGrid>("sg1");
        QCOMPARE(grid->rowCount(), 32);
        QCOMPARE(grid->columnCount(), 15);
        QCOMPARE(grid->cellWidth(1), 96);
        QCOMPARE(grid->cellWidth(14), 68);
        QCOMPARE(grid->cellText(0, 0), QStringLiteral("項目"));
        QCOMPARE(grid->cellText(0, 12), QStringLiteral("許容ねじり応力"));
        QCOMPARE(grid->cellText(1, 11), QStringLiteral("kgf/mm^2"));
        QCOMPARE(grid->cellText(1, 1), QString());
        for (int slot = 1; slot <= 30; ++slot) {
            QCOMPARE(grid->cellText(slot + 1, 0), QString::number(slot));
            for (int column = 1; column < 15; ++column)
                QCOMPARE(grid->cellText(slot + 1, column), QString());
        }
        QCOMPARE(w.control<QSpinBox>("SpinEdit1")->maximum(), 30);
        QCOMPARE(w.control<QSpinBox>("SpinEdit1")->value(), 1);
    }

    void startsWithTheBuiltInCoefficientsWhenTheSettingsFileIsMissing() {
        const DataFolder folder(referenceLibrary(), std::nullopt);
        const auto warning = answerNextMessageBox(QMessageBox::Yes);
        const OpenWindow w(folder);
        QVERIFY(warning->seen);
        QCOMPARE(warning->title, QStringLiteral("警告"));
        QVERIFY(warning->text.contains(QDir::toNativeSeparators(folder.file("hspring.set"))));
        QVERIFY(warning->text.contains(QStringLiteral("見つかりません")));
        QVERIFY(warning->text.contains(QStringLiteral("標準の係数で続けます")));
        const SettingsRecord builtIn = builtInSettings();
        QVERIFY(std::memcmp(&w.state.settings, &builtIn, sizeof builtIn) == 0);
        // The rest of the start-up ran.
        QCOMPARE(w.text("ComboBox7"), QStringLiteral("SW-B"));
        QVERIFY(w.text("Label30").startsWith(QStringLiteral("最大長さ=")));
    }

    void startsWithTheBuiltInLibraryWhenTheMaterialFileIsMissing() {
        const DataFolder folder(std::nullopt, referenceSettings());
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        const OpenWindow w(folder);
        QVERIFY(error->seen);
        QCOMPARE(error->text,
                 QStringLiteral("ファイル %1 は開けません\n標準の材料データで続けます。")
                     .arg(folder.file("zaidat.dst")));
        const MaterialLibrary builtIn = builtInMaterialLibrary();
        QVERIFY(std::memcmp(&w.state.materials, &builtIn, sizeof builtIn) == 0);
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1"));
        QCOMPARE(w.text("Edit1"), QStringLiteral("39"));
        QVERIFY(w.statusLines().isEmpty());
    }

    void aLibraryWithoutMaterialsLeavesTheListsEmptyAndTheWindowUsable() {
        const DataFolder folder(libraryOf({}), referenceSettings());
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        const OpenWindow w(folder);
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("線径: '' は浮動小数点数ではありません"));
        QCOMPARE(w.list("ComboBox5")->count(), 0);
        QCOMPARE(w.list("ComboBox6")->count(), 0);
        const auto again = answerNextMessageBox(QMessageBox::Ok);
        w.clickButton("BitBtn2");
        QVERIFY(again->seen);
        QCOMPARE(again->text, QStringLiteral("線径: '' は浮動小数点数ではありません"));
    }
};

HSPRING_WINDOW_TEST(MainWindowStartTest)
#include "main_window_start_test.moc"
