// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "calc/spring_constants.h"
#include "printing/jis_sheet_text.h"
#include "tests/support/built_program.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = hspring::test::ProgramRun;

Run runCli(const QStringList& arguments, const QByteArray& input = {}) {
    return hspring::test::runBuiltProgram(QStringLiteral("hspring-cli"), arguments, input);
}

// A round-hook design with its lengths given, and a U-hook one with its loads given, 15.5 turns.
const QByteArray kRoundDesign =
    R"({"materialIndex": 3, "wireDiameter": 1, "meanDiameter": 8, "diameterKind": 1,
        "totalTurns": 12, "freeLength": 40, "length1": 50, "length2": 60, "lengthMode": 1,
        "hookAngle": 80, "lowTempAnnealed": 1})";
const QByteArray kUDesign =
    R"({"materialIndex": 3, "wireDiameter": 1, "meanDiameter": 8, "diameterKind": 1,
        "totalTurns": 15.5, "freeLength": 45, "load1": 3, "load2": 5, "lengthMode": 0,
        "hookType": "u", "hookLength": 9, "hookOpening": 2.5, "hookMinRadius": 1.5})";
const QByteArray kTitleBlock =
    R"({"partName": "ばねA-1", "partNumber": "HS-0042", "designer": "山田太郎",
        "date": "2026-12-07", "revision": "B", "surfaceTreatment": "防錆油塗布",
        "remarks": "端部バリなし", "drawingNumber": "D-77", "checker": "佐藤",
        "approver": "鈴木"})";
// Texts longer than their places: they wrap or move into the notes, never cut.
const QByteArray kLongTitleBlock =
    R"({"partName": "引張ばね 組立用 右側 HS-2026-000123-L-R 試作品 第二版",
        "partNumber": "HS-2026-000123-L-R-ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789",
        "designer": "山田太郎", "date": "2026-12-07", "revision": "B",
        "surfaceTreatment": "黒色亜鉛めっき（三価クロメート） 膜厚8μm以上、ベーキング処理200℃×4h以上、塩水噴霧72hで白錆なし",
        "remarks": "フック部の向きは図示による。荷重は3回予備引張り後に測定すること。\n端部バリなし。"})";

QJsonObject calculated(const QByteArray& design) {
    const Run run = runCli({QStringLiteral("calc")}, design);
    return QJsonDocument::fromJson(run.out).object();
}

// The line of the sheet's text that holds `item`, and the value the calc command gives for it in
// the sheet's format.
void expectRow(const QString& text, const QString& item, double value) {
    const QString expected = QString::fromStdString(hspring::formatF4(value));
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.contains(item + QLatin1Char(' ')) || line.contains(item + QStringLiteral("（")) ||
            line.endsWith(item)) {
            QVERIFY2(line.contains(QLatin1Char(' ') + expected),
                     qPrintable(item + ": " + expected + " not in '" + line + "'"));
            return;
        }
    QFAIL(qPrintable(item + " not on the sheet\n" + text));
}

// The row of `item` carries the tolerance the calc command gives, "±" and its value (in newtons
// when `newtons`); or none at all.
void expectTolerance(const QString& text, const QString& item, const QJsonValue& value,
                     double shown, bool newtons) {
    QString row;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.contains(item + QLatin1Char(' ')) || line.contains(item + QStringLiteral("（")))
            row = line;
    QVERIFY2(!row.isEmpty(), qPrintable(item));
    if (value.isNull() || value.isUndefined()) {
        QVERIFY2(!row.contains(QStringLiteral("±")), qPrintable(row));
        return;
    }
    const long double tolerance = newtons ? value.toDouble() * hspring::kGravity : value.toDouble();
    const QString expected =
        QString::fromStdString(hspring::toleranceText(tolerance, hspring::formatF4(shown)));
    QVERIFY2(row.contains(expected), qPrintable(expected + " not in '" + row + "'"));
}

