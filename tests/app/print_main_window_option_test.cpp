// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/built_program.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = hspring::test::ProgramRun;

Run runProgram(const QStringList& arguments) {
    return hspring::test::runBuiltProgram(QStringLiteral("hspring"), arguments);
}

} // namespace

// The program prints its main window into a PDF and ends, as "画面印刷" would print it.
class PrintMainWindowOptionTest : public QObject {
    Q_OBJECT

private slots:
    void printsTheCalculatedWindowFittedToThePage() {
        QTemporaryDir folder;
        const QString json = folder.filePath(QStringLiteral("design.json"));
        QFile file(json);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"materialIndex": 3, "wireDiameter": 1.2, "meanDiameter": 10.8,
                      "totalTurns": 15.5, "freeLength": 39, "length1": 46, "length2": 52})");
        file.close();
        const QString pdf = folder.filePath(QStringLiteral("main.pdf"));
        const Run run = runProgram(
            {QStringLiteral("--print-main-window"), pdf, QStringLiteral("--input"), json});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors()));

        constexpr int dpi = 60;
        const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, dpi);
        QVERIFY2(!page.image.isNull(), qPrintable(page.error));
        QCOMPARE(page.pageCount, 1);
        // The 824 × 729 client area spans the printable width from its top-left corner.
        const QRect printable = hspring::test::a4PrintableArea(dpi);
        const QRect ink = hspring::test::inkBounds(page.image);
        QVERIFY(qAbs(ink.left() - printable.left()) <= 1);
        QVERIFY(qAbs(ink.top() - printable.top()) <= 1);
        QVERIFY(qAbs(ink.width() - printable.width()) <= 1);
        QVERIFY(qAbs(ink.height() - printable.width() * 729 / 824) <= 2);
    }

    void badRequestsEndWithoutAWindow() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("main.pdf"));
        const Run missing = runProgram({QStringLiteral("--print-main-window"), pdf,
                                        QStringLiteral("--hbd"), folder.filePath("none.hbd")});
        QCOMPARE(missing.exitCode, 1);
        // In Japanese, as every other line the window program writes.
        QVERIFY2(missing.errors().contains(QStringLiteral("hspring: ファイル ")) &&
                     missing.errors().contains(QStringLiteral("none.hbd は開けません")),
                 qPrintable(missing.errors()));
        QVERIFY(!QFile::exists(pdf));

        QCOMPARE(runProgram({QStringLiteral("--print-main-window"), pdf, QStringLiteral("--hbd"),
                             QStringLiteral("a.hbd"), QStringLiteral("--input"),
                             QStringLiteral("b.json")})
                     .exitCode,
                 2);
        QCOMPARE(runProgram({QStringLiteral("--hbd"), QStringLiteral("a.hbd")}).exitCode, 2);

        const Run help = runProgram({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.output().contains(QStringLiteral("--print-main-window <FILE.pdf>")));
    }
};

HSPRING_WINDOW_TEST(PrintMainWindowOptionTest)
#include "print_main_window_option_test.moc"
