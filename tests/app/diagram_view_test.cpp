#include "app/painting/fatigue_diagram.h"
#include "app/windows/diagram_view.h"
#include "windows_test_registry.h"

#include <QTest>

using namespace hspring;

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
