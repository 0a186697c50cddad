// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the help page's pictures of the windows no other script photographs, offscreen: the
// main window after "計算" with the page "詳細計算" shown, and the search window after a search
// for the start design's requirement. Usage: hspring-make-help-pictures BUILD_DIR OUTPUT_DIR
// (scripts/make-help-docs).

#include "app/windows/main_window.h"
#include "startup/program_start.h"
#include "search/windows/design_search_window.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/qt_translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>
#include <iostream>

using namespace hspring;

namespace {

bool save(QWidget& widget, const QString& path) {
    QCoreApplication::processEvents();
    if (widget.grab().save(path))
        return true;
    std::cerr << "cannot write " << path.toStdString() << "\n";
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: hspring-make-help-pictures BUILD_DIR OUTPUT_DIR\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setStyle(QStringLiteral("Fusion"));
    installFontSubstitutes();
    application.setFont(windowFont(12));
    installQtJapanese(application);
    const QString buildFolder = QString::fromLocal8Bit(argv[1]);
    const QDir output(QString::fromLocal8Bit(argv[2]));

    ProgramStart start =
        startProgram(DataFiles::in(buildFolder.toStdString()), MissingDataFile::Fail);
    MainWindow window(*start.state, buildFolder, start.notices);
    window.show();
    window.findChild<QAbstractButton*>(QStringLiteral("BitBtn2"))->click();
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page)
        if (pages->tabText(page).contains(QStringLiteral("詳細計算")))
            pages->setCurrentIndex(page);
    if (!save(window, output.filePath(QStringLiteral("detail-page.png"))))
        return 1;

    window.openDesignSearch();
    auto* search = window.findChild<DesignSearchWindow*>();
    QEventLoop loop;
    QObject::connect(search, &DesignSearchWindow::searchEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    search->startSearch();
    loop.exec();
    return save(*search, output.filePath(QStringLiteral("design-search.png"))) ? 0 : 1;
}
