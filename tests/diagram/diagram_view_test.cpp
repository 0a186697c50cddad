// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/painting/fatigue_diagram.h"
#include "diagram/windows/diagram_view.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace hspring;

namespace {

// Right-clicks the view and clicks the first item of the menu that opens. Returns the item's
// text, or "disabled" when it cannot be chosen.
QString chooseFromContextMenu(QWidget& view) {
    QString chosen;
    QTimer::singleShot(50, [&chosen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || menu->actions().isEmpty())
            return;
        QAction* item = menu->actions().constFirst();
        chosen = item->isEnabled() ? item->text() : QStringLiteral("disabled");
        if (item->isEnabled())
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        else
            menu->close();
    });
    const QPoint place(100, 100);
    QContextMenuEvent event(QContextMenuEvent::Mouse, place, view.mapToGlobal(place));
    QApplication::sendEvent(&view, &event);
    return chosen;
}

} // namespace

class DiagramViewTest : public QObject {
    Q_OBJECT

private slots:
    void diagramViewIsOfFixedSize() {
        DiagramView view;
        QCOMPARE(view.objectName(), QStringLiteral("Image1"));
        QCOMPARE(view.size(), QSize(400, 417));
        QCOMPARE(view.minimumSize(), view.maximumSize());
        QCOMPARE(view.image().size(), QSize(400, 417));
    }

    void showDiagramDrawsThePictureAndCountsTheNotices() {
        DiagramView view;
        QCOMPARE(view.showDiagram(0.4, 0.2, 1.25), 0);
        QCOMPARE(view.image(), renderFatigueDiagram(0.4, 0.2, 1.25).image);
        QCOMPARE(view.showDiagram(0.48, 0.2, 1.2), 1);
        QCOMPARE(view.showDiagram(0.6, 0.2, 1.0), 2);
        QCOMPARE(view.image(), renderFatigueDiagram(0.6, 0.2, 1.0).image);
    }

    // The right-click menu saves the diagram: as SVG with its lines and texts, as PNG exactly as
    // shown. Before the first diagram there is nothing to save.
    void contextMenuSavesThePicture() {
        DiagramView view;
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(chooseFromContextMenu(view), QStringLiteral("disabled"));

        view.showDiagram(0.4, 0.2, 1.1);
        QTemporaryDir folder;
        const auto svgDialog = test::answerNextFileDialog(folder.filePath(QStringLiteral("d.svg")));
        QCOMPARE(chooseFromContextMenu(view), QStringLiteral("画像として保存…"));
        QVERIFY(svgDialog->seen);
        QCOMPARE(svgDialog->text, QStringLiteral("PNG 画像 (*.png);;SVG 画像 (*.svg)"));
        const QByteArray svg = test::fileBytes(folder.filePath(QStringLiteral("d.svg")));
        QVERIFY(svg.contains("<svg") && svg.contains("viewBox=\"0 0 400 417\""));
        QVERIFY(svg.contains("<rect") && !svg.contains("<image"));
        // Texts stay texts (Qt starts a new one where the script changes: "コイル" "部").
        for (const char* text : {">下限応力係数 <", ">コイル<", ">フック<", ">0.5<"})
            QVERIFY2(svg.contains(text), text);

        const auto pngDialog = test::answerNextFileDialog(folder.filePath(QStringLiteral("d")));
        chooseFromContextMenu(view);
        QVERIFY(pngDialog->seen);
        QCOMPARE(
            QImage(folder.filePath(QStringLiteral("d.png"))).convertToFormat(QImage::Format_RGB32),
            view.image());
        // The SVG draws the lines as strokes, not as the thousands of pixel runs of the image.
        QVERIFY(svg.count("<polyline") > 20 && svg.count("<rect") < 200);

        // At 倍率 2 the PNG is the diagram drawn anew twice as large.
        const QString twice = folder.filePath(QStringLiteral("d2.png"));
        view.savePicture(twice.toStdString(), 2);
        QCOMPARE(QImage(twice).size(), view.image().size() * 2);
    }

    // On screen the widget shows its picture, pixel for pixel.
    void paintsItsPicture() {
        DiagramView view;
        view.showDiagram(0.4, 0.2, 1.1);
        const QImage shown = view.grab().toImage().convertToFormat(view.image().format());
        QCOMPARE(shown, view.image());
    }
};

HSPRING_WINDOW_TEST(DiagramViewTest)
#include "diagram_view_test.moc"
