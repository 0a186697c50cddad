#include "app/windows/help_page.h"
#include "base/error.h"
#include "calc/checks.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "diagram/painting/fatigue_diagram.h"
#include "toolkit/windows/error_text.h"
#include "windows_test_registry.h"

#include <QDesktopServices>
#include <QFile>
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
    // The page is handed to the desktop whether or not it exists; a missing page is the desktop's
    // to report.
    void asksTheDesktopToOpenThePageNextToTheProgram() {
        QTemporaryDir programFolder;
        DesktopRecorder desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
        QWidget owner;
        openHelpPage(programFolder.path(), &owner);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(desktop.opened.size(), 1);
        QCOMPARE(desktop.opened[0],
                 QUrl::fromLocalFile(programFolder.path() + QStringLiteral("/help/helphelp.htm")));
        QVERIFY(!owner.findChild<QWidget*>(QStringLiteral("helpWindow")));
    }

    // Without a viewer (the offscreen platform starts none) the page opens in the program's own
    // window, once; a missing page is said there.
    void withoutAViewerThePageOpensInAWindowOfTheProgram() {
        QWidget owner;
        openHelpPage(QStringLiteral(HSPRING_BUILD_DIR), &owner);
        openHelpPage(QStringLiteral(HSPRING_BUILD_DIR), &owner);
        const auto windows = owner.findChildren<QWidget*>(QStringLiteral("helpWindow"));
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isVisible());
        QVERIFY(windows[0]->isWindow());
        const auto* browser = windows[0]->findChild<QTextBrowser*>();
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains(QStringLiteral("エラーメッセージ一覧")));
        QVERIFY(!browser->toPlainText().contains(QStringLiteral("<h2"))); // read as HTML

        QTemporaryDir emptyFolder;
        QWidget otherOwner;
        openHelpPage(emptyFolder.path(), &otherOwner);
        const auto* missing = otherOwner.findChild<QTextBrowser*>();
        QVERIFY(missing);
        QVERIFY2(missing->toPlainText().contains(QStringLiteral("が見つかりません")),
                 qPrintable(missing->toPlainText()));
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

        const std::string_view messages[] = {
            kIndexBelowFourMessage,     kIndexAboveTwentyTwoMessage, kL2BelowSolidLengthMessage,
            kLengthOrderMessage,        kStressOverMessage,          kTooFewTurnsMessage,
            kCalculationSuccessMessage, kIndexOutOfRangeMessage};
        for (const std::string_view message : messages)
            QVERIFY2(text.contains(QString::fromUtf8(message)), message.data());
        for (const Problem fault :
             {Problem::DivisionByZero, Problem::InvalidOperation, Problem::Overflow})
            QVERIFY2(text.contains(errorText(Error(fault))), Error(fault).what());
        for (const std::string_view life : LifeTexts)
            QVERIFY2(text.contains(QString::fromUtf8(life)), life.data());
        QVERIFY(text.contains(graphAreaOverNotice()));
    }
};

HSPRING_WINDOW_TEST(HelpPageTest)
#include "help_page_test.moc"
