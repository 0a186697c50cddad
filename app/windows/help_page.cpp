// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/help_page.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace hspring {

namespace {

constexpr auto kHelpWindowName = "helpWindow";

// The page in a text browser, which follows the page's own links and anchors.
QWidget* helpWindow(QWidget* owner, const QString& page) {
    if (owner)
        if (auto* shown = owner->findChild<QWidget*>(QString::fromLatin1(kHelpWindowName),
                                                     Qt::FindDirectChildrenOnly))
            return shown;
    auto* window = new QWidget(owner, Qt::Window);
    window->setObjectName(QString::fromLatin1(kHelpWindowName));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("ヘルプ"));
    window->resize(760, 640);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    if (QFileInfo::exists(page))
        browser->setSource(QUrl::fromLocalFile(page));
    else
        browser->setPlainText(QStringLiteral("ヘルプファイル %1 が見つかりません")
                                  .arg(QDir::toNativeSeparators(page)));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    return window;
}

} // namespace

QString helpPagePath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("help/helphelp.htm"));
}

void openHelpPage(const QString& programFolder, QWidget* owner) {
    const QString page = helpPagePath(programFolder);
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;
    QWidget* window = helpWindow(owner, page);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace hspring
