// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/extra_results.h"
#include "calc/hook_type.h"
#include "data/design_record.h"
#include "drawing/dimensioned_dxf.h"
#include "drawing/outline.h"
#include "toolkit/windows/number_field.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPainter;
class QPushButton;
class QTabWidget;

namespace hspring {

class PictureView;

// The contents of the tab "＜      バネ形状      ＞": the hook pages PageControl2 ("丸フック" with
// the hook angle Edit12 and the optional radii hookBendRadius and hookLoopRadius, "Ｕフック" with
// the minimum radius Edit13, hook length Edit14 and opening Edit15, each over its picture), the
// spring view Image2, the state label Label12 and the button changb that steps the view through the
// free state and the two working lengths.
class ShapePage : public QWidget {
    Q_OBJECT

public:
    // `design` is the current design (slot 0): changb draws it after the recalculation.
    explicit ShapePage(const SpringDesign& design, QWidget* parent = nullptr);

    // The main window's read–calculate–show–check sequence, run by changb before it draws;
    // returns false when it failed (and has shown its error), which leaves the view as it is.
    void setRecalculation(std::function<bool()> recalculation);

    // The Calculate button's drawing step: the free spring with the hooks of the page shown, then
    // the free state in Label12. A hook field that is not a number raises its conversion error
    // and leaves the image as it was. A coil without a shape (drawableCoil) leaves the view empty
    // and answers false.
    bool drawFreeSpring(const SpringDesign& design);

    // Back to the free state without drawing: index 0, Label12 "フリー".
    void resetToFreeView();

    // The handler of changb: recalculates, steps free → load 1 → load 2 → free and draws the
    // round-hook spring in that state. A failed recalculation changes nothing. A drawing that
    // fails is shown in the error box and leaves the picture and its label as they were, but the
    // state has stepped on, so the next press goes on to the following state.
    void cycleShapeView();

    bool roundHookPageActive() const;
    // Shows the hook page of `type`, as a click on its tab does.
    void showHookPage(HookType type);
    int shapeViewIndex() const { return shapeViewIndex_; }
    // The spring view as last drawn; null before the first drawing.
    const QImage& image() const;
    // Adds an item to the spring view's right-click menu, after its picture's save.
    void addViewMenuItem(QAction* item);

    NumberField* hookAngleField() const { return hookAngleField_; }
    NumberField* minRadiusField() const { return minRadiusField_; }
    NumberField* hookLengthField() const { return hookLengthField_; }
    NumberField* hookOpeningField() const { return hookOpeningField_; }
    // The round hook's optional radii (empty: not given).
    NumberField* hookBendRadiusField() const { return hookBendRadiusField_; }
    NumberField* hookLoopRadiusField() const { return hookLoopRadiusField_; }

    // The round hook's radii r2 and r1 as ExtraInputs, NaN where a field is empty (the operating
    // frequency not given). readHookRadii reads them as 計算 reads a field: a text that is no
    // number raises its conversion error and a number not above 0 is refused
    // (NotPositiveFinite), each at its field. heldHookRadii is what the pages use between two
    // 計算: a field that holds no positive number counts as not given.
    ExtraInputs readHookRadii() const;
    ExtraInputs heldHookRadii() const;
    // Shows the radii of `inputs` in their fields, empty where not given.
    void showHookRadii(const ExtraInputs& inputs);

    // The hook parameters as the fields hold them now; a field that is not a number raises its
    // conversion error, named by its caption, and takes the focus. The U hook's fields are read in
    // the order length, opening, radius.
    double hookAngleFromField() const;
    // Empties the spring view (a design whose spring cannot be drawn) and returns to the free
    // view.
    void showNoSpring();
    UHookShape uHookFromFields() const;

    // The dimensioned drawing of the design as the hook page's fields give its hooks; the
    // arithmetic errors of its outline are thrown.
    DimensionedDrawing dimensionedDrawing() const;
    // Asked before the dimensioned drawing is saved: nullopt stops the save (the main window:
    // the design could not be calculated, or the designer declined to draw a design with
    // concerns), else the lines its text block carries after the design's own. Without a gate the
    // drawing is saved as the fields give it.
    using OutputGate = std::function<std::optional<std::vector<std::string>>()>;
    void setDimensionedDxfGate(OutputGate gate);

signals:
    // The hook tab shown has changed: round hook or U hook.
    void hookTypeChanged();

private:
    void saveDimensionedDxf();
    void hookTabChanged(int index);
    void showState(int index);
    void paintImage(const std::function<void(QPainter&)>& paint);

    const SpringDesign& design_;
    std::function<bool()> recalculation_;
    OutputGate dimensionedDxfGate_;
    int shapeViewIndex_ = 0;

    QTabWidget* hookPages_;
    QWidget* uHookPage_;
    NumberField* hookAngleField_;
    NumberField* minRadiusField_;
    NumberField* hookLengthField_;
    NumberField* hookOpeningField_;
    NumberField* hookBendRadiusField_;
    NumberField* hookLoopRadiusField_;
    PictureView* view_;
    QPushButton* stateButton_;
    QLabel* stateLabel_;
};

} // namespace hspring
