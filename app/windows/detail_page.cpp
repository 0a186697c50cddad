// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/detail_page.h"

#include "app/painting/detail_page_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/placement.h"
#include "toolkit/windows/print_dialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace hspring {

namespace {

constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 24;
constexpr int kButtonPitch = 30;

// A command of the page: a button at the right edge, `top` pixels down, and the same item on the
// context menu.
void addCommand(QWidget& page, const char* buttonName, const char* itemName, const QString& text,
                int top, const std::function<void()>& run) {
    placeButton(&page, QString::fromLatin1(buttonName), text,
                QRect(kDetailPageButtonsLeft, top, kButtonWidth, kButtonHeight), run);
    auto* item = new QAction(text, &page);
    item->setObjectName(QString::fromLatin1(itemName));
    QObject::connect(item, &QAction::triggered, &page, run);
    page.addAction(item);
}

} // namespace

DetailPage::DetailPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DetailPage"));
    setFixedSize(kDetailPageSize);
    setFont(windowFont(kDetailPageFontPixels));
    setContextMenuPolicy(Qt::ActionsContextMenu);

    addCommand(*this, "DetailCopyButton", "DetailCopyItem", QStringLiteral("コピー"), 0,
               [this] { copyToClipboard(); });
    addCommand(*this, "DetailPrintButton", "DetailPrintItem", QStringLiteral("プリント"),
               kButtonPitch, [this] { printPage(); });
    addCommand(*this, "DetailPdfButton", "DetailPdfItem", QStringLiteral("PDFに保存"),
               2 * kButtonPitch, [this] { savePdf(); });
}

void DetailPage::showTexts(DetailPageTexts texts) {
    texts_ = std::move(texts);
    update();
}

void DetailPage::copyToClipboard() const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(detailPageClipboardText(texts_)));
}

namespace {
const QString kDocumentTitle = QStringLiteral("詳細計算");
const QString kPdfName = QStringLiteral("hspring_detail.pdf");
} // namespace

void DetailPage::describePrintsBy(std::function<PrintedDesign()> describe) {
    describe_ = std::move(describe);
}

QString DetailPage::proposedPdfName() const {
    const QString stem = describe_ ? describe_().fileStem : QString();
    return stem.isEmpty() ? kPdfName : stem + QStringLiteral("_detail.pdf");
}

PagePainter DetailPage::pagePainter() const {
    const PrintHeader header = describe_ ? describe_().header : PrintHeader{};
    return [this, header](QPainter& painter, const QRectF&) {
        printDetailPage(painter, texts_, header);
    };
}

void DetailPage::printOn(QPrinter& printer) const {
    printer.setDocName(kDocumentTitle);
    hspring::printPage(printer, pagePainter());
}

void DetailPage::printPage() {
    PrintOptions options;
    options.pdfName = proposedPdfName();
    runReportingErrors(this,
                       [&] { printWithDialog(this, kDocumentTitle, pagePainter(), options); });
}

void DetailPage::savePdf() {
    runReportingErrors(this, [this] {
        savePdfWithDialog(this, QStringLiteral("PDFに保存"), proposedPdfName(), kDocumentTitle,
                          pagePainter());
    });
}

void DetailPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintDetailPage(painter, texts_);
}

} // namespace hspring
