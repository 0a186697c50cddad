// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_io.h"
#include "data/default_data.h"
#include "data/material_editing.h"
#include "data/windows/material_editor.h"
#include "data/windows/material_grid.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

using namespace hspring;
using namespace hspring::test;

namespace {

// Records 0..7 piano wire (kind 1), 8..11 hard-drawn steel (kind 0), 12..19 stainless (kind 2),
// each with a 12-entry table; records 20..29 unused.
MaterialLibrary sampleLibrary() {
    MaterialLibrary library{};
    for (int i = 0; i < kMaterialCount; ++i) {
        MaterialRecord& record = library[i];
        record.kind = kUnusedKind;
        if (i >= 20)
            continue;
        record.kind = i < 8 ? 1 : i < 12 ? 0 : 2;
        setShortStringText(record.kindName, i < 8    ? "ピアノ線"
                                            : i < 12 ? "硬鋼線"
                                                     : "ステンレス鋼線");
        setShortStringText(record.gradeSymbol, "SW-" + std::to_string(i));
        record.shearModulus = 78500;
        record.youngModulus = 206000;
        record.torsionPercent = 45;
        record.bendingPercent = 70;
        record.diameterCount = 12;
        for (int j = 0; j < 12; ++j) {
            record.diameters[j] = (j + 1) / 10.0;
            record.tensileStrength[j] = 2500 - 10 * j;
            record.allowableTorsion[j] = 900 - j;
            record.allowableBending[j] = 1200 + j;
        }
    }
    return library;
}

} // namespace

class MaterialEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MaterialLibrary> materials_;
    std::unique_ptr<MaterialEditorDialog> editor_;
    std::unique_ptr<QTemporaryDir> folder_;

    MaterialLibrary& materials() { return *materials_; }
    QLineEdit* field(const char* name) { return editor_->findChild<QLineEdit*>(name); }
    QSpinBox* kindSpin() { return editor_->findChild<QSpinBox*>("SE1"); }
    QListWidget* comments() { return editor_->findChild<QListWidget*>("ListBox1"); }
    MaterialGrid* grid() { return editor_->findChild<MaterialGrid*>("SG1"); }
    void click(const char* button) { editor_->findChild<QPushButton*>(button)->click(); }
    QString inFolder(const char* name) { return folder_->filePath(QString::fromUtf8(name)); }

    // Fills the rows of the grid from `firstEntry` on with "0".
    void zeroRowsFrom(int firstEntry) {
        for (int j = firstEntry; j < kMaxDiameters; ++j)
            for (int c = 0; c < kTableColumnCount; ++c)
                grid()->setEntryText(j, c, QStringLiteral("0"));
    }

    // Clicks `button` and answers the error box it must show; returns the box's message.
    QString clickExpectingError(const char* button) {
        auto box = test::answerNextMessageBox(QMessageBox::Ok);
        click(button);
        return box->seen ? box->text : QString();
    }

    QLabel* labelWithText(const QString& text) {
        for (QLabel* label : editor_->findChildren<QLabel*>())
            if (label->text() == text)
                return label;
        return nullptr;
    }

