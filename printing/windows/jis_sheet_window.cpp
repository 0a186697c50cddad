// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/windows/jis_sheet_window.h"

#include "calc/design_caption.h"
#include "printing/painting/jis_sheet_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/print_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hspring {

namespace {

// The one-line fields in the order they stand; 備考 (remarks) follows as a text box.
struct FieldPlace {
    const char* objectName;
    const char* caption;
    std::string TitleBlock::*member;
};
constexpr std::array<FieldPlace, 6> kFields = {{
    {"partName", "品名", &TitleBlock::partName},
    {"partNumber", "品番", &TitleBlock::partNumber},
    {"designer", "設計", &TitleBlock::designer},
    {"date", "日付", &TitleBlock::date},
    {"revision", "改訂", &TitleBlock::revision},
    {"surfaceTreatment", "表面処理", &TitleBlock::surfaceTreatment},
}};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

JisSheetWindow::JisSheetWindow(const MaterialLibrary& library, const CoefficientSet& coefficients,
                               QWidget* parent)
    : QDialog(parent), library_(library), coefficients_(coefficients) {
    setObjectName(QStringLiteral("jisSheet"));
    setWindowTitle(QStringLiteral("仕様書（JIS形式）"));
    setFont(windowFont(12));
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QString::fromUtf8(kFields[i].objectName));
        form->addRow(QString::fromUtf8(kFields[i].caption), fields_[i]);
    }
    remarks_ = new QPlainTextEdit(this);
    remarks_->setObjectName(QStringLiteral("remarks"));
    remarks_->setFixedHeight(60);
    form->addRow(QStringLiteral("備考"), remarks_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(QStringLiteral("印刷…"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("print"));
    QPushButton* pdf =
        buttons->addButton(QStringLiteral("PDFに保存…"), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("savePdf"));
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("close"));
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });
    connect(pdf, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

void JisSheetWindow::setSubject(const JisSheetSubject& subject) {
    subject_ = subject;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        fields_[i]->setText(qt(subject.titleBlock.*kFields[i].member));
    remarks_->setPlainText(qt(subject.titleBlock.remarks));
}

TitleBlock JisSheetWindow::titleBlock() const {
    TitleBlock block;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        block.*kFields[i].member = fields_[i]->text().trimmed().toStdString();
    block.remarks = remarks_->toPlainText().trimmed().toStdString();
    return block;
}

JisSheetSubject JisSheetWindow::subject() const {
    JisSheetSubject subject = subject_;
    subject.titleBlock = titleBlock();
    return subject;
}

QString JisSheetWindow::proposedPdfName() const {
    const TitleBlock block = titleBlock();
    const std::string stem = !block.partNumber.empty() ? block.partNumber
                             : !block.partName.empty() ? block.partName
                                                       : designFileStem(subject_.design, library_);
    return qt(stem) + QStringLiteral("_JIS.pdf");
}

void JisSheetWindow::writePdf(const QString& path) const {
    const JisSheetSubject current = subject();
    writeJisSheetPdf(path.toStdString(), jisSheetTexts(current, library_, coefficients_),
                     jisSheetFigure(current));
}

void JisSheetWindow::print() {
    const JisSheetSubject current = subject();
    const JisSheetTexts texts = jisSheetTexts(current, library_, coefficients_);
    const std::optional<JisSheetFigure> figure = jisSheetFigure(current);
    PrintOptions options;
    options.pdfName = proposedPdfName();
    options.author = qt(texts.author);
    runReportingErrors(this, [&] {
        printWithDialog(
            this, qt(texts.documentTitle),
            [&](QPainter& painter, const QRectF&) { printJisSheet(painter, texts, figure); },
            options);
    });
}

void JisSheetWindow::savePdf() {
    const JisSheetSubject current = subject();
    const JisSheetTexts texts = jisSheetTexts(current, library_, coefficients_);
    const std::optional<JisSheetFigure> figure = jisSheetFigure(current);
    runReportingErrors(this, [&] {
        savePdfWithDialog(
            this, QStringLiteral("PDFに保存"), proposedPdfName(),
            PdfDocumentInfo{qt(texts.documentTitle), qt(texts.author)},
            [&](QPainter& painter, const QRectF&) { printJisSheet(painter, texts, figure); });
    });
}

} // namespace hspring
