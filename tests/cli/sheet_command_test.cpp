// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/shift_jis.h"
#include "calc/design_result.h"
#include "data/calculation_file.h"
#include "data/material_library.h"
#include "data/short_string.h"
#include "printing/windows/data_sheet_window.h"
#include "tests/support/built_program.h"
#include "tests/support/printed_page.h"
#include "tests/support/shipped_data.h"
#include "windows_test_registry.h"
#include "wording/japanese.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using Run = hspring::test::ProgramRun;

Run runSheet(const QStringList& arguments, const QByteArray& input = {}) {
    return hspring::test::runBuiltProgram(QStringLiteral("hspring-cli"),
                                          QStringList{QStringLiteral("sheet")} + arguments, input);
}

hspring::SpringDesign historyDesign() {
    hspring::SpringDesign design{};
    design.inUse = 1;
    design.materialIndex = 1;
    design.wireDiameter = 0.8;
    design.diameterKind = hspring::kMeanDiameter;
    design.innerDiameter = 6.4;
    design.meanDiameter = 7.2;
    design.outerDiameter = 8;
    design.totalTurns = 12.25;
    design.activeTurns = 12.25;
    design.freeLength = 39;
    design.initialTension = 1;
    design.length1 = 44;
    design.load1 = 12.5;
    design.length2 = 50;
    design.load2 = 50;
    design.stress1 = 40;
    design.stress2 = 60;
    design.maxLength = 58.5;
    return design;
}

} // namespace

