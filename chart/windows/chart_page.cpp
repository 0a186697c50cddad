// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/windows/chart_page.h"

#include "base/number_format.h"
#include "calc/design_caption.h"
#include "chart/painting/load_length_chart_painting.h"
#include "toolkit/painting/utf8_text.h"
#include "toolkit/windows/picture_view.h"
#include "wording/japanese.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

namespace hspring {

namespace {

constexpr QSize kChartSize{560, 225};

// A tolerance as the page shows it: ± and four digits, or the missing-value text.
QString plusMinus(double value, std::string_view unit) {
    if (std::isnan(value))
        return QString::fromUtf8(kMissingValueText.data());
    return QStringLiteral("±") + QString::fromStdString(formatF4(value)) +
           QString::fromUtf8(unit.data(), qsizetype(unit.size()));
}

QString toleranceLines(const DesignResult& result, UnitSystem units) {
    const Tolerances& t = result.tolerances;
    const auto force = [units](double kgf, ForceQuantity quantity) {
        return plusMinus(shownValue(kgf, units), unitText(quantity, units));
    };
    QStringList lines{
        QStringLiteral("荷重(P1)  ") + force(t.load1, ForceQuantity::Load),
        QStringLiteral("荷重(P2)  ") + force(t.load2, ForceQuantity::Load),
        QStringLiteral("ばね定数  ") + force(t.springRate, ForceQuantity::Rate),
        QStringLiteral("自由長さ  ") + plusMinus(t.freeLength, "mm") + QStringLiteral("（参考）"),
        QStringLiteral("外径      ") + plusMinus(t.outerDiameter, "mm"),
    };
    for (const ToleranceBreach& breach : result.toleranceChecks)
        lines << QString::fromStdString(toleranceBreachText(breach));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ChartPage::ChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChartPage"));
    gradeList_ = new QComboBox(this);
    gradeList_->setObjectName(QStringLiteral("toleranceGradeList"));
    for (const std::string_view text : kToleranceGradeTexts)
        gradeList_->addItem(utf8Text(text));
    gradeList_->setCurrentIndex(kDefaultToleranceGrade);
    tolerancesLabel_ = new QLabel(this);
    tolerancesLabel_->setObjectName(QStringLiteral("toleranceLabel"));
    tolerancesLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tolerancesLabel_->setWordWrap(true);
    view_ = new PictureView(kChartSize, QStringLiteral("hspring-chart"),
                            utf8Text(kLoadLengthChartTitle), this);
    view_->setObjectName(QStringLiteral("chartView"));

    auto* left = new QVBoxLayout;
    auto* grade = new QHBoxLayout;
    grade->addWidget(new QLabel(QStringLiteral("許容差の等級"), this));
    grade->addWidget(gradeList_);
    left->addLayout(grade);
    left->addWidget(tolerancesLabel_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(left, 1);
    layout->addWidget(view_);
    connect(gradeList_, &QComboBox::currentIndexChanged, this, &ChartPage::toleranceGradeChanged);
}

void ChartPage::setRequirementWindows(std::vector<ChartLoadWindow> windows) {
    windows_ = std::move(windows);
}

int ChartPage::toleranceGrade() const {
    return std::max(0, gradeList_->currentIndex());
}

void ChartPage::setToleranceGrade(int grade) {
    const QSignalBlocker quiet(gradeList_);
    gradeList_->setCurrentIndex(grade);
}

void ChartPage::showResult(const DesignResult* result) {
    if (!result) {
        tolerancesLabel_->clear();
        windowsShown_ = 0;
        view_->showPicture(QImage(), {});
        return;
    }
    tolerancesLabel_->setText(toleranceLines(*result, units_));
    const SpringDesign& s = result->design;
    const bool sameLengths =
        windows_.size() == 2 && windows_[0].length == s.length1 && windows_[1].length == s.length2;
    const LoadLengthChart chart = inUnits(
        loadLengthChart(*result, sameLengths ? windows_ : std::vector<ChartLoadWindow>{}), units_);
    windowsShown_ = chart.windows.size();
    // A saved chart names its design by its size (the page does not know the material) and the
    // save dialog proposes a name built from it.
    static const MaterialLibrary kNoMaterials{};
    view_->setCaption(utf8Text(kLoadLengthChartTitle) + QStringLiteral("  ") +
                      QString::fromStdString(designCaption(s, kNoMaterials)));
    view_->setFileName(QString::fromStdString(designFileStem(s, kNoMaterials)) +
                       QStringLiteral("_chart"));
    const QSizeF size(kChartSize);
    const auto paint = [chart, size](QPainter& painter) {
        drawLoadLengthChart(painter, chart, size);
    };
    QImage image(kChartSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    view_->showPicture(std::move(image), paint);
}

QString ChartPage::toleranceText() const {
    return tolerancesLabel_->text();
}

} // namespace hspring
