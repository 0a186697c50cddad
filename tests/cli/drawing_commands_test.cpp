// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/painting/fatigue_diagram.h"
#include "drawing/dxf_file.h"
#include "drawing/outline.h"
#include "tests/support/built_program.h"
#include "tests/support/file_bytes.h"
#include "toolkit/painting/picture_files.h"
#include "windows_test_registry.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using hspring::test::asBytes;
using hspring::test::fileBytes;

namespace {

using Run = hspring::test::ProgramRun;

Run runCli(const QStringList& arguments) {
    return hspring::test::runBuiltProgram(QStringLiteral("hspring-cli"), arguments);
}

const QStringList kExampleCoil{"--d", "1", "--D", "10", "--N", "20"};
const QStringList kExampleUHook{"--u", "--length", "10", "--opening", "3", "--min-radius", "2"};

} // namespace

class DrawingCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void dxfWritesTheFileOfTheMenuItem() {
        QTemporaryDir folder;
        const QString round = folder.filePath(QStringLiteral("round.dxf"));
        Run run = runCli(QStringList{"dxf", "--round", "--angle", "80"} + kExampleCoil +
                         QStringList{"-o", round});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(round),
                 fileBytes(QStringLiteral(HSPRING_TEST_DATA_DIR
                                          "/drawing/round_hook_d1_D10_N20_angle80.dxf")));

        const QString u = folder.filePath(QStringLiteral("u.dxf"));
        run = runCli(QStringList{"dxf"} + kExampleUHook +
                     QStringList{"--d", "1", "--D", "10", "--N", "20.5", "-o", u});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(fileBytes(u), asBytes(hspring::uHookDxf({1, 10, 20.5}, {10, 3, 2})));
    }

    void outlineNumbersReadBackExactly() {
        const Run run = runCli(QStringList{"outline"} + kExampleUHook + kExampleCoil);
        QCOMPARE(run.exitCode, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(json.value("hook").toString(), QStringLiteral("u"));
        const QJsonArray primitives = json.value("primitives").toArray();
        const hspring::Outline outline = hspring::uHookOutline({1, 10, 20}, {10, 3, 2});
        QCOMPARE(primitives.size(), static_cast<qsizetype>(outline.size()));
        for (qsizetype i = 0; i < primitives.size(); ++i) {
            const QJsonObject item = primitives[i].toObject();
            if (const auto* segment = std::get_if<hspring::DrawSegment>(&outline[i])) {
                QCOMPARE(item.value("type").toString(), QStringLiteral("segment"));
                QCOMPARE(item.value("first")[0].toDouble(), segment->first.x);
                QCOMPARE(item.value("first")[1].toDouble(), segment->first.y);
                QCOMPARE(item.value("second")[0].toDouble(), segment->second.x);
                QCOMPARE(item.value("second")[1].toDouble(), segment->second.y);
            } else {
                const auto& arc = std::get<hspring::DrawArc>(outline[i]);
                QCOMPARE(item.value("type").toString(), QStringLiteral("arc"));
                QCOMPARE(item.value("centre")[0].toDouble(), arc.centre.x);
                QCOMPARE(item.value("centre")[1].toDouble(), arc.centre.y);
                QCOMPARE(item.value("radius").toDouble(), arc.radius);
                QCOMPARE(item.value("startAngle").toDouble(), arc.startAngle);
                QCOMPARE(item.value("endAngle").toDouble(), arc.endAngle);
            }
        }
    }

    void failuresAndUsageErrors() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("flat.dxf"));
        Run run = runCli(QStringList{"dxf", "--round", "--angle", "80", "--d", "1", "--D", "0",
                                     "--N", "20", "-o", path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("meanDiameter must be a positive finite number"));
        QVERIFY(!QFile::exists(path));

        run = runCli(QStringList{"dxf", "--round", "--u", "--angle", "80"} + kExampleCoil +
                     QStringList{"-o", path});
        QCOMPARE(run.exitCode, 2);
        run = runCli(QStringList{"outline", "--round", "--angle", "8O"} + kExampleCoil);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("'8O' is not a floating-point number"));
        run = runCli(QStringList{"outline", "--round", "--angle", "80", "-o", path} + kExampleCoil);
        QCOMPARE(run.exitCode, 2);
        run = runCli({"dxf", "--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("sspring") || run.out.contains("-o FILE.dxf"));
    }

    // -o x.svg writes SVG: the lines as shapes and paths and the texts as text, no picture; any
    // other name PNG, the diagram exactly as the main window draws it.
    void picturesAsSvgOrPng() {
        QTemporaryDir folder;
        const QString diagramSvg = folder.filePath(QStringLiteral("diagram.SVG"));
        Run run = runCli({"diagram", "--upper", "0.45", "--lower", "0.2", "-o", diagramSvg});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("グラフエリアオーバー\n")); // the hook point, 0.5625
        QByteArray svg = fileBytes(diagramSvg);
        QVERIFY(svg.startsWith("<?xml") && svg.contains("<svg") && !svg.contains("<image"));
        QVERIFY(svg.contains("<rect") && svg.contains(">下限応力係数 <") &&
                svg.contains(">コイル<"));

        const QString diagramPng = folder.filePath(QStringLiteral("diagram.png"));
        run = runCli({"diagram", "--upper", "0.45", "--lower", "0.2", "-o", diagramPng});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QImage(diagramPng).convertToFormat(QImage::Format_RGB32),
                 hspring::renderFatigueDiagram(0.45, 0.2, 1.25).image);
        // With --caption the same diagram, and the line naming the design below it.
        const QString captioned = folder.filePath(QStringLiteral("captioned.png"));
        QCOMPARE(runCli({"diagram", "--upper", "0.45", "--lower", "0.2", "--caption",
                         "SW-B d1×D10×N20", "-o", captioned})
                     .exitCode,
                 0);
        const QImage withCaption(captioned);
        QCOMPARE(withCaption.height(), 417 + hspring::kCaptionHeight);
        QCOMPARE(withCaption.copy(0, 0, 400, 417).convertToFormat(QImage::Format_RGB32),
                 hspring::renderFatigueDiagram(0.45, 0.2, 1.25).image);

        const QString shapeSvg = folder.filePath(QStringLiteral("shape.svg"));
        run = runCli(QStringList{"shape", "--round", "--angle", "80", "--L1", "45", "--L2", "55",
                                 "--view", "load1", "-o", shapeSvg} +
                     kExampleCoil);
        QCOMPARE(run.exitCode, 0);
        svg = fileBytes(shapeSvg);
        // The page with the caption line naming its spring below it.
        QVERIFY(svg.contains("viewBox=\"0 0 793 252\"") && !svg.contains("<image"));
        QVERIFY(svg.contains(">d1×D10×N20 "));
        QVERIFY(svg.contains("<path") && svg.contains("<polyline") && svg.contains(">荷重１<"));
    }

    void shapeRendersThePage() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("load2.png"));
        const Run run = runCli(QStringList{"shape", "--round", "--angle", "80", "--L1", "45",
                                           "--L2", "55", "--view", "load2", "-o", path} +
                               kExampleCoil);
        QCOMPARE(run.exitCode, 0);
        // The page as the window shows it, and the caption strip below.
        const QImage picture(path);
        QCOMPARE(picture.size(), QSize(793, 230 + hspring::kCaptionHeight));
        int captionInk = 0;
        for (int y = 231; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                captionInk += qGray(picture.pixel(x, y)) < 128;
        QVERIFY2(captionInk > 100, qPrintable(QString::number(captionInk)));
        // The spring alone carries a caption line naming it, below the view.
        const QString alone = folder.filePath(QStringLiteral("alone.svg"));
        QCOMPARE(
            runCli(QStringList{"shape", "--view-only", "-o", alone} + kExampleUHook + kExampleCoil)
                .exitCode,
            0);
        QVERIFY(fileBytes(alone).contains("d1×D10×N20"));
        // A loaded U hook does not exist.
        QCOMPARE(runCli(QStringList{"shape", "--view", "load1", "-o", path} + kExampleUHook +
                        kExampleCoil)
                     .exitCode,
                 2);
    }
};

HSPRING_WINDOW_TEST(DrawingCommandsTest)
#include "drawing_commands_test.moc"