class SheetCommandTest : public QObject {
    Q_OBJECT

private slots:
    // The command prints a slot of a calculation file exactly as the window prints it.
    void calculationFileSlotAsTheWindowPrintsIt() {
        QTemporaryDir folder;
        const QString hbd = folder.filePath(QStringLiteral("designs.hbd"));
        auto designs = std::make_unique<hspring::DesignSlots>();
        (*designs)[0].inUse = 1;
        (*designs)[5] = historyDesign();
        hspring::saveDesignSlots(hbd.toStdString(), *designs);

        // Its initial tension lies far outside its range: the sheet is asked for anyway, and
        // both name what is wrong.
        const QString fromCommand = folder.filePath(QStringLiteral("command.pdf"));
        const Run run =
            runSheet({QStringLiteral("--hbd"), hbd, QStringLiteral("--slot"), QStringLiteral("5"),
                      QStringLiteral("--left-handed"), QStringLiteral("--allow-failing"),
                      QStringLiteral("-o"), fromCommand});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors()));

        auto library = std::make_unique<hspring::MaterialLibrary>();
        hspring::loadMaterialLibrary(HSPRING_BUILD_DIR "/zaidat.dst", *library);
        hspring::DataSheetWindow sheet;
        const hspring::DesignResult judged = hspring::evaluateDesign(
            historyDesign(), hspring::test::shippedLibrary(), hspring::test::shippedCoefficients());
        QVERIFY(hspring::hasConcerns(judged));
        sheet.fillDataSheet(historyDesign(), *library, true, hspring::concernLines(judged));
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const QString fromWindow = folder.filePath(QStringLiteral("window.pdf"));
        sheet.printSheetToPdf(fromWindow);

        const auto commandPage = hspring::test::rasterisePdf(fromCommand, 72);
        const auto windowPage = hspring::test::rasterisePdf(fromWindow, 72);
        QVERIFY2(!commandPage.image.isNull(), qPrintable(commandPage.error));
        QCOMPARE(commandPage.pageCount, 1);
        QVERIFY(!hspring::test::inkBounds(commandPage.image).isEmpty());
        QVERIFY(commandPage.image == windowPage.image);
    }

    // The sheet reaches the PDF as lines and text in an embedded Japanese font, not as a
    // picture: the texts and numbers can be found in the file. SW-A is the shipped library's
    // first grade; 50 kgf is 490.3 N in the table (and 490.4 N in the label, by 9.807).
    void sheetIsTextInAnEmbeddedFont() {
        auto library = std::make_unique<hspring::MaterialLibrary>();
        hspring::loadMaterialLibrary(HSPRING_BUILD_DIR "/zaidat.dst", *library);
        QCOMPARE(QString::fromStdString(hspring::shortStringText((*library)[0].gradeSymbol)),
                 QStringLiteral("SW-A"));
        QTemporaryDir folder;
        const QString hbd = folder.filePath(QStringLiteral("designs.hbd"));
        auto designs = std::make_unique<hspring::DesignSlots>();
        (*designs)[0] = historyDesign();
        (*designs)[0].materialIndex = 0;
        hspring::saveDesignSlots(hbd.toStdString(), *designs);

        const QString pdf = folder.filePath(QStringLiteral("s.pdf"));
        const Run run = runSheet({QStringLiteral("--hbd"), hbd, QStringLiteral("--allow-failing"),
                                  QStringLiteral("-o"), pdf});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors()));
        QCOMPARE(hspring::test::rasterisePdf(pdf, 20).pageCount, 1);
        const hspring::test::PdfContents contents = hspring::test::inspectPdf(pdf);
        QVERIFY2(contents.error.isEmpty(), qPrintable(contents.error));
        QVERIFY2(!contents.embeddedFonts.isEmpty() && contents.embeddedFonts == contents.fonts,
                 qPrintable(contents.fonts.join(' ')));
        QCOMPARE(contents.imageCount, 0);
        for (const QString& expected :
             {QStringLiteral("項目"), QStringLiteral("材質"), QStringLiteral("SW-A"),
              QStringLiteral("最大引っ張り長さ"), QStringLiteral("N/mm^2"), QStringLiteral("490.3"),
              QStringLiteral("490.4N"), QStringLiteral("39mm"), QStringLiteral("9.807")})
            QVERIFY2(contents.text.contains(expected), qPrintable(expected + "\n" + contents.text));
    }

    void designGivenAsJsonIsCalculated() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("json.pdf"));
        const Run run = runSheet({QStringLiteral("-o"), pdf}, R"({"freeLength": 39})");
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors()));
        QCOMPARE(hspring::test::rasterisePdf(pdf, 30).pageCount, 1);

        const Run twoDesigns = runSheet({QStringLiteral("-o"), pdf}, "[{}, {}]");
        QCOMPARE(twoDesigns.exitCode, 2); // an input that holds no single design
    }

    // L2 80 mm overstresses the start design's coil and hooks: the document commands write
    // nothing, end with 1 and say why in English; --allow-failing writes the sheets with the
    // concerns on the page. The start design itself, sound, is written without the option.
    void aDesignThatFailsItsChecksIsRefusedUnlessAllowed() {
        QTemporaryDir folder;
        const QByteArray failing = R"({"freeLength": 39, "length2": 80})";
        const auto cli = [](const QStringList& arguments, const QByteArray& input) {
            return hspring::test::runBuiltProgram(QStringLiteral("hspring-cli"), arguments, input);
        };
        for (const QString command : {QStringLiteral("sheet"), QStringLiteral("jis-sheet")}) {
            const QString pdf = folder.filePath(command + QStringLiteral(".pdf"));
            const Run refused = cli({command, QStringLiteral("-o"), pdf}, failing);
            QCOMPARE(refused.exitCode, 1);
            for (const QString& reason :
                 {QStringLiteral("--allow-failing"),
                  QStringLiteral("error: the torsional stress at L2 is over the allowable stress"),
                  QStringLiteral("warning: the hook's bending stress is over its allowable")})
                QVERIFY2(refused.errors().contains(reason), qPrintable(refused.errors()));
            QVERIFY(!QFile::exists(pdf));

            const Run allowed = cli(
                {command, QStringLiteral("--allow-failing"), QStringLiteral("-o"), pdf}, failing);
            QVERIFY2(allowed.exitCode == 0, qPrintable(allowed.errors()));
            const QString text = hspring::test::inspectPdf(pdf).text;
            for (const QString& concern :
                 {QStringLiteral("注意：この設計には判定の不合格または警告があります"),
                  QStringLiteral("エラー:ねじり応力オーバー"),
                  QStringLiteral("警告:フックの曲げ応力オーバー")})
                QVERIFY2(text.contains(concern), qPrintable(command + "\n" + text));

            const QString sound = folder.filePath(command + QStringLiteral("-sound.pdf"));
            const Run passes = cli({command, QStringLiteral("-o"), sound}, "{}");
            QVERIFY2(passes.exitCode == 0, qPrintable(passes.errors()));
            QVERIFY(!hspring::test::inspectPdf(sound).text.contains(QStringLiteral("注意")));
        }
        const QString stl = folder.filePath(QStringLiteral("spring.stl"));
        QCOMPARE(cli({QStringLiteral("model"), QStringLiteral("-o"), stl}, failing).exitCode, 1);
        QVERIFY(!QFile::exists(stl));
        QCOMPARE(cli({QStringLiteral("model"), QStringLiteral("--allow-failing"),
                      QStringLiteral("-o"), stl},
                     failing)
                     .exitCode,
                 0);
        QVERIFY(QFile::exists(stl));

        // The drawing of the design: the concerns as texts under it, in the file's Shift-JIS.
        const QString dxf = folder.filePath(QStringLiteral("spring.dxf"));
        const QStringList drawing{QStringLiteral("dxf"), QStringLiteral("--input"),
                                  QStringLiteral("-"), QStringLiteral("-o"), dxf};
        QCOMPARE(cli(drawing, failing).exitCode, 1);
        QVERIFY(!QFile::exists(dxf));
        QCOMPARE(cli(drawing + QStringList{QStringLiteral("--allow-failing")}, failing).exitCode,
                 0);
        QFile file(dxf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(QByteArray::fromStdString(
            hspring::utf8ToShiftJis("エラー:ねじり応力オーバー", 250).bytes)));
    }

    void usageAndFileErrors() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
        QCOMPARE(runSheet({}).exitCode, 2);
        const Run noSlot = runSheet({QStringLiteral("--hbd"), pdf, QStringLiteral("--slot"),
                                     QStringLiteral("31"), QStringLiteral("-o"), pdf});
        QCOMPARE(noSlot.exitCode, 2);
        QVERIFY2(
            noSlot.errors().contains(QStringLiteral("--slot takes a slot number 0..30, not 31")),
            qPrintable(noSlot.errors()));
        QCOMPARE(runSheet({QStringLiteral("--bogus"), QStringLiteral("-o"), pdf}).exitCode, 2);

        const Run missing = runSheet(
            {QStringLiteral("--hbd"), folder.filePath("none.hbd"), QStringLiteral("-o"), pdf});
        QCOMPARE(missing.exitCode, 2); // an input that cannot be read
        QVERIFY2(missing.errors().contains(QStringLiteral("cannot open file")),
                 qPrintable(missing.errors()));

        const Run noFolder = runSheet({QStringLiteral("-o"), folder.filePath("no/out.pdf")}, "{}");
        QCOMPARE(noFolder.exitCode, 1);
        QVERIFY(!QFile::exists(pdf));
    }
};

HSPRING_WINDOW_TEST(SheetCommandTest)
#include "sheet_command_test.moc"