// The page's text in the order it is drawn, each cell's lines one after the other.
QString drawnText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfo(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The figure's part of a page rasterised at 50 dpi: below the heading, above the table.
QImage figureOf(const QString& pdf) {
    const QImage page = hspring::test::rasterisePdf(pdf, 50).image;
    return page.copy(0, page.height() * 6 / 100, page.width(), page.height() * 28 / 100);
}

} // namespace

class JisSheetCommandTest : public QObject {
    Q_OBJECT

private slots:
    // Both hook types: every item and title-block field is on the page as text in embedded
    // fonts with no picture, the values are those of the calc command, the PDF names the part
    // and the designer; and the figure follows the design's own hooks, turns and hand.
    void sheetsOfARoundAndAUHookDesign() {
        QTemporaryDir folder;
        const auto written = [&](const QString& name, const QByteArray& bytes) {
            const QString path = folder.filePath(name);
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
            return path;
        };
        const QString titleBlock = written(QStringLiteral("title.json"), kTitleBlock);
        const QString longTitleBlock = written(QStringLiteral("long.json"), kLongTitleBlock);

        struct Case {
            QByteArray design;
            bool leftHanded;
            QStringList hookItems;
            QString pdf;
        };
        Case cases[] = {
            {kRoundDesign, false, {QStringLiteral("丸フック"), QStringLiteral("フック角度")}, {}},
            {kUDesign,
             true,
             {QStringLiteral("Uフック"), QStringLiteral("フックの長さ"),
              QStringLiteral("フックの開き"), QStringLiteral("フックの最小曲げ半径")},
             {}},
        };
        int index = 0;
        for (Case& c : cases) {
            const QString input = folder.filePath(QStringLiteral("design%1.json").arg(index));
            QFile json(input);
            QVERIFY(json.open(QIODevice::WriteOnly));
            json.write(c.design);
            json.close();
            c.pdf = folder.filePath(QStringLiteral("sheet%1.pdf").arg(index++));
            // Both designs overstress their coil at L2: the sheet is asked for anyway.
            QStringList arguments{QStringLiteral("jis-sheet"),
                                  QStringLiteral("--allow-failing"),
                                  QStringLiteral("--input"),
                                  input,
                                  QStringLiteral("--title-block"),
                                  c.leftHanded ? longTitleBlock : titleBlock,
                                  QStringLiteral("-o"),
                                  c.pdf};
            // The right-hand round hook asks for the rate's tolerance and hooks at 90°.
            if (c.leftHanded)
                arguments << QStringLiteral("--left-handed");
            else
                arguments << QStringLiteral("--rate-tolerance") << QStringLiteral("--hook-position")
                          << QStringLiteral("90°");
            const Run run = runCli(arguments);
            QVERIFY2(run.exitCode == 0, qPrintable(run.errors()));

            const hspring::test::PdfContents contents = hspring::test::inspectPdf(c.pdf);
            QVERIFY2(contents.error.isEmpty(), qPrintable(contents.error));
            QVERIFY(!contents.fonts.isEmpty());
            QCOMPARE(contents.embeddedFonts, contents.fonts);
            QCOMPARE(contents.imageCount, 0);
            QCOMPARE(hspring::test::rasterisePdf(c.pdf, 20).pageCount, 1);
            const QString& text = contents.text;
            QStringList items{QStringLiteral("引張コイルばね 仕様書"),
                              QStringLiteral("材料"),
                              QStringLiteral("JIS G"),
                              QStringLiteral("巻方向"),
                              QStringLiteral("有効巻数"),
                              QStringLiteral("総巻数（参考）"),
                              QStringLiteral("自由長さ（参考）"),
                              QStringLiteral("ばね定数"),
                              QStringLiteral("初張力"),
                              QStringLiteral("指定長さ１時の荷重"),
                              QStringLiteral("指定長さ２時の応力"),
                              QStringLiteral("許容ねじり応力"),
                              QStringLiteral("最大引張り長さ"),
                              QStringLiteral("フックの相対位置"),
                              c.leftHanded ? QStringLiteral("同一平面") : QStringLiteral("90°"),
                              QStringLiteral("低温焼なまし"),
                              QStringLiteral("表面処理"),
                              QStringLiteral("備考"),
                              QStringLiteral("品名"),
                              QStringLiteral("品番"),
                              QStringLiteral("図番"),
                              QStringLiteral("設計"),
                              QStringLiteral("検図"),
                              QStringLiteral("承認"),
                              QStringLiteral("山田太郎"),
                              QStringLiteral("日付"),
                              QStringLiteral("2026-12-07"),
                              QStringLiteral("改訂"),
                              QStringLiteral("尺度"),
                              QStringLiteral("非比例"),
                              QStringLiteral("第三角法"),
                              QStringLiteral("ファイル: design%1.json").arg(index - 1),
                              QStringLiteral("L0 = "),
                              QStringLiteral("Do = ")};
            if (!c.leftHanded)
                items << QStringLiteral("防錆油塗布") << QStringLiteral("端部バリなし")
                      << QStringLiteral("ばねA-1") << QStringLiteral("HS-0042")
                      << QStringLiteral("D-77") << QStringLiteral("佐藤") << QStringLiteral("鈴木");
            items += c.hookItems;
            for (const QString& item : items)
                QVERIFY2(text.contains(item), qPrintable(item + "\n" + text));
            QVERIFY(text.contains(c.leftHanded ? QStringLiteral("左") : QStringLiteral("右")));
            // Nothing is cut: every long text is on the page whole, across the lines it wraps
            // into, and no text ends in an ellipsis.
            QVERIFY2(!text.contains(QStringLiteral("…")), qPrintable(text));
            if (c.leftHanded) {
                QString joined = drawnText(c.pdf);
                joined.remove(QRegularExpression(QStringLiteral("\\s")));
                const QJsonObject block = QJsonDocument::fromJson(kLongTitleBlock).object();
                for (const QString& key : block.keys()) {
                    QString whole = block[key].toString();
                    whole.remove(QRegularExpression(QStringLiteral("\\s")));
                    QVERIFY2(joined.contains(whole), qPrintable(key + ": " + whole + "\n" + text));
                }
            }

            const QJsonObject result = calculated(c.design);
            QVERIFY(!result.isEmpty());
            const QJsonObject si = result[QStringLiteral("si")].toObject();
            const auto value = [&](const char* key) { return result[key].toDouble(); };
            expectRow(text, QStringLiteral("材料の直径"), value("wireDiameter"));
            expectRow(text, QStringLiteral("コイル平均径"), value("meanDiameter"));
            expectRow(text, QStringLiteral("コイル内径"), value("innerDiameter"));
            expectRow(text, QStringLiteral("コイル外径"), value("outerDiameter"));
            expectRow(text, QStringLiteral("総巻数"), value("totalTurns"));
            expectRow(text, QStringLiteral("指定長さ１"), value("length1"));
            expectRow(text, QStringLiteral("指定長さ２"), value("length2"));
            expectRow(text, QStringLiteral("ばね定数"),
                      si[QStringLiteral("springRate")].toDouble());
            expectRow(text, QStringLiteral("初張力"),
                      si[QStringLiteral("initialTension")].toDouble());
            expectRow(text, QStringLiteral("指定長さ１時の荷重"),
                      si[QStringLiteral("load1")].toDouble());
            expectRow(text, QStringLiteral("指定長さ２時の荷重"),
                      si[QStringLiteral("load2")].toDouble());
            expectRow(text, QStringLiteral("指定長さ１時の応力"),
                      si[QStringLiteral("stress1")].toDouble());
            expectRow(text, QStringLiteral("指定長さ２時の応力"),
                      si[QStringLiteral("stress2")].toDouble());
            // The coil's reach from the design's own free length.
            expectRow(text, QStringLiteral("最大引張り長さ（コイル部）"),
                      (value("maxLoad") - value("initialTension")) / value("springRate") +
                          value("freeLength"));
            expectRow(text, QStringLiteral("最大許容長さ（フック含む）"),
                      value("maxLengthWithHooks"));
            const QJsonObject tolerances = result[QStringLiteral("tolerances")].toObject();
            QCOMPARE(tolerances[QStringLiteral("grade")].toInt(), 2);
            QVERIFY(text.contains(QStringLiteral("2級")));
            expectTolerance(text, QStringLiteral("指定長さ１時の荷重"),
                            tolerances[QStringLiteral("load1")],
                            si[QStringLiteral("load1")].toDouble(), true);
            expectTolerance(text, QStringLiteral("指定長さ２時の荷重"),
                            tolerances[QStringLiteral("load2")],
                            si[QStringLiteral("load2")].toDouble(), true);
            // The rate has its tolerance only when asked for.
            expectTolerance(text, QStringLiteral("ばね定数"),
                            c.leftHanded ? QJsonValue() : tolerances[QStringLiteral("springRate")],
                            si[QStringLiteral("springRate")].toDouble(), true);
            expectTolerance(text, QStringLiteral("コイル外径"),
                            tolerances[QStringLiteral("outerDiameter")], value("outerDiameter"),
                            false);
            // With the loads toleranced, the free length is for reference and has none.
            expectTolerance(text, QStringLiteral("自由長さ"), QJsonValue(), value("freeLength"),
                            false);
            if (c.leftHanded)
                expectRow(text, QStringLiteral("フックの長さ"), value("hookLength"));
            else
                expectRow(text, QStringLiteral("フック角度"), value("hookAngle"));

            const QString info = pdfInfo(c.pdf);
            QVERIFY2(info.contains(QRegularExpression(c.leftHanded
                                                          ? QStringLiteral("Title:\\s+引張ばね")
                                                          : QStringLiteral("Title:\\s+ばねA-1"))),
                     qPrintable(info));
            QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Author:\\s+山田太郎"))),
                     qPrintable(info));
            QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+hspring \\d"))),
                     qPrintable(info));
        }

        // The figures: each has its drawing in it, and they differ.
        const QImage round = figureOf(cases[0].pdf);
        const QImage u = figureOf(cases[1].pdf);
        QVERIFY(!round.isNull() && round.size() == u.size());
        QVERIFY(round != u);
        // The same U hook coiled right-handed is the mirror image, another figure again.
        const QString rightU = folder.filePath(QStringLiteral("right.pdf"));
        QCOMPARE(runCli({QStringLiteral("jis-sheet"), QStringLiteral("--allow-failing"),
                         QStringLiteral("-o"), rightU},
                        kUDesign)
                     .exitCode,
                 0);
        const QImage rightFigure = figureOf(rightU);
        QVERIFY(rightFigure != u);
        QVERIFY(rightFigure.mirrored(true, false) != rightFigure);
        // Without a title block the PDF is titled with the design, and has no author.
        const QString info = pdfInfo(rightU);
        QVERIFY2(info.contains(QStringLiteral("d1×D8×N15.5")), qPrintable(info));
        QVERIFY2(!info.contains(QStringLiteral("Author:")), qPrintable(info));
    }

    void usageErrors() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("x.pdf"));
        QCOMPARE(runCli({QStringLiteral("jis-sheet")}, kRoundDesign).exitCode, 2);
        QCOMPARE(runCli({QStringLiteral("jis-sheet"), QStringLiteral("--hook"), QStringLiteral("u"),
                         QStringLiteral("-o"), pdf},
                        kRoundDesign)
                     .exitCode,
                 2);
        QCOMPARE(
            runCli({QStringLiteral("jis-sheet"), QStringLiteral("-o"), pdf}, "[{}, {}]").exitCode,
            2);
        QVERIFY(!QFile::exists(pdf));
    }
};

HSPRING_WINDOW_TEST(JisSheetCommandTest)
#include "jis_sheet_command_test.moc"
