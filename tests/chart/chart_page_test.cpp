// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "calc/design_caption.h"
#include "calc/tolerances.h"
#include "chart/windows/chart_page.h"
#include "data/default_data.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/temporary_folder.h"
#include "toolkit/painting/picture_files.h"
#include "toolkit/windows/picture_view.h"
#include "windows_test_registry.h"

#include <QComboBox>
#include <QTabWidget>
#include <fstream>
#include <sstream>

using namespace hspring;
using namespace hspring::test;

class ChartPageTest : public QObject {
    Q_OBJECT

private slots:
    // After "計算" the page shows the design's tolerances at the grade chosen and its chart; a
    // new grade shows the design again, and the chart saves as lines.
    void tolerancesFollowTheGradeAndTheChartSavesAsVectors() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        auto* page = w.window->findChild<ChartPage*>();
        QVERIFY(page);
        QCOMPARE(page->toleranceGrade(), 2);
        const auto loadLine = [&](int grade) {
            const Tolerances t = calculateTolerances(w.state.current(), grade);
            return QStringLiteral("荷重(P2)  ±") + QString::fromStdString(formatF4(t.load2)) +
                   QStringLiteral("kgf");
        };
        QVERIFY2(page->toleranceText().contains(loadLine(2)), qPrintable(page->toleranceText()));
        QVERIFY(page->chartView()->hasPicture());

        page->findChild<QComboBox*>(QStringLiteral("toleranceGradeList"))->setCurrentIndex(1);
        QVERIFY2(page->toleranceText().contains(loadLine(1)), qPrintable(page->toleranceText()));
        QVERIFY(!page->toleranceText().contains(loadLine(2)));

        const TemporaryFolder files;
        const std::string svg = (files.path() / "chart.svg").string();
        page->chartView()->savePicture(svg);
        std::ifstream in(svg);
        std::stringstream text;
        text << in.rdbuf();
        QVERIFY(text.str().find("<path") != std::string::npos);
        QVERIFY(text.str().find("<image") == std::string::npos);

        // The saved picture says which design it shows, below the chart, on the PNG's white;
        // the dialog proposes a name from the design.
        const QString caption = QString::fromStdString(designCaption(w.state.current(), {}));
        QVERIFY2(page->chartView()->caption().contains(caption),
                 qPrintable(page->chartView()->caption()));
        QCOMPARE(page->chartView()->fileName(),
                 QString::fromStdString(designFileStem(w.state.current(), {})) +
                     QStringLiteral("_chart"));
        QVERIFY2(text.str().find(caption.toStdString()) != std::string::npos, "caption in SVG");
        QVERIFY(text.str().find("fill=\"#ffffff\"") != std::string::npos);
        const std::string png = (files.path() / "chart.png").string();
        page->chartView()->savePicture(png);
        const QImage saved(QString::fromStdString(png));
        QCOMPARE(saved.size(), page->chartView()->image().size() + QSize(0, kCaptionHeight));
        QCOMPARE(saved.copy(0, 0, saved.width(), page->chartView()->image().height()),
                 page->chartView()->image().convertToFormat(saved.format()));
        QVERIFY(saved.copy(0, page->chartView()->image().height() + 2, saved.width(),
                           kCaptionHeight - 4) !=
                QImage(saved.width(), kCaptionHeight - 4, saved.format()));
    }
};

HSPRING_WINDOW_TEST(ChartPageTest)
#include "chart_page_test.moc"
