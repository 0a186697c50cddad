// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "drawing/painting/shape_view_painting.h"
#include "drawing/windows/shape_page.h"
#include "tests/support/example_design.h"
#include "tests/support/modal_dialogs.h"
#include "toolkit/windows/error_text.h"
#include "toolkit/windows/picture_view.h"
#include "windows_test_registry.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPicture>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using hspring::ShapePage;
using hspring::test::exampleDesign;

namespace {

// The picture the painting routine makes on its own, to compare the page's image with.
template <typename Draw>
QImage painted(Draw draw) {
    QImage image(hspring::kShapeViewSize, QImage::Format_RGB32);
    QPainter painter(&image);
    draw(painter);
    return image;
}

QImage freeRoundHook(const hspring::SpringDesign& design, double hookAngle) {
    return painted([&](QPainter& p) {
        hspring::drawFreeRoundHook(p, hspring::coilShapeOf(design), hookAngle, design.length2);
    });
}

QImage loadedRoundHook(const hspring::SpringDesign& design, double length) {
    return painted([&](QPainter& p) {
        hspring::drawLoadedRoundHook(p, hspring::coilShapeOf(design), 80, length, design.length2);
    });
}

QString stateText(const ShapePage& page) {
    return page.findChild<QLabel*>(QStringLiteral("Label12"))->text();
}

void clickStateButton(ShapePage& page) {
    QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("changb")), Qt::LeftButton);
}

void showUHookPage(ShapePage& page) {
    auto* pages = page.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
    pages->setCurrentWidget(page.findChild<QWidget*>(QStringLiteral("TabSheet4")));
}

} // namespace

class ShapePageTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheDefaultHookFieldsAndAnEmptyView() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        auto* pages = page.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->tabText(0), QStringLiteral("丸フック"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Ｕフック"));
        QVERIFY(page.roundHookPageActive());
        QCOMPARE(page.hookAngleField()->objectName(), QStringLiteral("Edit12"));
        QCOMPARE(page.hookAngleField()->text(), QStringLiteral("80"));
        QCOMPARE(page.minRadiusField()->objectName(), QStringLiteral("Edit13"));
        QCOMPARE(page.minRadiusField()->text(), QStringLiteral("2"));
        QCOMPARE(page.hookLengthField()->objectName(), QStringLiteral("Edit14"));
        QCOMPARE(page.hookLengthField()->text(), QStringLiteral("10"));
        QCOMPARE(page.hookOpeningField()->objectName(), QStringLiteral("Edit15"));
        QCOMPARE(page.hookOpeningField()->text(), QStringLiteral("3"));
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("Edit12Hint"))->text(),
                 QStringLiteral("(60～90)"));
        QCOMPARE(page.findChild<QWidget*>(QStringLiteral("Image2"))->size(), QSize(641, 225));
        QCOMPARE(page.findChild<QWidget*>(QStringLiteral("Image3"))->size(), QSize(128, 193));
        QCOMPARE(page.findChild<QWidget*>(QStringLiteral("Image4"))->size(), QSize(128, 209));
        QCOMPARE(page.findChild<QPushButton*>(QStringLiteral("changb"))->text(),
                 QStringLiteral("▲"));
        QCOMPARE(stateText(page), QStringLiteral("フリー"));
        QVERIFY(page.image().isNull());
        // Everything fits the lower page control's tab, side by side.
        const QRect pagesPlace = pages->geometry();
        const QRect viewPlace = page.findChild<QWidget*>(QStringLiteral("Image2"))->geometry();
        QVERIFY(pagesPlace.right() < viewPlace.left());
        QVERIFY(QRect(QPoint(0, 0), page.size()).contains(viewPlace));
        QVERIFY(page.width() <= 801 && page.height() <= 257);
    }

    void hookFieldsAreVisibleOnTheirPages() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.show();
        auto* pages = page.findChild<QTabWidget*>(QStringLiteral("PageControl2"));
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QWidget* hookPage = pages->widget(i);
            QTRY_VERIFY(hookPage->isVisible());
            const auto fields = hookPage->findChildren<QLineEdit*>();
            QVERIFY(!fields.isEmpty());
            for (const QLineEdit* field : fields)
                QVERIFY2(hookPage->rect().contains(field->geometry()),
                         qPrintable(field->objectName()));
        }
    }

    void calculateDrawsTheFreeSpringWithTheHookOfThePageShown() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.hookAngleField()->setText(QStringLiteral("70"));
        page.drawFreeSpring(design);
        QCOMPARE(page.image(), freeRoundHook(design, 70));

        showUHookPage(page);
        page.hookLengthField()->setText(QStringLiteral("12"));
        page.drawFreeSpring(design);
        QCOMPARE(page.image(), painted([&](QPainter& p) {
                     hspring::drawFreeUHook(p, hspring::coilShapeOf(design), {12, 3, 2});
                 }));
        QCOMPARE(stateText(page), QStringLiteral("フリー"));
    }

    void stateButtonStepsThroughTheLoadsAfterRecalculating() {
        hspring::SpringDesign design = exampleDesign();
        design.length1 = 30; // what the window holds before the recalculation reads it
        ShapePage page(design);
        int recalculations = 0;
        page.setRecalculation([&] {
            ++recalculations;
            design.length1 = 45;
            return true;
        });
        clickStateButton(page);
        QCOMPARE(stateText(page), QStringLiteral("荷重１"));
        QCOMPARE(page.shapeViewIndex(), 1);
        QCOMPARE(page.image(), loadedRoundHook(design, 45));
        clickStateButton(page);
        QCOMPARE(stateText(page), QStringLiteral("荷重２"));
        QCOMPARE(page.image(), loadedRoundHook(design, 55));
        clickStateButton(page);
        QCOMPARE(stateText(page), QStringLiteral("フリー"));
        QCOMPARE(page.shapeViewIndex(), 0);
        QCOMPARE(page.image(), freeRoundHook(design, 80));
        QCOMPARE(recalculations, 3);

        // Calculate always returns to the free view.
        clickStateButton(page);
        page.drawFreeSpring(design);
        QCOMPARE(stateText(page), QStringLiteral("フリー"));
        QCOMPARE(page.shapeViewIndex(), 0);
    }

    // The view keeps its drawing as well as its image: a printer or an SVG file gets the very
    // spring shown, even once the design has changed since (here: replayed from the commands a
    // printer gets).
    void viewKeepsTheDrawingShown() {
        hspring::SpringDesign design = exampleDesign();
        design.length1 = 45;
        ShapePage page(design);
        page.setRecalculation([] { return true; });
        clickStateButton(page);
        const QImage shown = page.image();
        design.length1 = 50;
        design.length2 = 70;

        auto* view = page.findChild<hspring::PictureView*>(QStringLiteral("Image2"));
        QPicture commands;
        QPainter recorder(&commands);
        view->render(&recorder);
        recorder.end();
        QImage replayed(hspring::kShapeViewSize, QImage::Format_RGB32);
        QPainter player(&replayed);
        player.drawPicture(0, 0, commands);
        player.end();
        QCOMPARE(replayed, shown);
    }

    void failedRecalculationLeavesTheView() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.drawFreeSpring(design);
        const QImage before = page.image();
        page.setRecalculation([] { return false; });
        clickStateButton(page);
        QCOMPARE(stateText(page), QStringLiteral("フリー"));
        QCOMPARE(page.shapeViewIndex(), 0);
        QCOMPARE(page.image(), before);
    }

    void uHookPageHidesTheStateButtonWithoutRedrawing() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.drawFreeSpring(design);
        const QImage roundHook = page.image();
        auto* button = page.findChild<QPushButton*>(QStringLiteral("changb"));
        auto* label = page.findChild<QLabel*>(QStringLiteral("Label12"));
        QVERIFY(button->isVisibleTo(&page) && label->isVisibleTo(&page));
        showUHookPage(page);
        QVERIFY(!page.roundHookPageActive());
        QVERIFY(!button->isVisibleTo(&page) && !label->isVisibleTo(&page));
        QCOMPARE(page.image(), roundHook);
        page.findChild<QTabWidget*>(QStringLiteral("PageControl2"))->setCurrentIndex(0);
        QVERIFY(button->isVisibleTo(&page) && label->isVisibleTo(&page));
    }

    void badHookFieldLeavesTheImage() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.drawFreeSpring(design);
        const QImage before = page.image();

        page.hookAngleField()->setText(QStringLiteral("８０°"));
        try {
            page.drawFreeSpring(design);
            QFAIL("a text with a unit was drawn");
        } catch (const hspring::Error& error) {
            QCOMPARE(hspring::errorText(error),
                     QStringLiteral("フック角度: '８０°' は浮動小数点数ではありません"));
        }
        QCOMPARE(page.image(), before);

        // changb shows the error in the box; the picture and its label stay, the state steps on.
        const auto box = hspring::test::answerNextMessageBox(QMessageBox::Ok);
        clickStateButton(page);
        QTRY_VERIFY(box->seen);
        QCOMPARE(box->text, QStringLiteral("フック角度: '８０°' は浮動小数点数ではありません"));
        QCOMPARE(stateText(page), QStringLiteral("フリー"));
        QCOMPARE(page.shapeViewIndex(), 1);
        QCOMPARE(page.image(), before);
    }

    void uHookFieldsAreReadLengthOpeningRadius() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        showUHookPage(page);
        page.minRadiusField()->setText(QStringLiteral("r"));
        page.hookOpeningField()->setText(QStringLiteral("o"));
        QString message;
        try {
            page.drawFreeSpring(design);
        } catch (const hspring::Error& error) {
            message = hspring::errorText(error);
        }
        QCOMPARE(message, QStringLiteral("開口長さ: 'o' は浮動小数点数ではありません"));
        QVERIFY(page.image().isNull());
    }

    // The view's menu offers the dimensioned drawing of the hooks the page shows; it writes the
    // file chosen, the outline of the page's hook with its dimensions.
    void dimensionedDrawingOfTheHookPageShown() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        showUHookPage(page);
        auto* view = page.findChild<hspring::PictureView*>();
        QVERIFY(view);
        QAction* action = nullptr;
        for (QAction* candidate : view->actions())
            if (candidate->objectName() == QStringLiteral("saveDimensionedDxf"))
                action = candidate;
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("寸法付きDXF…"));
        const hspring::DimensionedDrawing drawing = page.dimensionedDrawing();
        QCOMPARE(drawing.outline,
                 hspring::uHookOutline(hspring::coilShapeOf(design), page.uHookFromFields()));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("dim.dxf"));
        const auto answered = hspring::test::answerNextFileDialog(path);
        action->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, QByteArray::fromStdString(hspring::dimensionedDxfBytes(drawing)));
        QVERIFY(bytes.contains("DIMENSIONS\r\n"));
    }
};

HSPRING_WINDOW_TEST(ShapePageTest)
#include "shape_page_test.moc"
