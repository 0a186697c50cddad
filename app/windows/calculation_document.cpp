// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/calculation_document.h"

#include "app/windows/calculation_file_menu.h"
#include "app/windows/main_window.h"
#include "calc/design_caption.h"
#include "printing/windows/jis_sheet_window.h"
#include "toolkit/windows/error_box.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <cstring>

namespace hspring {

namespace {

const QString kCaption = QStringLiteral("引張りコイルバネ計算");
// Anything that changes a slot (a calculation, ▼, ▲, a search candidate, a field's recommended
// values) is seen within this time; comparing 10 KB is far cheaper than tracking every path.
constexpr int kTitleRefreshMilliseconds = 300;

} // namespace

QString mainWindowTitle(const QString& fileName) {
    return fileName.isEmpty() ? kCaption
                              : kCaption + QStringLiteral(" — ") + fileName + QStringLiteral("[*]");
}

CalculationDocument::CalculationDocument(MainWindow& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("calculationDocument"));
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CalculationDocument::refreshTitle);
    timer->start(kTitleRefreshMilliseconds);
}

CalculationDocument& CalculationDocument::of(MainWindow& window) {
    if (auto* document = window.findChild<CalculationDocument*>(
            QStringLiteral("calculationDocument"), Qt::FindDirectChildrenOnly))
        return *document;
    return *new CalculationDocument(window);
}

QString CalculationDocument::fileName() const {
    return path_.isEmpty() ? QString() : QFileInfo(path_).fileName();
}

void CalculationDocument::setTitleBlock(const TitleBlock& block) {
    titleBlock_ = block;
    keepWindowData();
    if (!path_.isEmpty()) {
        writeTitleBlock(QFile::encodeName(path_).toStdString(), titleBlock_);
        fileBlock_ = titleBlock_;
    }
}

void CalculationDocument::setToleranceGrade(int grade) {
    titleBlock_.toleranceGrade = grade;
    refreshTitle();
}

void CalculationDocument::remember(const std::string& path) {
    path_ = QFileInfo(QFile::decodeName(path.c_str())).absoluteFilePath();
    fileSlots_ = window_.state().designs;
}

void CalculationDocument::read(const std::string& path, const TitleBlock& block) {
    remember(path);
    titleBlock_ = block;
    fileBlock_ = block;
    refreshTitle();
    // The file is calculated on the basis it was saved with; a file without one on JIS.
    setDesignBasis(window_.state().settings.coefficients,
                   designBasisFromName(titleBlock_.designBasis).value_or(DesignBasis::Jis));
    ExtraInputs radii;
    radii.hookBendRadius = titleBlock_.hookBendRadius.value_or(radii.hookBendRadius);
    radii.hookLoopRadius = titleBlock_.hookLoopRadius.value_or(radii.hookLoopRadius);
    window_.showGivenInputs(radii);
    window_.setToleranceGrade(titleBlock_.toleranceGrade);
}

void CalculationDocument::clear() {
    path_.clear();
    titleBlock_ = {};
    fileBlock_ = {};
    window_.showGivenInputs(ExtraInputs{});
    refreshTitle();
    window_.setToleranceGrade(titleBlock_.toleranceGrade);
}

namespace {

std::optional<double> givenRadius(double radius) {
    return std::isfinite(radius) ? std::optional(radius) : std::nullopt;
}

} // namespace

void CalculationDocument::keepWindowData() {
    const DesignBasis basis = designBasisOf(window_.state().settings.coefficients);
    titleBlock_.designBasis =
        basis == DesignBasis::Jis ? std::string() : std::string(designBasisName(basis));
    const ExtraInputs given = window_.givenInputs();
    titleBlock_.hookBendRadius = givenRadius(given.hookBendRadius);
    titleBlock_.hookLoopRadius = givenRadius(given.hookLoopRadius);
}

void CalculationDocument::saved(const std::string& path) {
    remember(path);
    keepWindowData();
    writeTitleBlock(path, titleBlock_);
    fileBlock_ = titleBlock_;
    refreshTitle();
}

bool CalculationDocument::slotsChanged() const {
    if (path_.isEmpty())
        return false;
    const ExtraInputs given = window_.givenInputs();
    return std::memcmp(&fileSlots_, &window_.state().designs, sizeof(DesignSlots)) != 0 ||
           titleBlock_.hookBendRadius != givenRadius(given.hookBendRadius) ||
           titleBlock_.hookLoopRadius != givenRadius(given.hookLoopRadius) ||
           titleBlock_.toleranceGrade != fileBlock_.toleranceGrade;
}

bool CalculationDocument::hasUnsavedChanges() const {
    if (!path_.isEmpty())
        return slotsChanged();
    return !titleBlock_.empty();
}

bool CalculationDocument::askToKeepChanges() {
    if (!hasUnsavedChanges())
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("確認"),
                    QStringLiteral("計算結果の変更が保存されていません。保存しますか？"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Discard:
        return true;
    case QMessageBox::Save:
        saveCalculationFile(window_);
        return !hasUnsavedChanges();
    default:
        return false;
    }
}

void CalculationDocument::refreshTitle() {
    const QString title = mainWindowTitle(fileName());
    if (window_.windowTitle() != title)
        window_.setWindowTitle(title);
    window_.setWindowModified(slotsChanged());
}

void openJisSheet(MainWindow& window, HookType hookType, const std::vector<std::string>& concerns) {
    CalculationDocument& document = CalculationDocument::of(window);
    ProgramState& state = window.state();
    JisSheetWindow sheet(state.materials, state.settings.coefficients, &window);
    JisSheetSubject subject;
    subject.design = state.current();
    subject.hookType = hookType;
    subject.leftHanded = window.leftHanded();
    subject.fileName = document.fileName().toStdString();
    subject.titleBlock = document.titleBlock();
    if (hookType == HookType::Round)
        subject.inputs = window.givenInputs();
    subject.toleranceGrade = subject.titleBlock.toleranceGrade;
    subject.rateTolerance = subject.titleBlock.rateTolerance;
    subject.concerns = concerns;
    sheet.setSubject(subject);
    sheet.exec();
    TitleBlock typed = sheet.titleBlock();
    // What the dialog does not show stays the document's.
    typed.designBasis = document.titleBlock().designBasis;
    typed.hookBendRadius = document.titleBlock().hookBendRadius;
    typed.hookLoopRadius = document.titleBlock().hookLoopRadius;
    if (typed.toleranceGrade != document.toleranceGrade())
        window.setToleranceGrade(typed.toleranceGrade);
    if (!(typed == document.titleBlock()))
        runReportingErrors(&window, [&] { document.setTitleBlock(typed); });
}

} // namespace hspring

namespace hspring {

DetailPage::PrintedDesign describePrintedDesign(MainWindow& window) {
    CalculationDocument& document = CalculationDocument::of(window);
    const ProgramState& state = window.state();
    const std::string partName = document.titleBlock().partName;
    DetailPage::PrintedDesign printed;
    printed.header.title = QString::fromStdString(
        partName.empty() ? designCaption(state.current(), state.materials) : partName);
    printed.header.date = QDate::currentDate().toString(Qt::ISODate);
    printed.header.fileName = document.fileName();
    printed.fileStem = QString::fromStdString(designFileStem(state.current(), state.materials));
    return printed;
}

} // namespace hspring