private slots:
    void init() {
        materials_ = std::make_unique<MaterialLibrary>(sampleLibrary());
        editor_ = std::make_unique<MaterialEditorDialog>(*materials_);
        editor_->show();
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
    }

    void cleanup() {
        editor_.reset();
        materials_.reset();
        folder_.reset();
    }

    void showsEveryFieldAtItsPlaceWithItsLabel() {
        QCOMPARE(editor_->objectName(), QStringLiteral("data_make"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("data_make"));
        QVERIFY(editor_->isModal());

        struct Placed {
            const char* name;
            QPoint position;
            const char* label;
        };
        const Placed fields[] = {
            {"Edit7", {96, 8}, "データーNo"},     {"Edit1", {96, 32}, "材料の種類"},
            {"Edit2", {96, 56}, "材料の記号"},    {"Edit3", {96, 80}, "横弾性係数"},
            {"Edit5", {320, 80}, "縦弾性係数"},   {"Edit10", {96, 104}, "ねじり応力比"},
            {"Edit11", {96, 128}, "曲げ応力比"},  {"Edit4", {96, 152}, "データーの数"},
            {"Edit9", {368, 56}, "種類別登録数"},
        };
        for (const Placed& placed : fields) {
            QLineEdit* edit = field(placed.name);
            QVERIFY2(edit, placed.name);
            QCOMPARE(edit->pos(), placed.position);
            QLabel* label = labelWithText(QString::fromUtf8(placed.label));
            QVERIFY2(label, placed.label);
            // The label sits left of its field, on the same line.
            QVERIFY(label->geometry().right() < placed.position.x());
            QVERIFY(qAbs(label->y() - placed.position.y()) <= 6);
        }
        QCOMPARE(kindSpin()->pos(), QPoint(368, 32));
        QVERIFY(labelWithText(QStringLiteral("種類番号")));
        QVERIFY(labelWithText(QStringLiteral("max=8")));
        QVERIFY(labelWithText(QStringLiteral("コメント")));
        int moduli = 0, percents = 0;
        for (QLabel* label : editor_->findChildren<QLabel*>()) {
            moduli += label->text() == QStringLiteral("N/mm^2");
            percents += label->text() == QStringLiteral("%");
        }
        QCOMPARE(moduli, 2);
        QCOMPARE(percents, 2);
        QCOMPARE(comments()->pos(), QPoint(176, 120));
        QCOMPARE(comments()->toolTip(), QStringLiteral("ダブルクリックでクリアー"));
        QCOMPARE(grid()->pos(), QPoint(16, 200));

        const std::pair<const char*, const char*> buttons[] = {
            {"BitBtn1", "load"}, {"BitBtn2", "save"},   {"BitBtn3", "▲"},     {"BitBtn4", "▼"},
            {"BitBtn8", "消去"}, {"BitBtn6", "行挿入"}, {"BitBtn7", "行削除"}};
        for (const auto& [name, text] : buttons) {
            auto* button = editor_->findChild<QPushButton*>(name);
            QVERIFY2(button, name);
            QCOMPARE(button->text(), QString::fromUtf8(text));
            QVERIFY(!button->autoDefault()); // Enter in a field presses no button
        }

        // Record 0 as shown at start.
        QCOMPARE(field("Edit7")->text(), QStringLiteral("0"));
        QCOMPARE(field("Edit1")->text(), QStringLiteral("ピアノ線"));
        QCOMPARE(field("Edit2")->text(), QStringLiteral("SW-0"));
        QCOMPARE(field("Edit3")->text(), QStringLiteral("78500"));
        QCOMPARE(field("Edit5")->text(), QStringLiteral("206000"));
        QCOMPARE(field("Edit10")->text(), QStringLiteral("45"));
        QCOMPARE(field("Edit11")->text(), QStringLiteral("70"));
        QCOMPARE(field("Edit4")->text(), QStringLiteral("12"));
        QCOMPARE(kindSpin()->value(), 1);
        QCOMPARE(field("Edit9")->text(), QStringLiteral("8"));
        QCOMPARE(grid()->entryText(11, 0), QStringLiteral("1.2"));
        QCOMPARE(grid()->entryText(11, 3), QStringLiteral("1211"));
        QCOMPARE(grid()->entryText(12, 0), QStringLiteral("0"));
    }

    void theGridHasItsColumnsHeadingsAndEntryNumbers() {
        MaterialGrid* materialGrid = grid();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
        // Five columns 20, 54, 101, 100 and 107 pixels wide, the first no narrower than the
        // header's minimum section, rows of 20 pixels (grid lines included): two fixed rows of
        // headings and units, then the 50 entries, whose first row lies right below them.
        QCOMPARE(materialGrid->columnCount(), 5);
        QCOMPARE(materialGrid->rowCount(), 2 + 50);
        const int widths[] = {std::max(20, materialGrid->horizontalHeader()->minimumSectionSize()),
                              54, 101, 100, 107};
        const int top = materialGrid->cellRect(0, 0).top();
        int left = materialGrid->cellRect(0, 0).left();
        for (int c = 0; c < 5; ++c) {
            for (const int row : {0, 1, 2, 15}) {
                const QRect cell = materialGrid->cellRect(row, c);
                QCOMPARE(cell, QRect(left, top + row * 20, widths[c] - 1, 19));
            }
            left += widths[c];
        }
        QCOMPARE(materialGrid->horizontalHeader()->height(), 40);
        const char* headings[] = {"No", "材料線径", "引張り強さ", "許容ねじり応力", "許容曲げ応力"};
        const char* units[] = {"", "        mm", "           N/mm^2", "           N/mm^2",
                               "           N/mm^2"};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(materialGrid->cellText(0, c), QString::fromUtf8(headings[c]));
            QCOMPARE(materialGrid->cellText(1, c), QString::fromUtf8(units[c]));
        }
        for (int j = 0; j < 50; ++j)
            QCOMPARE(materialGrid->cellText(2 + j, 0), QString::number(j));

        // The entry numbers are drawn in the button colour and cannot be chosen with the mouse;
        // Tab moves from cell to cell and past them into the next row.
        materialGrid->setFocus();
        materialGrid->setCurrentEntry(3, 2);
        const QRect number = materialGrid->cellRect(2 + 6, 0);
        const QImage numbers = materialGrid->grab().toImage();
        QCOMPARE(numbers.pixel(number.bottomRight() - QPoint(1, 1)),
                 materialGrid->palette().color(QPalette::Button).rgb());
        // A two-digit number too wide for its cell is cut off, not replaced by an ellipsis.
        QVERIFY(numbers.copy(materialGrid->cellRect(2 + 10, 0)) !=
                numbers.copy(materialGrid->cellRect(2 + 11, 0)));
        QTest::mouseClick(materialGrid->viewport(), Qt::LeftButton, {},
                          materialGrid->viewport()->mapFromParent(number.center()));
        QCOMPARE(materialGrid->currentEntry(), 3);
        QCOMPARE(materialGrid->currentColumn(), 3);
        QTest::keyClick(materialGrid, Qt::Key_Tab);
        QCOMPARE(materialGrid->currentColumn(), 4);
        QTest::keyClick(materialGrid, Qt::Key_Tab);
        QCOMPARE(materialGrid->currentEntry(), 4);
        QCOMPARE(materialGrid->currentColumn(), 1);

        // Typing into a cell and pressing a button at once stores what was typed.
        materialGrid->setCurrentEntry(2, 1);
        QTest::keyClick(materialGrid, '2'); // typing opens the cell editor
        QWidget* cellEditor = materialGrid->indexWidget(materialGrid->currentIndex());
        QVERIFY(cellEditor);
        QTest::keyClicks(cellEditor, "345");
        click("BitBtn4");
        QCOMPARE(materials()[0].tensileStrength[2], 2345.0);
    }

    // The shipped library's first record as the grid shows it: its 43 diameters and strengths,
    // zero rows after them, each text from the left of its cell; the current cell stays marked
    // while a button has the focus, since the buttons act on its row.
    void theShippedLibraryShowsInTheGrid() {
        MaterialLibrary shipped = builtInMaterialLibrary();
        MaterialEditorDialog editor(shipped);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* shown = editor.findChild<MaterialGrid*>(QStringLiteral("SG1"));
        const std::array<const char*, 4> rows[] = {{"0.08", "2110", "0", "0"},
                                                   {"0.12", "1960", "0", "0"},
                                                   {"10", "830", "0", "0"},
                                                   {"0", "0", "0", "0"},
                                                   {"0", "0", "0", "0"}};
        const int entries[] = {0, 3, 42, 43, 49};
        for (int i = 0; i < 5; ++i)
            for (int c = 0; c < kTableColumnCount; ++c)
                QCOMPARE(shown->entryText(entries[i], c), QString::fromUtf8(rows[i][c]));
        QCOMPARE(editor.findChild<QLineEdit*>(QStringLiteral("Edit4"))->text(),
                 QStringLiteral("43"));

        shown->setFocus();
        shown->setCurrentEntry(3, 1);
        editor.findChild<QPushButton*>(QStringLiteral("BitBtn6"))->setFocus();
        QTRY_VERIFY(!shown->hasFocus());
        const QImage picture = shown->grab().toImage();
        const QRect strength = shown->cellRect(2 + 3, 2);
        const QRect below = shown->cellRect(2 + 4, 2);
        QVERIFY(!strength.isEmpty() && !below.isEmpty());
        const QRgb highlight = shown->palette().color(QPalette::Active, QPalette::Highlight).rgb();
        QCOMPARE(picture.pixel(strength.topRight() + QPoint(-1, 1)), highlight);
        QCOMPARE(picture.pixel(below.topRight() + QPoint(-1, 1)),
                 shown->palette().color(QPalette::Base).rgb());
        // The ink of "1960" starts near the cell's left edge and ends well short of its right.
        const QRgb paper = shown->palette().color(QPalette::Base).rgb();
        int firstInk = -1, lastInk = -1;
        for (int x = below.left(); x <= below.right(); ++x)
            for (int y = below.top(); y <= below.bottom(); ++y)
                if (picture.pixel(x, y) != paper) {
                    firstInk = firstInk < 0 ? x : firstInk;
                    lastInk = x;
                }
        QCOMPARE(shown->entryText(4, 1), QStringLiteral("1960"));
        QVERIFY2(firstInk >= below.left() + 1 && firstInk <= below.left() + 4,
                 qPrintable(QString::number(firstInk - below.left())));
        QVERIFY(lastInk < below.left() + below.width() / 2);
    }

    void theKindNumberChangesWithTheArrowsOnly() {
        QSpinBox* kindSpinBox = kindSpin();
        QCOMPARE(kindSpinBox->minimum(), 0);
        QCOMPARE(kindSpinBox->maximum(), 10);
        kindSpinBox->setFocus();
        QTest::keyClicks(kindSpinBox, "5");
        QCOMPARE(kindSpinBox->value(), 1);
        QTest::keyClick(kindSpinBox, Qt::Key_Up);
        QCOMPARE(kindSpinBox->value(), 2);
        // Edit7 and Edit4 are shown only.
        QVERIFY(field("Edit7")->isReadOnly());
        QVERIFY(field("Edit4")->isReadOnly());
        QVERIFY(field("Edit9")->isReadOnly());

        // A kind outside 0..10 in the library shows as the nearer limit and is stored as that.
        materials()[20].kind = 14;
        editor_->showEditorRecord(20);
        QCOMPARE(kindSpinBox->value(), 10);
        click("BitBtn4");
        QCOMPARE(materials()[20].kind, 10);
    }

    void storesTwelveDiametersAndZeroesTheEntriesAfter() {
        // Leftovers behind the table in memory and on screen.
        MaterialRecord& record = materials()[0];
        for (int j = 13; j < kMaxDiameters; ++j) {
            record.diameters[j] = 9;
            record.tensileStrength[j] = 8;
        }
        record.allowableBending[12] = 7;
        editor_->showEditorRecord(0);
        QCOMPARE(grid()->entryText(20, 0), QStringLiteral("9"));
        grid()->setEntryText(4, 1, QStringLiteral("2480.5"));

        click("BitBtn3");
        QCOMPARE(editor_->editIndex(), 1);
        QCOMPARE(record.diameterCount, 12);
        QCOMPARE(record.tensileStrength[4], 2480.5);
        QCOMPARE(record.diameters[11], 1.2);
        for (int j = 12; j < kMaxDiameters; ++j) {
            QCOMPARE(record.diameters[j], 0.0);
            QCOMPARE(record.tensileStrength[j], 0.0);
            QCOMPARE(record.allowableTorsion[j], 0.0);
            QCOMPARE(record.allowableBending[j], 0.0);
        }
    }

    void zeroPointZeroDoesNotEndTheTable() {
        editor_->showEditorRecord(0);
        grid()->setEntryText(12, 0, QStringLiteral("0.0"));
        grid()->setEntryText(13, 0, QStringLiteral("1.4"));
        grid()->setEntryText(13, 1, QStringLiteral("2100"));
        click("BitBtn4"); // at record 0 "▼" only stores
        QCOMPARE(editor_->editIndex(), 0);
        QCOMPARE(materials()[0].diameterCount, 14);
        QCOMPARE(field("Edit4")->text(), QStringLiteral("14"));
        QCOMPARE(materials()[0].diameters[13], 1.4);
        QCOMPARE(materials()[0].tensileStrength[13], 2100.0);
    }

    void anEmptyCellStopsTheStoreAndTheMove() {
        editor_->showEditorRecord(3);
        field("Edit2")->setText(QStringLiteral("ＳＷＰ－Ｂ"));
        field("Edit10")->setText(QStringLiteral("40"));
        grid()->setEntryText(5, 0, QStringLiteral("0.66"));
        grid()->setEntryText(5, 1, QString());
        grid()->setEntryText(6, 0, QStringLiteral("0.77"));

        QCOMPARE(clickExpectingError("BitBtn3"), QStringLiteral("'' は浮動小数点数ではありません"));
        QCOMPARE(editor_->editIndex(), 3);
        QCOMPARE(field("Edit7")->text(), QStringLiteral("3"));
        const MaterialRecord& record = materials()[3];
        QCOMPARE(shortStringText(record.gradeSymbol), std::string("ＳＷＰ－Ｂ"));
        QCOMPARE(record.torsionPercent, 40);
        QCOMPARE(record.diameters[5], 0.66);
        QCOMPARE(record.tensileStrength[5], 2450.0);
        QCOMPARE(record.diameters[6], 0.7);
        QCOMPARE(record.diameterCount, 12);

        // An integer field takes whole numbers only; the field is left with the focus and its
        // text selected for correcting (the window's focus: the offscreen platform leaves the
        // window inactive after a box), and the program stays usable.
        grid()->setEntryText(5, 1, QStringLiteral("2450"));
        for (const QString& text : {QStringLiteral("7O"), QStringLiteral("70.5")}) {
            field("Edit11")->setText(text);
            grid()->setFocus();
            QCOMPARE(clickExpectingError("BitBtn7"),
                     QStringLiteral("曲げ応力比: '%1' は有効な整数ではありません").arg(text));
            QTRY_COMPARE(editor_->focusWidget(), static_cast<QWidget*>(field("Edit11")));
            QTRY_COMPARE(field("Edit11")->selectedText(), text);
        }
        QCOMPARE(record.diameters[6], 0.7); // the row was not deleted
        QCOMPARE(record.bendingPercent, 70);

        // A modulus that is no number: the one before it is stored, the store stops there.
        field("Edit3")->setText(QStringLiteral("80000"));
        field("Edit5")->setText(QStringLiteral("2,06E5"));
        field("Edit10")->setText(QStringLiteral("41"));
        grid()->setFocus();
        QCOMPARE(clickExpectingError("BitBtn3"),
                 QStringLiteral("縦弾性係数: '2,06E5' は浮動小数点数ではありません"));
        QTRY_COMPARE(editor_->focusWidget(), static_cast<QWidget*>(field("Edit5")));
        QTRY_COMPARE(field("Edit5")->selectedText(), QStringLiteral("2,06E5"));
        QCOMPARE(record.shearModulus, 80000.0);
        QCOMPARE(record.youngModulus, 206000.0);
        QCOMPARE(record.torsionPercent, 40); // after the modulus: not stored
        field("Edit5")->setText(QStringLiteral("206000"));
        field("Edit11")->setText(QStringLiteral("70"));
        click("BitBtn3");
        QCOMPARE(editor_->editIndex(), 4);
        QCOMPARE(record.diameters[6], 0.77);
    }

    void upAndDownStoreAndStopAtTheEnds() {
        editor_->showEditorRecord(29);
        field("Edit1")->setText(QStringLiteral("最後"));
        click("BitBtn3");
        QCOMPARE(editor_->editIndex(), 29);
        QCOMPARE(shortStringText(materials()[29].kindName), std::string("最後"));

        editor_->showEditorRecord(0);
        field("Edit1")->setText(QStringLiteral("最初"));
        click("BitBtn4");
        QCOMPARE(editor_->editIndex(), 0);
        QCOMPARE(shortStringText(materials()[0].kindName), std::string("最初"));

        click("BitBtn3");
        click("BitBtn3");
        QCOMPARE(editor_->editIndex(), 2);
        QCOMPARE(field("Edit7")->text(), QStringLiteral("2"));
        QCOMPARE(field("Edit2")->text(), QStringLiteral("SW-2"));
        click("BitBtn4");
        QCOMPARE(field("Edit2")->text(), QStringLiteral("SW-1"));
    }

    void rowsAreInsertedAndDeletedAtTheFirstAndTheLastEntry() {
        const MaterialRecord before = materials()[0];
        MaterialRecord& record = materials()[0];

        grid()->setCurrentEntry(0, 0);
        click("BitBtn7"); // delete entry 0
        QCOMPARE(grid()->entryText(0, 0), QStringLiteral("0.2"));
        QCOMPARE(grid()->entryText(10, 1), QStringLiteral("2390"));
        QCOMPARE(grid()->entryText(11, 0), QStringLiteral("0"));
        for (int j = 0; j < 11; ++j)
            QCOMPARE(record.diameters[j], before.diameters[j + 1]);
        QCOMPARE(record.diameters[49], 0.0);

        grid()->setCurrentEntry(0, 2);
        click("BitBtn6"); // insert at entry 0: the table now ends at the new row
        for (int c = 0; c < kTableColumnCount; ++c)
            QCOMPARE(grid()->entryText(0, c), QStringLiteral("0"));
        QCOMPARE(grid()->entryText(1, 0), QStringLiteral("0.2"));
        QCOMPARE(record.diameters[1], 0.2);
        QCOMPARE(record.allowableTorsion[0], 0.0);

        // Fill the whole table, then work on entry 49.
        for (int j = 0; j < kMaxDiameters; ++j)
            grid()->setEntryText(j, 0, QString::number(j + 1));
        grid()->setCurrentEntry(49, 1);
        click("BitBtn6"); // insert at entry 49: only entry 49 becomes zero
        QCOMPARE(record.diameterCount, 50);
        QCOMPARE(record.diameters[48], 49.0);
        QCOMPARE(record.diameters[49], 0.0);
        QCOMPARE(grid()->entryText(49, 0), QStringLiteral("0"));
        QCOMPARE(grid()->entryText(48, 0), QStringLiteral("49"));

        grid()->setEntryText(49, 0, QStringLiteral("60"));
        grid()->setEntryText(49, 1, QStringLiteral("1000"));
        click("BitBtn7"); // delete entry 49
        QCOMPARE(record.diameters[49], 0.0);
        QCOMPARE(record.tensileStrength[49], 0.0);
        QCOMPARE(record.diameters[48], 49.0);
        QCOMPARE(grid()->entryText(49, 1), QStringLiteral("0"));
    }

    void clearingAsksFirst() {
        editor_->showEditorRecord(2);
        field("Edit1")->setText(QStringLiteral("未保存"));
        const QByteArray before = imageOf(materials());

        auto question = test::answerNextMessageBox(QMessageBox::No);
        click("BitBtn8");
        QVERIFY(question->seen);
        QCOMPARE(question->text, QStringLiteral("本当に現在のデーターNo.の内容を消去"));
        QCOMPARE(imageOf(materials()), before);
        QCOMPARE(field("Edit1")->text(), QStringLiteral("未保存"));

        auto yes = test::answerNextMessageBox(QMessageBox::Yes);
        click("BitBtn8");
        QVERIFY(yes->seen);
        const MaterialRecord& record = materials()[2];
        QCOMPARE(record.kindName.length, 0);
        QCOMPARE(record.kind, kUnusedKind);
        QCOMPARE(record.diameterCount, 0);
        QCOMPARE(record.shearModulus, 0.0);
        QCOMPARE(record.diameters[0], 0.0);
        QCOMPARE(record.allowableBending[11], 0.0);
        QCOMPARE(editor_->editIndex(), 2);
        QCOMPARE(field("Edit1")->text(), QString());
        QCOMPARE(field("Edit3")->text(), QStringLiteral("0"));
        QCOMPARE(field("Edit4")->text(), QStringLiteral("0"));
        QCOMPARE(kindSpin()->value(), 10);
        QCOMPARE(grid()->entryText(0, 0), QStringLiteral("0"));
        QCOMPARE(std::memcmp(&materials()[1], &sampleLibrary()[1], sizeof(MaterialRecord)), 0);
    }

    void savingWritesTheLibraryWithEmptyRecordsMarked() {
        MaterialRecord& empty = materials()[7];
        std::fill(std::begin(empty.diameters), std::end(empty.diameters), 0.0);
        editor_->showEditorRecord(5);
        field("Edit2")->setText(QStringLiteral("ＳＷＰ－Ａ"));

        const QString path = inFolder("library.dst");
        auto dialog = test::answerNextFileDialog(path);
        auto message = test::answerNextMessageBox(QMessageBox::Yes);
        click("BitBtn2");
        QVERIFY(dialog->seen);
        QCOMPARE(dialog->text, QStringLiteral("材料のデーター (*.dst);;すべてのファイル (*.*)"));
        QVERIFY(message->seen);
        QCOMPARE(message->text,
                 QStringLiteral("材料特性を変更した場合は、ソフトを一度終了して下さい！"));

        const QByteArray written = fileBytes(path);
        QCOMPARE(written.size(), 52080);
        QCOMPARE(written, imageOf(materials()));
        std::int32_t kindOfRecord7 = 0;
        std::memcpy(&kindOfRecord7, written.constData() + 7 * 1736 + 116, 4);
        QCOMPARE(kindOfRecord7, 10);
        QCOMPARE(shortStringText(materials()[5].gradeSymbol), std::string("ＳＷＰ－Ａ"));

        // A name typed without an extension gets ".dst".
        dialog = test::answerNextFileDialog(inFolder("plain"));
        message = test::answerNextMessageBox(QMessageBox::Yes);
        click("BitBtn2");
        QVERIFY(message->seen);
        QCOMPARE(fileBytes(inFolder("plain.dst")), imageOf(materials()));
    }

    void loadingReplacesTheLibraryAndShowsRecordZero() {
        MaterialLibrary other = sampleLibrary();
        setShortStringText(other[0].kindName, "読み込んだ線");
        other[5].kind = 3; // no table: marked unused after the load
        std::fill(std::begin(other[5].diameters), std::end(other[5].diameters), 0.0);
        const QString path = inFolder("other.dst");
        QVERIFY(writeBytes(path, imageOf(other)));

        editor_->showEditorRecord(4);
        field("Edit1")->setText(QStringLiteral("捨てられる"));
        auto dialog = test::answerNextFileDialog(path);
        click("BitBtn1");
        QVERIFY(dialog->seen);
        other[5].kind = kUnusedKind;
        QCOMPARE(imageOf(materials()), imageOf(other));
        QCOMPARE(editor_->editIndex(), 0);
        QCOMPARE(field("Edit1")->text(), QStringLiteral("読み込んだ線"));

        // A file that cannot be read changes nothing. (Tests run as root, so permissions cannot
        // make a file unreadable; reading this process's memory image at offset 0 fails.)
        field("Edit1")->setText(QStringLiteral("残る"));
        const QByteArray loaded = imageOf(materials());
        auto unreadable = test::answerNextFileDialog(QStringLiteral("/proc/self/mem"));
        auto error = test::answerNextMessageBox(QMessageBox::Ok);
        click("BitBtn1");
        QVERIFY(unreadable->seen);
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("ファイル /proc/self/mem は開けません"));
        QCOMPARE(imageOf(materials()), loaded);
        QCOMPARE(field("Edit1")->text(), QStringLiteral("残る"));
    }

    void cancellingTheFileDialogsChangesNothing() {
        materials()[7].diameters[0] = 0; // would be marked by a save
        editor_->showEditorRecord(4);
        field("Edit1")->setText(QStringLiteral("入力中"));
        const QByteArray before = imageOf(materials());

        auto load = test::answerNextFileDialog(QString());
        click("BitBtn1");
        QVERIFY(load->seen);
        QCOMPARE(imageOf(materials()), before);
        QCOMPARE(editor_->editIndex(), 4);
        QCOMPARE(field("Edit1")->text(), QStringLiteral("入力中"));

        auto save = test::answerNextFileDialog(QString());
        click("BitBtn2");
        QVERIFY(save->seen);
        QCOMPARE(materials()[7].kind, 1);
        QVERIFY(QDir(folder_->path()).isEmpty());
        QCOMPARE(editor_->editIndex(), 4);
    }

    void theNinthRecordOfAKindWarns() {
        editor_->showEditorRecord(12); // stainless, kind 2: eight records
        QCOMPARE(field("Edit9")->text(), QStringLiteral("8"));
        QCOMPARE(comments()->count(), 0);

        kindSpin()->setFocus();
        QTest::keyClick(kindSpin(), Qt::Key_Down); // to kind 1, which already has eight
        QCOMPARE(kindSpin()->value(), 1);
        QCOMPARE(field("Edit9")->text(), QStringLiteral("9"));
        QCOMPARE(comments()->count(), 1);
        QCOMPARE(comments()->item(0)->text(),
                 QStringLiteral("種類番号＝ 1 は８以上登録できません！"));

        // Only advice: the record is stored with the kind.
        click("BitBtn4");
        QCOMPARE(materials()[12].kind, 1);
        QCOMPARE(editor_->editIndex(), 11); // hard-drawn steel: a different kind on screen
        QCOMPARE(field("Edit9")->text(), QStringLiteral("4"));
        QCOMPARE(comments()->count(), 1);

        // A record of kind 1 counts itself once: nine records now, and the warning again.
        editor_->showEditorRecord(3);
        QCOMPARE(field("Edit9")->text(), QStringLiteral("9"));
        QCOMPARE(comments()->count(), 2);

        QTest::mouseDClick(comments()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(comments()->count(), 0);
    }

    void aFailedSaveKeepsThePreviousFileAndReportsIt() {
        const QString path = inFolder("kept.dst");
        const QByteArray previous(52080, '\x5a');
        QVERIFY(writeBytes(path, previous));
        field("Edit1")->setText(QStringLiteral("新しい名前"));

        // A folder that does not exist.
        auto missing = test::answerNextFileDialog(inFolder("no-such-folder/new.dst"));
        auto error = test::answerNextMessageBox(QMessageBox::Ok);
        click("BitBtn2");
        QVERIFY(missing->seen);
        QVERIFY(error->seen);
        QVERIFY2(error->text.contains(QStringLiteral("を作成できません")), qPrintable(error->text));
        QVERIFY(!QFileInfo::exists(inFolder("no-such-folder")));

        // A full disk while the file is replaced.
        {
            const test::FileSizeLimit fullDisk(4096);
            auto dialog = test::answerNextFileDialog(path);
            const auto boxes = test::answerMessageBoxesInTurn({QMessageBox::Yes, QMessageBox::Ok});
            click("BitBtn2");
            QVERIFY(dialog->seen);
            QCOMPARE(boxes->size(), std::size_t(2));
            QVERIFY(boxes->at(1)->seen);
            QVERIFY2(boxes->at(1)->text.contains(path), qPrintable(boxes->at(1)->text));
        }
        QCOMPARE(fileBytes(path), previous);
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList{"kept.dst"});
        // The record was stored all the same.
        QCOMPARE(shortStringText(materials()[0].kindName), std::string("新しい名前"));
    }
};

HSPRING_WINDOW_TEST(MaterialEditorTest)

#include "material_editor_test.moc"
