// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/windows/jis_sheet_window.h"

#include "calc/design_caption.h"
#include "printing/painting/jis_sheet_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
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
constexpr std::array<FieldPlace, kTitleBlockLineFields> kFields = {{
    {"partName", "品名", &TitleBlock::partName},
    {"partNumber", "品番", &TitleBlock::partNumber},
    {"drawingNumber", "図番", &TitleBlock::drawingNumber},
    {"designer", "設計", &TitleBlock::designer},
    {"checker", "検図", &TitleBlock::checker},
    {"approver", "承認", &TitleBlock::approver},
    {"date", "日付", &TitleBlock::date},
    {"revision", "改訂", &TitleBlock::revision},
    {"scale", "尺度", &TitleBlock::scale},
    {"surfaceTreatment", "表面処理", &TitleBlock::surfaceTreatment},
}};
// The hooks' relative position: the usual ones to pick, any other angle to type.
constexpr const char* kHookPositions[] = {kHooksInOnePlane, "90°"};

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
    fields_[8]->setPlaceholderText(QString::fromUtf8(kNotToScale));
    hookPosition_ = new QComboBox(this);
    hookPosition_->setObjectName(QStringLiteral("hookPosition"));
    hookPosition_->setEditable(true);
    for (const char* position : kHookPositions)
        hookPosition_->addItem(QString::fromUtf8(position));
    form->addRow(QStringLiteral("フックの相対位置"), hookPosition_);
    rateTolerance_ = new QCheckBox(QStringLiteral("ばね定数に許容差を付ける"), this);
    rateTolerance_->setObjectName(QStringLiteral("rateTolerance"));
    form->addRow(QString(), rateTolerance_);
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
    hookPosition_->setCurrentText(subject.titleBlock.hookPosition.empty()
                                      ? QString::fromUtf8(kHooksInOnePlane)
                                      : qt(subject.titleBlock.hookPosition));
    rateTolerance_->setChecked(subject.rateTolerance);
}

TitleBlock JisSheetWindow::titleBlock() const {
    TitleBlock block;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        block.*kFields[i].member = fields_[i]->text().trimmed().toStdString();
    block.remarks = remarks_->toPlainText().trimmed().toStdString();
    // The usual position is kept as no entry, so that a block of nothing else leaves no file.
    const std::string position = hookPosition_->currentText().trimmed().toStdString();
    block.hookPosition = position == kHooksInOnePlane ? std::string() : position;
    return block;
}

JisSheetSubject JisSheetWindow::subject() const {
    JisSheetSubject subject = subject_;
    subject.titleBlock = titleBlock();
    subject.rateTolerance = rateTolerance_->isChecked();
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
