// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "chart/windows/chart_page.h"
#include "data/default_data.h"
#include "search/candidate_table.h"
#include "search/windows/design_search_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTableWidget>
#include <cstring>

using namespace hspring;
using namespace hspring::test;

namespace {

QString f4(double value) {
    return QString::fromStdString(formatF4(value));
}
QString f15(double value) {
    return QString::fromStdString(formatF15(value));
}

template <typename Control>
Control* child(QWidget* window, const char* name) {
    auto* found = window->findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Runs a search from the window's fields and waits for it to end.
bool searchAndWait(DesignSearchWindow* window) {
    child<QPushButton>(window, "searchButton")->click();
    return QTest::qWaitFor([window] { return !window->searching(); }, 20000);
}

} // namespace

class DesignSearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Each case starts as a first run: no requirement kept from the one before.
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("hspring"),
                  QStringLiteral("hspring"))
            .remove(QStringLiteral("designSearch"));
    }

    // The designer asks for two working points, picks a candidate, and the main window shows
    // it calculated: the same numbers as the search, every check passed.
    void aChosenCandidateIsCalculatedInTheMainWindow() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        typeInto(w.edit("Edit4"), QStringLiteral("48"));
        typeInto(w.edit("Edit5"), QStringLiteral("60"));
        w.clickButton("BitBtn2");
        const QString mainLoad1 = w.text("Edit6");

        w.triggerMenu("designSearchItem");
        auto* search = w.window->findChild<DesignSearchWindow*>();
        QVERIFY(search && search->isVisible());
        QCOMPARE(search->windowTitle(), QStringLiteral("設計候補の探索"));
        // The current design's requirement is filled in.
        QCOMPARE(child<QLineEdit>(search, "length1Field")->text(), QStringLiteral("48"));
        QCOMPARE(child<QLineEdit>(search, "length2Field")->text(), QStringLiteral("60"));
        QCOMPARE(child<QLineEdit>(search, "load1Field")->text(), mainLoad1);
        QVERIFY(child<QComboBox>(search, "materialList")->currentText().endsWith("SW-A"));

        child<QLineEdit>(search, "load1Field")->setText(QStringLiteral("1.2"));
        child<QLineEdit>(search, "load2Field")->setText(QStringLiteral("2.5"));
        child<QLineEdit>(search, "toleranceField")->setText(QStringLiteral("20"));
        child<QComboBox>(search, "materialList")->setCurrentIndex(0); // every material
        QVERIFY(searchAndWait(search));
        auto* table = child<QTableWidget>(search, "candidateTable");
        QCOMPARE(table->rowCount(), 20);
        QVERIFY(child<QLabel>(search, "statusLabel")->text().startsWith("候補 20 件"));

        // Sorting by mass, heaviest first, goes by the numbers: every row no lighter than the
        // next, every candidate once.
        table->sortByColumn(kMassColumn, Qt::DescendingOrder);
        QSet<int> shown;
        for (int row = 0; row < table->rowCount(); ++row) {
            const int index = table->item(row, kMassColumn)->data(Qt::UserRole).toInt();
            shown.insert(index);
            const double mass = search->candidates()[index].result.extras.springMass;
            QCOMPARE(table->item(row, kMassColumn)->text(), f4(mass));
            if (row + 1 < table->rowCount()) {
                const int next = table->item(row + 1, kMassColumn)->data(Qt::UserRole).toInt();
                QVERIFY2(mass >= search->candidates()[next].result.extras.springMass,
                         qPrintable(QStringLiteral("row %1").arg(row)));
            }
        }
        QCOMPARE(shown.size(), 20);
        QVERIFY(table->item(0, kRankColumn)->text().toInt() > 1);

        // The third lightest, put into the main window and calculated there.
        table->sortByColumn(kRankColumn, Qt::AscendingOrder);
        table->selectRow(2);
        const SearchCandidate* chosen = search->selectedCandidate();
        QVERIFY(chosen && chosen->rank == 3);
        const SpringDesign expected = chosen->result.design;
        QCOMPARE(table->item(2, kMeanDiameterColumn)->text(), f15(expected.meanDiameter));
        child<QPushButton>(search, "applyButton")->click();

        QCOMPARE(w.text("Label48"), QStringLiteral("平均径"));
        QCOMPARE(w.text("Edit18"), f15(expected.meanDiameter));
        QCOMPARE(w.text("ComboBox6"), f15(expected.wireDiameter));
        QCOMPARE(w.text("Edit19"), f15(expected.totalTurns));
        QCOMPARE(w.text("Edit1"), f4(expected.freeLength));
        QCOMPARE(w.text("Edit33"), f4(expected.initialTension));
        QVERIFY(!w.control<QCheckBox>("CheckBox1")->isChecked());
        QCOMPARE(w.text("Edit6"), table->item(2, kLoad1Column)->text());
        QCOMPARE(w.text("Edit7"), table->item(2, kLoad2Column)->text());
        // The six rules pass; any other line is a warning (the first line counts them).
        QVERIFY(w.statusLines().contains(QStringLiteral("Calculation Success!")));
        for (const QString& line : w.statusLines())
            QVERIFY2(line == QStringLiteral("Calculation Success!") ||
                         line.startsWith(QStringLiteral("警告")),
                     qPrintable(line));
        // Slot 0 holds exactly what the search calculated.
        QCOMPARE(std::memcmp(&w.state.current(), &expected, sizeof expected), 0);
        // The chart beside it draws the requirement's two windows, until the lengths change.
        auto* chart = w.window->findChild<ChartPage*>();
        QCOMPARE(chart->windowsShown(), std::size_t{2});
        typeInto(w.edit("Edit5"), QStringLiteral("61"));
        w.clickButton("BitBtn2");
        QCOMPARE(chart->windowsShown(), std::size_t{0});
    }

    // A U-hook search switches the main window's hook page; a long search can be stopped.
    void uHooksAndCancelling() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        w.triggerMenu("designSearchItem");
        auto* search = w.window->findChild<DesignSearchWindow*>();
        QVERIFY(search);
        const auto set = [search](const char* field, const char* text) {
            child<QLineEdit>(search, field)->setText(QString::fromUtf8(text));
        };
        set("length1Field", "80");
        set("load1Field", "4");
        set("length2Field", "100");
        set("load2Field", "8");
        set("toleranceField", "20");
        child<QComboBox>(search, "materialList")->setCurrentIndex(0);
        child<QComboBox>(search, "hookTypeList")->setCurrentIndex(1);
        QVERIFY(!child<QLineEdit>(search, "hookAngleField")->isEnabled());
        set("hookLengthField", "12");
        set("hookMinRadiusField", "2");
        set("countField", "1");
        QVERIFY(searchAndWait(search));
        QVERIFY2(search->candidates().size() == 1,
                 qPrintable(child<QLabel>(search, "statusLabel")->text()));
        // With the recommended free length ticked, the main window recommends the U hooks'
        // length (N + 1)·d + 2·hookLength, the one the search chose: the search's best uses its
        // coil's allowable to the last 0.01 %, and the round hooks' shorter length would put it
        // over.
        QVERIFY(w.control<QCheckBox>("CheckBox2")->isChecked());
        child<QTableWidget>(search, "candidateTable")->selectRow(0);
        child<QPushButton>(search, "applyButton")->click();
        QCOMPARE(w.text("Edit1"), f4(search->candidates().front().result.design.freeLength));
        // The six rules pass; what the hooks may still be warned about follows them.
        const QStringList lines = w.statusLines();
        QVERIFY(lines.contains(QStringLiteral("Calculation Success!")));
        for (const QString& line : lines)
            QVERIFY2(line == QStringLiteral("Calculation Success!") ||
                         line.startsWith(QStringLiteral("警告")),
                     qPrintable(line));
        QVERIFY(w.control<QTabWidget>("PageControl2")->currentWidget()->objectName() ==
                QStringLiteral("TabSheet4"));

        // A grid of micrometre steps takes long; "中止" stops it and the window answers meanwhile.
        set("diameterStepField", "0.001");
        set("countField", "20");
        child<QPushButton>(search, "searchButton")->click();
        QVERIFY(search->searching());
        QVERIFY(!child<QPushButton>(search, "searchButton")->isEnabled());
        child<QPushButton>(search, "cancelButton")->click();
        QVERIFY(QTest::qWaitFor([search] { return !search->searching(); }, 20000));
        QCOMPARE(child<QLabel>(search, "statusLabel")->text(),
                 QStringLiteral("探索を中止しました"));
        QCOMPARE(child<QTableWidget>(search, "candidateTable")->rowCount(), 0);
        // The bar stays at the work done, below its end, and says it was stopped.
        auto* bar = child<QProgressBar>(search, "progressBar");
        QVERIFY(bar->value() < bar->maximum());
        QVERIFY(bar->text().endsWith(QStringLiteral("中止")));

        // A requirement that cannot be searched says why in Japanese, and nothing starts.
        set("diameterStepField", "0.1");
        set("load2Field", "3");
        const auto box = answerNextMessageBox(QMessageBox::Ok);
        child<QPushButton>(search, "searchButton")->click();
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("荷重(P1)は荷重(P2)より小さくしてください"));
        QVERIFY(!search->searching());
    }

    // Opened again, the window keeps the designer's requirement; "現在の設計から" takes the main
    // window's design, in load mode too, as a valid requirement. Nothing feasible says why.
    void reopeningKeepsTheRequirementAndSaysWhyNothingFits() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        w.triggerMenu("designSearchItem");
        auto* search = w.window->findChild<DesignSearchWindow*>();
        QVERIFY(search);
        auto* load1 = child<QLineEdit>(search, "load1Field");
        load1->setText(QStringLiteral("0.7"));
        search->close();
        w.triggerMenu("designSearchItem");
        QCOMPARE(load1->text(), QStringLiteral("0.7"));

        // The main window in load mode: loads given, lengths calculated.
        SpringDesign design = w.state.current();
        design.lengthMode = kLoadsGiven;
        design.load1 = 1.2;
        design.load2 = 0.8; // the points given in falling order
        design.length1 = 60;
        design.length2 = 52;
        w.state.current() = design;
        child<QPushButton>(search, "fromDesignButton")->click();
        QCOMPARE(child<QLineEdit>(search, "length1Field")->text(), QStringLiteral("52"));
        QCOMPARE(load1->text(), QStringLiteral("0.8"));
        QCOMPARE(child<QLineEdit>(search, "length2Field")->text(), QStringLiteral("60"));
        QCOMPARE(child<QLineEdit>(search, "load2Field")->text(), QStringLiteral("1.2"));
        DesignRequirement read;
        read = search->readRequirement();
        QCOMPARE(read.toleranceGrade, 2);
        // The room is not limited while its fields are empty (blanks count as empty).
        QVERIFY(!read.maxOuterDiameter && !read.minInnerDiameter && !read.maxFreeLength);
        child<QLineEdit>(search, "minInnerDiameterField")->setText(QStringLiteral("  "));
        child<QLineEdit>(search, "maxFreeLengthField")->setText(QStringLiteral(" 75 "));
        read = search->readRequirement();
        QVERIFY(!read.minInnerDiameter);
        QCOMPARE(read.maxFreeLength, std::optional<double>(75));

        // A count that is no whole number: the error box says which text, and the field keeps
        // the focus with its text selected (the window's focus: offscreen, the window stays
        // inactive after a box).
        child<QLineEdit>(search, "maxFreeLengthField")->clear();
        auto* count = child<QLineEdit>(search, "countField");
        const QString countBefore = count->text();
        count->setText(QStringLiteral("2.5"));
        load1->setFocus();
        const auto box = answerNextMessageBox(QMessageBox::Ok);
        child<QPushButton>(search, "searchButton")->click();
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("候補の数: '2.5' は有効な整数ではありません"));
        QVERIFY(!search->searching());
        QTRY_COMPARE(search->focusWidget(), static_cast<QWidget*>(count));
        QTRY_COMPARE(count->selectedText(), QStringLiteral("2.5"));
        count->setText(countBefore);

        // A limit that is no length: the box names the field by its label.
        auto* maxFreeLength = child<QLineEdit>(search, "maxFreeLengthField");
        maxFreeLength->setText(QStringLiteral("-1"));
        const auto limitBox = answerNextMessageBox(QMessageBox::Ok);
        child<QPushButton>(search, "searchButton")->click();
        QVERIFY(limitBox->seen);
        QCOMPARE(limitBox->text, QStringLiteral("自由長さの上限は 0 より大きくしてください"));
        maxFreeLength->clear();

        // Grade 3 against a 2 % window: no spring can be made that accurately.
        child<QLineEdit>(search, "toleranceField")->setText(QStringLiteral("2"));
        child<QComboBox>(search, "gradeList")->setCurrentIndex(3);
        child<QComboBox>(search, "materialList")->setCurrentIndex(1); // the first kind
        QVERIFY(searchAndWait(search));
        auto* why = child<QLabel>(search, "explanationLabel");
        QVERIFY(why->isVisible());
        QVERIFY2(why->text().contains(QStringLiteral("許容差の等級での荷重")),
                 qPrintable(why->text()));
        QVERIFY(why->text().contains(QStringLiteral("最も近い設計")));
    }

    // The requirement outlives the window and the run. Once it differs from the one searched,
    // the list is greyed under a line that says so; typed back, the list is current again. When
    // nothing fits, lines say which change would help.
    void theRequirementIsKeptAndAChangedOneMarksTheList() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        {
            const OpenWindow w(folder);
            w.triggerMenu("designSearchItem");
            auto* search = w.window->findChild<DesignSearchWindow*>();
            QVERIFY(search && !search->requirementRestored());
            const auto set = [search](const char* field, const char* text) {
                child<QLineEdit>(search, field)->setText(QString::fromUtf8(text));
            };
            set("length1Field", "80");
            set("load1Field", "4");
            set("length2Field", "100");
            set("load2Field", "8");
            set("toleranceField", "20");
            set("countField", "3");
            child<QComboBox>(search, "materialList")->setCurrentIndex(1);
            QVERIFY(searchAndWait(search));
            auto* table = child<QTableWidget>(search, "candidateTable");
            QCOMPARE(table->rowCount(), 3);
            auto* stale = child<QLabel>(search, "staleLabel");
            QVERIFY(!search->listStale() && !stale->isVisibleTo(search));
            const QBrush current = table->item(0, 1)->foreground();

            set("toleranceField", "10");
            QVERIFY(search->listStale());
            QVERIFY(stale->isVisibleTo(search));
            QVERIFY(stale->text().contains(QStringLiteral("変更前の要求")));
            QVERIFY(table->item(0, 1)->foreground() != current);
            set("toleranceField", "20");
            QVERIFY(!search->listStale() && !stale->isVisibleTo(search));
            QCOMPARE(table->item(0, 1)->foreground(), current);
            child<QComboBox>(search, "gradeList")->setCurrentIndex(1);
            QVERIFY(search->listStale());
            child<QComboBox>(search, "gradeList")->setCurrentIndex(2);
            set("toleranceField", "5");
            set("maxOuterDiameterField", "0.3");
        }
        // The next run's window starts from what was left, not from the main window's design.
        const OpenWindow w(folder);
        w.triggerMenu("designSearchItem");
        auto* search = w.window->findChild<DesignSearchWindow*>();
        QVERIFY(search->requirementRestored());
        QCOMPARE(child<QLineEdit>(search, "length1Field")->text(), QStringLiteral("80"));
        QCOMPARE(child<QLineEdit>(search, "toleranceField")->text(), QStringLiteral("5"));
        QCOMPARE(child<QComboBox>(search, "materialList")->currentIndex(), 1);
        QVERIFY(!search->listStale());

        // No wire coils within an outer diameter of 0.3 mm, and grade 2's load tolerance is at
        // least ±8 % of the load (β of many turns), which a ±5 % window cannot hold; grade 1's
        // ±4 % could.
        QVERIFY(searchAndWait(search));
        QVERIFY(search->candidates().empty());
        const QString why = child<QLabel>(search, "explanationLabel")->text();
        QVERIFY2(why.contains(QStringLiteral("外径の上限が、どの線で巻いても届かない")),
                 qPrintable(why));
        QVERIFY2(why.contains(QStringLiteral("2級の荷重の許容差だけで荷重の ±8.0 % になり、"
                                             "荷重の許容差 ±5.0 % に収まりません。"
                                             "許容差の等級を1級にするか")),
                 qPrintable(why));
    }
};

HSPRING_WINDOW_TEST(DesignSearchWindowTest)
#include "design_search_window_test.moc"
