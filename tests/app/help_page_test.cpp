// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/help_page.h"
#include "base/error.h"
#include "calc/checks.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "diagram/painting/fatigue_diagram.h"
#include "tests/support/main_window_fixture.h"
#include "toolkit/windows/error_text.h"
#include "windows_test_registry.h"
#include "wording/japanese.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

using namespace hspring;

// Stands in for the desktop: records what the program asks it to open.
class DesktopRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class HelpPageTest : public QObject {
    Q_OBJECT

private slots:
    // F1 opens the program's own help window on a machine without a browser (the offscreen
    // platform starts none, and the recorder catches any attempt): the shipped page, read as
    // HTML, once however often F1 is pressed. Its button hands the page to the desktop, and says
    // so in the window when the desktop cannot open it.
    void f1OpensTheHelpWindowWithoutABrowser() {
        test::DataFolder folder(test::referenceLibrary(), test::referenceSettings());
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("help")));
        QVERIFY(QFile::copy(helpPagePath(QStringLiteral(HSPRING_BUILD_DIR)),
                            helpPagePath(folder.path())));
        test::OpenWindow open(folder);
        DesktopRecorder desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
        QTest::keyClick(open.window.get(), Qt::Key_F1);
        QTest::keyClick(open.window.get(), Qt::Key_F1);
        const auto windows = open.window->findChildren<QWidget*>(QStringLiteral("helpWindow"));
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isVisible());
        QVERIFY(windows[0]->isWindow());
        QVERIFY(desktop.opened.isEmpty());
        const auto* browser = windows[0]->findChild<QTextBrowser*>();
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains(QStringLiteral("エラーメッセージ一覧")));
        QVERIFY(!browser->toPlainText().contains(QStringLiteral("<h2"))); // read as HTML

        auto* openInBrowser =
            windows[0]->findChild<QPushButton*>(QStringLiteral("openInBrowserButton"));
        auto* status = windows[0]->findChild<QLabel*>(QStringLiteral("helpStatus"));
        QVERIFY(openInBrowser && status);
        openInBrowser->click();
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(helpPagePath(folder.path()))});
        QCOMPARE(status->text(), QString());
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        openInBrowser->click();
        QCOMPARE(status->text(), QStringLiteral("ブラウザを起動できませんでした"));
    }

    // A missing page is said in the window, whose browser button then has nothing to open.
    void aMissingPageIsSaidInTheWindow() {
        QTemporaryDir emptyFolder;
        QWidget owner;
        openHelpPage(emptyFolder.path(), &owner);
        const auto* missing = owner.findChild<QTextBrowser*>();
        QVERIFY(missing);
        QVERIFY2(missing->toPlainText().contains(QStringLiteral("が見つかりません")),
                 qPrintable(missing->toPlainText()));
        QVERIFY(!owner.findChild<QPushButton*>(QStringLiteral("openInBrowserButton"))->isEnabled());
    }

    // The build puts the page next to the binaries, as UTF-8 that declares itself, and it explains
    // the program's messages in their exact words.
    void shippedPageExplainsTheMessagesInTheirExactWords() {
        QFile page(helpPagePath(QStringLiteral(HSPRING_BUILD_DIR)));
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        const QByteArray bytes = page.readAll();
        QVERIFY(bytes.contains("<meta charset=\"utf-8\">"));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(bytes);
        QVERIFY(!utf8.hasError());

        std::vector<std::string_view> messages = {kDesignPassesText, kIndexOutOfRangeText};
        for (int rule = 0; rule < kDesignRuleCount; ++rule)
            messages.push_back(designRuleText(static_cast<DesignRule>(rule)));
        for (const std::string_view message : messages)
            QVERIFY2(text.contains(QString::fromUtf8(message)), message.data());
        for (const Problem fault :
             {Problem::DivisionByZero, Problem::InvalidOperation, Problem::Overflow})
            QVERIFY2(text.contains(errorText(Error(fault))), Error(fault).what());
        for (const std::string_view life : kLifeClassTexts)
            QVERIFY2(text.contains(QString::fromUtf8(life)), life.data());
        QVERIFY(text.contains(graphAreaOverNotice()));
    }
};

HSPRING_WINDOW_TEST(HelpPageTest)
#include "help_page_test.moc"
