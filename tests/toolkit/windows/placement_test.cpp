// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/placement.h"
#include "windows_test_registry.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace hspring;

class PlacementTest : public QObject {
    Q_OBJECT

private slots:
    // In a dialog a push button is pressed by Enter in any field unless it is kept from being a
    // default button; the kit's buttons never are. A speed button leaves the focus where it is.
    void enterInAFieldPressesNoButtonAndToolButtonsTakeNoFocus() {
        QDialog dialog;
        int pressed = 0;
        int applied = 0;
        QLineEdit* field = placeField(&dialog, QStringLiteral("Edit1"), {8, 8}, 60);
        placeButton(&dialog, QStringLiteral("BitBtn1"), QStringLiteral("設定"), {8, 40, 75, 25},
                    [&] { ++pressed; });
        QToolButton* speed = placeToolButton(&dialog, QStringLiteral("SpeedButton1"),
                                             QStringLiteral("←"), {90, 8, 18, 18});
        connect(speed, &QToolButton::clicked, [&] { ++applied; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));

        QCOMPARE(field->geometry(), QRect(8, 8, 60, kDialogFieldHeight));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(pressed, 0);
        QVERIFY(dialog.isVisible());

        QTest::mouseClick(speed, Qt::LeftButton);
        QCOMPARE(applied, 1);
        QVERIFY(field->hasFocus());

        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
        QCOMPARE(pressed, 1);
    }

    // A caption is as wide as its text in the font it is given, whatever its parent's font; it
    // keeps the object name it was given, and none when given none.
    void captionsFitTheirTextInTheirOwnFont() {
        QWidget parent;
        parent.setFont(windowFont(20));
        QLabel* named = placeLabel(&parent, QStringLiteral("自由長さ"), {4, 6},
                                   QStringLiteral("Label36"), windowFont(12));
        QLabel* plain = placeLabel(&parent, QStringLiteral("自由長さ"), {4, 30});

        QCOMPARE(named->objectName(), QStringLiteral("Label36"));
        QVERIFY(plain->objectName().isEmpty());
        QCOMPARE(named->pos(), QPoint(4, 6));
        QCOMPARE(named->font().pixelSize(), 12);
        QCOMPARE(plain->font().pixelSize(), 20);
        QCOMPARE(named->width(),
                 QFontMetrics(windowFont(12)).horizontalAdvance(QStringLiteral("自由長さ")));
        QVERIFY(plain->width() > named->width());
    }
};

HSPRING_WINDOW_TEST(PlacementTest)
#include "placement_test.moc"
