// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"
#include "chart/load_length_chart.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;

namespace hspring {

class PictureView;

// The lower page "＜ 荷重－長さ線図 ＞": the production tolerance grade to judge the current
// design by, its tolerances at that grade (and the conditions of specifying its loads it breaks),
// and its load–length chart, which the right-click menu saves as PNG or SVG.
class ChartPage : public QWidget {
    Q_OBJECT

public:
    explicit ChartPage(QWidget* parent = nullptr);

    // The windows of the requirement a search found the design for: drawn while the design's
    // working lengths are the windows' lengths (a design changed since keeps none).
    void setRequirementWindows(std::vector<ChartLoadWindow> windows);

    // The grade chosen (0: none), 2 at first; setting it shows nothing anew by itself.
    int toleranceGrade() const;
    void setToleranceGrade(int grade);

    // The units of the loads and the rate the page shows (its owner's setting); shows nothing
    // anew by itself.
    void setUnitSystem(UnitSystem units) { units_ = units; }

    // Shows a calculated design (evaluated at toleranceGrade()); nothing for none.
    void showResult(const DesignResult* result);

    // The tolerance texts shown, one line each.
    QString toleranceText() const;
    PictureView* chartView() const { return view_; }
    // The requirement windows the chart shown draws.
    std::size_t windowsShown() const { return windowsShown_; }

signals:
    // The grade list changed: the owner shows the design again at the new grade.
    void toleranceGradeChanged();

private:
    QComboBox* gradeList_ = nullptr;
    QLabel* tolerancesLabel_ = nullptr;
    PictureView* view_ = nullptr;
    std::vector<ChartLoadWindow> windows_;
    std::size_t windowsShown_ = 0;
    UnitSystem units_ = UnitSystem::Gravitational;
};

} // namespace hspring
