// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/help_page.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace hspring {

namespace {

constexpr auto kHelpWindowName = "helpWindow";

// The page in a text browser, which follows the page's own links and anchors and shows its
// pictures; the row below offers the desktop's browser, for printing or a larger view.
QWidget* helpWindow(QWidget* owner, const QString& page) {
    if (owner)
        if (auto* shown = owner->findChild<QWidget*>(QString::fromLatin1(kHelpWindowName),
                                                     Qt::FindDirectChildrenOnly))
            return shown;
    auto* window = new QWidget(owner, Qt::Window);
    window->setObjectName(QString::fromLatin1(kHelpWindowName));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("引張りコイルバネ計算 ヘルプ"));
    window->resize(820, 700);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    const bool pageExists = QFileInfo::exists(page);
    if (pageExists)
        browser->setSource(QUrl::fromLocalFile(page));
    else
        browser->setPlainText(QStringLiteral("ヘルプファイル %1 が見つかりません")
                                  .arg(QDir::toNativeSeparators(page)));

    auto* openInBrowser = new QPushButton(QStringLiteral("ブラウザで開く"), window);
    openInBrowser->setObjectName(QStringLiteral("openInBrowserButton"));
    openInBrowser->setEnabled(pageExists);
    auto* status = new QLabel(window);
    status->setObjectName(QStringLiteral("helpStatus"));
    QObject::connect(openInBrowser, &QPushButton::clicked, window, [browser, status] {
        // The page shown, with the section the reader is at.
        status->setText(QDesktopServices::openUrl(browser->source())
                            ? QString()
                            : QStringLiteral("ブラウザを起動できませんでした"));
    });
    auto* close = new QPushButton(QStringLiteral("閉じる"), window);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 4, 8, 8);
    buttons->addWidget(openInBrowser);
    buttons->addWidget(status, 1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser, 1);
    layout->addLayout(buttons);
    return window;
}

} // namespace

QString helpPagePath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("help/helphelp.htm"));
}

void openHelpPage(const QString& programFolder, QWidget* owner) {
    QWidget* window = helpWindow(owner, helpPagePath(programFolder));
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace hspring
