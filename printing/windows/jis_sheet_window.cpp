// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/windows/jis_sheet_window.h"

#include "calc/design_caption.h"
#include "printing/painting/jis_sheet_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/print_dialog.h"
#include "wording/japanese.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <span>

namespace hspring {

namespace {

// The one-line fields in the order they stand; 備考 (remarks) follows as a text box.
constexpr std::span<const TitleBlockField> kFields(kTitleBlockFields.data(), kTitleBlockLineFields);
constexpr const TitleBlockField& kRemarks = kTitleBlockFields[kRemarksField];
// The hooks' relative position: the usual ones to pick, any other angle to type.
constexpr const char* kHookPositions[] = {kHooksInOnePlane, "90°"};

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
        fields_[i]->setObjectName(utf8(kFields[i].key));
        form->addRow(utf8(kFields[i].label), fields_[i]);
    }
    fields_[kScaleField]->setPlaceholderText(QString::fromUtf8(kNotToScale));
    hookPosition_ = new QComboBox(this);
    hookPosition_->setObjectName(QStringLiteral("hookPosition"));
    hookPosition_->setEditable(true);
    for (const char* position : kHookPositions)
        hookPosition_->addItem(QString::fromUtf8(position));
    form->addRow(QStringLiteral("フックの相対位置"), hookPosition_);
    // The design's grade, as the chart page shows it: what the sheet's tolerances are of.
    toleranceGrade_ = new QComboBox(this);
    toleranceGrade_->setObjectName(QStringLiteral("toleranceGrade"));
    for (const std::string_view text : kToleranceGradeTexts)
        toleranceGrade_->addItem(utf8(text));
    form->addRow(QStringLiteral("許容差の等級"), toleranceGrade_);
    rateTolerance_ = new QCheckBox(QStringLiteral("ばね定数に許容差を付ける"), this);
    rateTolerance_->setObjectName(QStringLiteral("rateTolerance"));
    form->addRow(QString(), rateTolerance_);
    remarks_ = new QPlainTextEdit(this);
    remarks_->setObjectName(utf8(kRemarks.key));
    remarks_->setFixedHeight(60);
    form->addRow(utf8(kRemarks.label), remarks_);

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
    toleranceGrade_->setCurrentIndex(subject.toleranceGrade);
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
    block.toleranceGrade = std::max(0, toleranceGrade_->currentIndex());
    block.rateTolerance = rateTolerance_->isChecked();
    return block;
}

JisSheetSubject JisSheetWindow::subject() const {
    JisSheetSubject subject = subject_;
    subject.titleBlock = titleBlock();
    subject.toleranceGrade = subject.titleBlock.toleranceGrade;
    subject.rateTolerance = subject.titleBlock.rateTolerance;
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
    writeJisSheetPdf(path.toStdString(),
                     jisSheetTexts(current, library_, coefficients_, japaneseWording()),
                     jisSheetFigure(current));
}

void JisSheetWindow::print() {
    const JisSheetSubject current = subject();
    const JisSheetTexts texts = jisSheetTexts(current, library_, coefficients_, japaneseWording());
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
    const JisSheetTexts texts = jisSheetTexts(current, library_, coefficients_, japaneseWording());
    const std::optional<JisSheetFigure> figure = jisSheetFigure(current);
    runReportingErrors(this, [&] {
        savePdfWithDialog(
            this, QStringLiteral("PDFに保存"), proposedPdfName(),
            PdfDocumentInfo{qt(texts.documentTitle), qt(texts.author)},
            [&](QPainter& painter, const QRectF&) { printJisSheet(painter, texts, figure); });
    });
}

} // namespace hspring
