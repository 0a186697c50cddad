// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/calculation_document.h"
#include "printing/windows/jis_sheet_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace hspring;
using namespace hspring::test;

class JisSheetMenuTest : public QObject {
    Q_OBJECT

private slots:
    // The menu item opens the sheet's window for the design shown, with the hook page in front
    // and the window's hand; what is typed into the title block is kept with the calculation and
    // is on the PDF the window writes.
    void menuOpensTheSheetAndKeepsTheTitleBlock() {
        const DataFolder data(referenceLibrary(), referenceSettings());
        OpenWindow w(data);
        w.clickButton("BitBtn2");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        QString proposed;
        JisSheetSubject seen;
        const auto closed = closeNextDialog([&](QDialog& dialog) {
            auto& sheet = dynamic_cast<JisSheetWindow&>(dialog);
            QCOMPARE(sheet.windowTitle(), QStringLiteral("仕様書（JIS形式）"));
            // Nothing invented, but the hooks' usual position offered.
            for (QLineEdit* field : sheet.findChildren<QLineEdit*>())
                if (!qobject_cast<QComboBox*>(field->parentWidget()))
                    QVERIFY(field->text().isEmpty());
            QCOMPARE(sheet.findChild<QComboBox*>(QStringLiteral("hookPosition"))->currentText(),
                     QStringLiteral("同一平面"));
            sheet.findChild<QLineEdit*>(QStringLiteral("partNumber"))
                ->setText(QStringLiteral("HS-7"));
            sheet.findChild<QLineEdit*>(QStringLiteral("designer"))
                ->setText(QStringLiteral("田中"));
            sheet.findChild<QPlainTextEdit*>(QStringLiteral("remarks"))
                ->setPlainText(QStringLiteral("荷重は参考"));
            seen = sheet.subject();
            proposed = sheet.proposedPdfName();
            sheet.writePdf(pdf);
        });
        w.triggerMenu("JisSheet");
        QVERIFY(*closed);
        QCOMPARE(seen.design.freeLength, w.state.current().freeLength);
        QCOMPARE(seen.hookType, HookType::Round);
        QCOMPARE(proposed, QStringLiteral("HS-7_JIS.pdf"));

        const TitleBlock kept = CalculationDocument::of(*w.window).titleBlock();
        QCOMPARE(kept.partNumber, std::string("HS-7"));
        QCOMPARE(kept.remarks, std::string("荷重は参考"));
        const PdfContents contents = inspectPdf(pdf);
        QVERIFY2(contents.error.isEmpty(), qPrintable(contents.error));
        for (const QString& text : {QStringLiteral("HS-7"), QStringLiteral("田中"),
                                    QStringLiteral("荷重は参考"), QStringLiteral("丸フック")})
            QVERIFY2(contents.text.contains(text), qPrintable(text + "\n" + contents.text));
    }
};

HSPRING_WINDOW_TEST(JisSheetMenuTest)
#include "jis_sheet_menu_test.moc"
