#include "app/main_window_fixture.h"
#include "base/number_format.h"
#include "data/default_data.h"
#include "search/windows/design_search_window.h"
#include "support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
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
        child<QComboBox>(search, "materialList")->setCurrentIndex(0); // every material
        QVERIFY(searchAndWait(search));
        auto* table = child<QTableWidget>(search, "candidateTable");
        QCOMPARE(table->rowCount(), 20);
        QVERIFY(child<QLabel>(search, "statusLabel")->text().startsWith("候補 20 件"));

        // Sorting by mass, heaviest first, goes by the numbers.
        table->sortByColumn(13, Qt::DescendingOrder);
        QVERIFY(table->item(0, 13)->text().toDouble() >= table->item(19, 13)->text().toDouble());
        QVERIFY(table->item(0, 0)->text().toInt() > 1);

        // The third lightest, put into the main window and calculated there.
        table->sortByColumn(0, Qt::AscendingOrder);
        table->selectRow(2);
        const SearchCandidate* chosen = search->selectedCandidate();
        QVERIFY(chosen && chosen->rank == 3);
        const SpringDesign expected = chosen->result.design;
        QCOMPARE(table->item(2, 3)->text(), f15(expected.meanDiameter));
        child<QPushButton>(search, "applyButton")->click();

        QCOMPARE(w.text("Label48"), QStringLiteral("平均径"));
        QCOMPARE(w.text("Edit18"), f15(expected.meanDiameter));
        QCOMPARE(w.text("ComboBox6"), f15(expected.wireDiameter));
        QCOMPARE(w.text("Edit19"), f15(expected.totalTurns));
        QCOMPARE(w.text("Edit1"), f4(expected.freeLength));
        QCOMPARE(w.text("Edit33"), f4(expected.initialTension));
        QVERIFY(!w.control<QCheckBox>("CheckBox1")->isChecked());
        QCOMPARE(w.text("Edit6"), table->item(2, 8)->text());
        QCOMPARE(w.text("Edit7"), table->item(2, 9)->text());
        QCOMPARE(w.statusLines(), QStringList{QStringLiteral("Calculation Success!")});
        // Slot 0 holds exactly what the search calculated.
        QCOMPARE(std::memcmp(&w.state.current(), &expected, sizeof expected), 0);
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
        child<QComboBox>(search, "materialList")->setCurrentIndex(0);
        child<QComboBox>(search, "hookTypeList")->setCurrentIndex(1);
        QVERIFY(!child<QLineEdit>(search, "hookAngleField")->isEnabled());
        set("hookLengthField", "12");
        set("hookMinRadiusField", "2");
        set("countField", "1");
        QVERIFY(searchAndWait(search));
        QVERIFY2(search->candidates().size() == 1,
                 qPrintable(child<QLabel>(search, "statusLabel")->text()));
        child<QTableWidget>(search, "candidateTable")->selectRow(0);
        child<QPushButton>(search, "applyButton")->click();
        // The six rules pass; what the hooks may still be warned about follows them.
        const QStringList lines = w.statusLines();
        QCOMPARE(lines.front(), QStringLiteral("Calculation Success!"));
        for (const QString& line : lines.mid(1))
            QVERIFY2(line.startsWith(QStringLiteral("警告:")), qPrintable(line));
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

        // A requirement that cannot be searched says why in Japanese, and nothing starts.
        set("diameterStepField", "0.1");
        set("load2Field", "3");
        const auto box = answerNextMessageBox(QMessageBox::Ok);
        child<QPushButton>(search, "searchButton")->click();
        QVERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("荷重(P1)は荷重(P2)より小さくしてください"));
        QVERIFY(!search->searching());
    }
};

HSPRING_WINDOW_TEST(DesignSearchWindowTest)
#include "design_search_window_test.moc"
