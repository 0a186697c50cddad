// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/detail_page_text.h"
#include "app/windows/detail_page.h"
#include "app/windows/unit_setting.h"
#include "base/number_format.h"
#include "chart/windows/chart_page.h"
#include "data/default_data.h"
#include "search/candidate_table.h"
#include "search/design_requirement.h"
#include "search/windows/design_search_window.h"
#include "tests/support/main_window_fixture.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <cmath>
#include <string>
#include <vector>

using namespace hspring;
using namespace hspring::test;

namespace {

constexpr long double kNewtonsPerKgf = 9.80665L;

// The same force read once in kgf and once in N, each shown in four digits: their ratio is g
// within the two roundings.
bool sameForce(const QString& kgf, const QString& newtons) {
    bool kgfRead = false;
    bool newtonsRead = false;
    const double inKgf = kgf.toDouble(&kgfRead);
    const double inNewtons = newtons.toDouble(&newtonsRead);
    if (!kgfRead || !newtonsRead || inKgf == 0)
        return false;
    return std::fabs(inNewtons / inKgf / double(kNewtonsPerKgf) - 1) < 1.2e-3;
}

// The number in a recommended-value label "最大荷重=19.31N": between '=' and the unit.
QString labelNumber(const QString& label, const QString& unit) {
    const qsizetype start = label.indexOf(QLatin1Char('=')) + 1;
    return label.mid(start, label.indexOf(unit, start) - start);
}

QStringList cells(const DetailTable& table, std::size_t row) {
    QStringList list;
    for (const std::string& cell : table.rows.at(row).cells)
        list << QString::fromStdString(cell);
    return list;
}

QStringList headerCells(const DetailTable& table, std::size_t row) {
    QStringList list;
    for (const std::string& cell : table.headers.at(row))
        list << QString::fromStdString(cell);
    return list;
}

bool checked(const OpenWindow& w, const char* item) {
    return w.control<QAction>(item)->isChecked();
}

} // namespace

class UnitSettingWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Every test starts in the default units, whatever the one before chose.
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "hspring", "hspring").clear();
    }
    void cleanup() { init(); }

    // The main window: fields, unit captions, recommended values and their buttons, the history,
    // typed loads in N kept exactly through ▼ and back, the switch back, the next start.
    void mainWindowShowsAndReadsForcesInTheChosenUnits() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        std::vector<QString> kgfTexts;
        {
            const OpenWindow w(folder);
            QVERIFY(checked(w, "GravitationalUnits"));
            QVERIFY(!checked(w, "SiUnits"));
            w.clickButton("BitBtn2");
            for (const char* field : {"Edit6", "Edit7", "Edit33", "Edit8", "Edit9", "Edit11"})
                kgfTexts.push_back(w.text(field));
            QCOMPARE(kgfTexts[0], QStringLiteral("0.6143"));
            QCOMPARE(w.edit("Edit8")->accessibleDescription(), QStringLiteral("kgf/mm"));

            w.triggerMenu("SiUnits");
            QVERIFY(checked(w, "SiUnits") && !checked(w, "GravitationalUnits"));
            // The computed loads (length mode) and the results, in N from the design itself.
            QCOMPARE(w.text("Edit6"), QStringLiteral("6.024"));
            QCOMPARE(w.text("Edit7"), QStringLiteral("10.93"));
            QCOMPARE(w.text("Edit33"), QStringLiteral("3.08"));
            QCOMPARE(w.text("Edit8"), QStringLiteral("0.4906"));
            int index = 0;
            for (const char* field : {"Edit6", "Edit7", "Edit33", "Edit8", "Edit9", "Edit11"})
                QVERIFY2(sameForce(kgfTexts[std::size_t(index++)], w.text(field)), field);
            QCOMPARE(w.edit("Edit9")->accessibleDescription(), QStringLiteral("N/mm^2"));
            const QStringList units = [&w] {
                QStringList texts;
                for (QLabel* label : w.window->findChildren<QLabel*>())
                    if (label->text().contains(QStringLiteral("kgf")))
                        texts << label->text();
                return texts;
            }();
            QVERIFY2(units.isEmpty(), qPrintable(units.join(QStringLiteral(" | "))));
            const auto* grid = w.control<CentredGrid>("sg1");
            QCOMPARE(grid->cellText(1, 6), QStringLiteral("N"));
            QCOMPARE(grid->cellText(1, 10), QStringLiteral("N/mm"));
            QCOMPARE(grid->cellText(1, 12), QStringLiteral("N/mm^2"));

            // The recommended maximum load in N, and its button puts that number into P2.
            const QString maxLoad = w.text("Label56");
            QVERIFY2(maxLoad.startsWith(QStringLiteral("最大荷重=")) &&
                         maxLoad.contains(QStringLiteral("N")) && !maxLoad.contains("kgf"),
                     qPrintable(maxLoad));
            QVERIFY(w.text("Label45").endsWith(QStringLiteral(")N")));

            // Loads typed in N with the loads given: stored as N ÷ g, shown again as typed,
            // and through ▼ into the history.
            w.triggerMenu("llcheng");
            typeInto(w.edit("Edit6"), QStringLiteral("6"));
            typeInto(w.edit("Edit7"), QStringLiteral("11.77"));
            w.clickButton("BitBtn2");
            QCOMPARE(w.state.current().load1, static_cast<double>(6 / kNewtonsPerKgf));
            QCOMPARE(w.state.current().load2, static_cast<double>(11.77L / kNewtonsPerKgf));
            QCOMPARE(w.text("Edit6"), QStringLiteral("6"));
            QCOMPARE(w.text("Edit7"), QStringLiteral("11.77"));
            w.clickButton("SpeedButton5");
            QCOMPARE(grid->cellText(2, 6), QStringLiteral("6"));
            QCOMPARE(grid->cellText(2, 7), QStringLiteral("11.77"));
            w.clickButton("SpeedButton1");
            QCOMPARE(w.text("Edit7"), labelNumber(w.text("Label56"), QStringLiteral("N")));

            // Back in kgf the same design; in N again the digits typed.
            typeInto(w.edit("Edit7"), QStringLiteral("11.77"));
            w.triggerMenu("GravitationalUnits");
            QCOMPARE(w.text("Edit6"), QStringLiteral("0.6118"));
            QCOMPARE(grid->cellText(2, 6), QStringLiteral("0.6118"));
            QCOMPARE(grid->cellText(1, 6), QStringLiteral("kgf"));
            QVERIFY(w.text("Label56").contains(QStringLiteral("kgf")));
            w.triggerMenu("SiUnits");
            QCOMPARE(w.text("Edit6"), QStringLiteral("6"));
            QCOMPARE(w.text("Edit7"), QStringLiteral("11.77"));
            QCOMPARE(grid->cellText(2, 7), QStringLiteral("11.77"));
        }
        // The next start keeps the choice.
        QCOMPARE(savedUnitSystem(), UnitSystem::Si);
        const OpenWindow again(folder);
        QVERIFY(checked(again, "SiUnits"));
        QCOMPARE(again.edit("Edit6")->accessibleDescription(), QStringLiteral("N"));
    }

    // The detail page puts the chosen units first, the other beside them; the chart page's
    // tolerances follow.
    void detailAndChartPagesFollowTheUnits() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        auto* detail = w.window->findChild<DetailPage*>();
        auto* chart = w.window->findChild<ChartPage*>();
        const DetailTable forcesKgf = detail->texts().tables[kDetailForceTable];
        const DetailTable stressesKgf = detail->texts().tables[kDetailStressTable];
        const QStringList tolerancesKgf = chart->toleranceText().split('\n');
        QCOMPARE(cells(forcesKgf, 0).mid(2), (QStringList{"kgf/mm", "0.4906", "N/mm"}));

        w.triggerMenu("SiUnits");
        const DetailTable& forces = detail->texts().tables[kDetailForceTable];
        QCOMPARE(headerCells(forces, 0), (QStringList{"項目", "SI単位", "", "重力単位", ""}));
        for (std::size_t row = 0; row < forces.rows.size(); ++row) {
            const QStringList si = cells(forces, row);
            const QStringList kgf = cells(forcesKgf, row);
            QCOMPARE(si, (QStringList{kgf[0], kgf[3], kgf[4], kgf[1], kgf[2]}));
        }
        const DetailTable& stresses = detail->texts().tables[kDetailStressTable];
        QCOMPARE(headerCells(stresses, 1),
                 (QStringList{"単位", "N/mm^2", "kgf/mm^2", "N/mm^2", "kgf/mm^2", "%"}));
        QCOMPARE(cells(stresses, 1)[1], cells(stressesKgf, 1)[2]);
        QCOMPARE(cells(stresses, 1)[5], cells(stressesKgf, 1)[5]);
        QVERIFY(QString::fromStdString(detailPageClipboardText(detail->texts()))
                    .contains(QStringLiteral("SI単位\t\t重力単位")));

        const QStringList tolerances = chart->toleranceText().split('\n');
        for (int line = 0; line < 3; ++line) {
            const QString unitKgf = line < 2 ? QStringLiteral("kgf") : QStringLiteral("kgf/mm");
            const QString unitSi = line < 2 ? QStringLiteral("N") : QStringLiteral("N/mm");
            QVERIFY2(tolerancesKgf[line].endsWith(unitKgf), qPrintable(tolerancesKgf[line]));
            QVERIFY2(tolerances[line].endsWith(unitSi), qPrintable(tolerances[line]));
            const auto number = [](const QString& text, const QString& unit) {
                return text.mid(text.indexOf(QStringLiteral("±")) + 1).chopped(unit.size());
            };
            QVERIFY2(
                sameForce(number(tolerancesKgf[line], unitKgf), number(tolerances[line], unitSi)),
                qPrintable(tolerances[line]));
        }
        QCOMPARE(tolerances[3], tolerancesKgf[3]); // the free length stays in mm

        w.triggerMenu("GravitationalUnits");
        QCOMPARE(cells(detail->texts().tables[kDetailForceTable], 0), cells(forcesKgf, 0));
        QCOMPARE(chart->toleranceText().split('\n'), tolerancesKgf);
    }

    // The search window reads its loads in the chosen units, shows its candidates in them and
    // follows a switch while it is open.
    void searchWindowReadsAndShowsLoadsInTheChosenUnits() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        typeInto(w.edit("Edit4"), QStringLiteral("48"));
        typeInto(w.edit("Edit5"), QStringLiteral("60"));
        w.clickButton("BitBtn2");
        w.triggerMenu("SiUnits");
        const QString mainLoad1 = w.text("Edit6");
        w.triggerMenu("designSearchItem");
        auto* search = w.window->findChild<DesignSearchWindow*>();
        QVERIFY(search);
        auto* load1 = search->findChild<QLineEdit*>("load1Field");
        auto* load2 = search->findChild<QLineEdit*>("load2Field");
        QCOMPARE(load1->text(), mainLoad1);
        auto* table = search->findChild<QTableWidget*>("candidateTable");
        QCOMPARE(table->horizontalHeaderItem(kLoad1Column)->text(), QStringLiteral("荷重 P1 N"));

        load1->setText(QStringLiteral("11.77"));
        load2->setText(QStringLiteral("24.52"));
        search->findChild<QLineEdit*>("toleranceField")->setText(QStringLiteral("20"));
        search->findChild<QComboBox*>("materialList")->setCurrentIndex(0);
        const DesignRequirement requirement = search->readRequirement();
        QCOMPARE(requirement.load1, static_cast<double>(11.77L / kNewtonsPerKgf));
        QCOMPARE(requirement.load2, static_cast<double>(24.52L / kNewtonsPerKgf));
        search->findChild<QPushButton*>("searchButton")->click();
        QVERIFY(QTest::qWaitFor([search] { return !search->searching(); }, 20000));
        QVERIFY(table->rowCount() > 0);
        const auto shownLoad = [table, search](int row) {
            const int index = table->item(row, kLoad2Column)->data(Qt::UserRole).toInt();
            return std::pair(table->item(row, kLoad2Column)->text(),
                             search->candidates()[std::size_t(index)].result.design.load2);
        };
        const auto [textSi, load2Kgf] = shownLoad(0);
        QCOMPARE(textSi,
                 QString::fromStdString(formatF4(static_cast<double>(load2Kgf * kNewtonsPerKgf))));

        w.triggerMenu("GravitationalUnits");
        QCOMPARE(table->horizontalHeaderItem(kLoad1Column)->text(), QStringLiteral("荷重 P1 kgf"));
        QCOMPARE(load1->text(), QStringLiteral("1.2"));
        QCOMPARE(load2->text(), QStringLiteral("2.5"));
        const auto [textKgf, sameLoad] = shownLoad(0);
        QCOMPARE(textKgf, QString::fromStdString(formatF4(sameLoad)));
        QVERIFY(sameForce(textKgf, textSi));
    }
};

HSPRING_WINDOW_TEST(UnitSettingWindowTest)
#include "unit_setting_window_test.moc"
