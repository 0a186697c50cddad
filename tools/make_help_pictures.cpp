// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the help page's pictures of the windows no other script photographs, offscreen: the
// main window after "計算" with the page "詳細計算" shown and with the page "荷重－長さ線図"
// shown, the JIS sheet of that design as its page is printed, and the search window after a
// search for the start design's requirement. Usage: hspring-make-help-pictures BUILD_DIR
// OUTPUT_DIR (scripts/make-help-docs).

#include "app/windows/main_window.h"
#include "printing/jis_sheet_text.h"
#include "printing/painting/jis_sheet_painting.h"
#include "search/windows/design_search_window.h"
#include "startup/program_start.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/qt_translations.h"
#include "wording/japanese.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
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

bool showPage(QTabWidget& pages, const QString& name) {
    for (int page = 0; page < pages.count(); ++page)
        if (pages.tabText(page).contains(name)) {
            pages.setCurrentIndex(page);
            return true;
        }
    std::cerr << "no page " << name.toStdString() << "\n";
    return false;
}

// The JIS sheet of the design the window shows, as its A4 page prints (tenths of a millimetre),
// at half a pixel a tenth: 1050 pixels wide, enough to read in the help.
bool saveJisSheet(MainWindow& window, const QString& path) {
    const ProgramState& state = window.state();
    JisSheetSubject subject;
    subject.design = state.current();
    subject.titleBlock.partName = "引張コイルばね";
    subject.titleBlock.partNumber = "HS-001";
    subject.titleBlock.designer = "設計 太郎";
    subject.fileName = "example.hbd";
    const JisSheetTexts texts =
        jisSheetTexts(subject, state.materials, state.settings.coefficients, japaneseWording());
    QImage page(1050, 1485, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(0.5, 0.5);
    paintJisSheet(painter, texts, jisSheetFigure(subject));
    painter.end();
    if (page.save(path))
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
    if (!showPage(*pages, QStringLiteral("詳細計算")) ||
        !save(window, output.filePath(QStringLiteral("detail-page.png"))) ||
        !showPage(*pages, QStringLiteral("荷重－長さ線図")) ||
        !save(window, output.filePath(QStringLiteral("chart-page.png"))) ||
        !saveJisSheet(window, output.filePath(QStringLiteral("jis-sheet.png"))))
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
