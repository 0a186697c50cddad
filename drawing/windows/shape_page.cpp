// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/windows/shape_page.h"

#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/design_caption.h"
#include "drawing/dxf_file.h"
#include "drawing/painting/hook_pictures.h"
#include "drawing/painting/shape_view_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/painting/utf8_text.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/file_dialogs.h"
#include "toolkit/windows/number_field.h"
#include "toolkit/windows/picture_view.h"
#include "toolkit/windows/placement.h"
#include "wording/japanese.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <array>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

// The states changb steps through, by shapeViewIndex.
const std::array<QString, 3> kStateNames{QStringLiteral("フリー"), QStringLiteral("荷重１"),
                                         QStringLiteral("荷重２")};

// The shape tab of the lower page control (801 × 257) leaves 797 × 230 for its contents; the hook
// pages show 142 × 204 of their pictures.
constexpr QSize kPageSize{793, 230};
constexpr QRect kHookPagesPlace{0, 0, 146, 230};
constexpr QPoint kViewPlace{150, 2};

QPixmap pictureOf(QSize size, void (*paint)(QPainter&)) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

// A hook page with its picture in the top-left corner; the parameter fields go over the picture.
QWidget* addHookPage(QTabWidget* pages, const QString& name, const QString& title,
                     QSize pictureSize, void (*paintPicture)(QPainter&),
                     const QString& pictureName) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* picture = new QLabel(page);
    placeWidget(picture, pictureName, QRect(QPoint(0, 0), pictureSize));
    picture->setPixmap(pictureOf(pictureSize, paintPicture));
    pages->addTab(page, title);
    return page;
}

// A parameter field at its place over the picture, its caption at the left edge of the page.
NumberField* addCaptionedField(QWidget* page, const QString& name, const QString& caption,
                               const QString& unit, const QString& text, QRect place,
                               NumberField::Presence presence = NumberField::Presence::Required) {
    placeLabel(page, caption, QPoint(4, place.top() + 3), name + QStringLiteral("Caption"));
    auto* field = placeWidget(new NumberField(page, presence), name, place);
    field->setText(text);
    field->describe(caption, unit);
    return field;
}

} // namespace

ShapePage::ShapePage(const SpringDesign& design, QWidget* parent)
    : QWidget(parent), design_(design) {
    setObjectName(QStringLiteral("TabSheet2"));
    setFixedSize(kPageSize);

    hookPages_ = placeWidget(new QTabWidget(this), QStringLiteral("PageControl2"), kHookPagesPlace);

    QWidget* roundPage = addHookPage(hookPages_, QStringLiteral("TabSheet3"),
                                     utf8Text(hookTypeText(HookType::Round)), kRoundHookPictureSize,
                                     &paintRoundHookPicture, QStringLiteral("Image3"));
    hookAngleField_ =
        addCaptionedField(roundPage, QStringLiteral("Edit12"), QStringLiteral("フック角度"),
                          QStringLiteral("°"), QStringLiteral("80"), kHookAngleFieldPlace);
    placeLabel(roundPage, QStringLiteral("(60～90)"),
               kHookAngleFieldPlace.bottomLeft() + QPoint(0, 3), QStringLiteral("Edit12Hint"));
    // Centre-line radii the hook's stress factors are taken from when given; empty, K2 is the
    // coefficient set's factor and the loop's radius D/2.
    hookBendRadiusField_ = addCaptionedField(
        roundPage, QStringLiteral("hookBendRadius"), QStringLiteral("曲げ半径r2"),
        QStringLiteral("mm"), {}, kHookBendRadiusFieldPlace, NumberField::Presence::Optional);
    hookLoopRadiusField_ = addCaptionedField(
        roundPage, QStringLiteral("hookLoopRadius"), QStringLiteral("輪の半径r1"),
        QStringLiteral("mm"), {}, kHookLoopRadiusFieldPlace, NumberField::Presence::Optional);
    for (NumberField* field : {hookBendRadiusField_, hookLoopRadiusField_})
        field->setToolTip(QStringLiteral("中心線の半径（空欄: 指定なし）"));

    uHookPage_ =
        addHookPage(hookPages_, QStringLiteral("TabSheet4"), utf8Text(hookTypeText(HookType::U)),
                    kUHookPictureSize, &paintUHookPicture, QStringLiteral("Image4"));
    hookLengthField_ =
        addCaptionedField(uHookPage_, QStringLiteral("Edit14"), QStringLiteral("フック長さ"),
                          QStringLiteral("mm"), QStringLiteral("10"), kHookLengthFieldPlace);
    minRadiusField_ =
        addCaptionedField(uHookPage_, QStringLiteral("Edit13"), QStringLiteral("最小Ｒ"),
                          QStringLiteral("mm"), QStringLiteral("2"), kMinRadiusFieldPlace);
    hookOpeningField_ =
        addCaptionedField(uHookPage_, QStringLiteral("Edit15"), QStringLiteral("開口長さ"),
                          QStringLiteral("mm"), QStringLiteral("3"), kHookOpeningFieldPlace);

    // The view opens empty: nothing is drawn before the first Calculate or changb.
    view_ = placeWidget(new PictureView(kShapeViewSize, QStringLiteral("hspring-shape"),
                                        utf8Text(kSpringShapeTitle), this),
                        QStringLiteral("Image2"), QRect(kViewPlace, kShapeViewSize));

    // The dimensioned drawing of the spring the page draws, beside the outline file of the
    // file menu.
    auto* dimensioned = new QAction(QStringLiteral("寸法付きDXF…"), view_);
    dimensioned->setObjectName(QStringLiteral("saveDimensionedDxf"));
    view_->addAction(dimensioned);
    connect(dimensioned, &QAction::triggered, this,
            [this] { runReportingErrors(this, [this] { saveDimensionedDxf(); }); });

    stateButton_ = placeButton(this, QStringLiteral("changb"), QStringLiteral("▲"),
                               QRect(kViewPlace + QPoint(4, 4), QSize(23, 23)));

    stateLabel_ =
        placeLabel(this, kStateNames[0], kViewPlace + QPoint(33, 7), QStringLiteral("Label12"));
    QFont stateFont = windowFont(13);
    stateFont.setBold(true);
    stateLabel_->setFont(stateFont);
    QPalette red = stateLabel_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    stateLabel_->setPalette(red);
    stateLabel_->setMinimumWidth(60);

    connect(stateButton_, &QPushButton::clicked, this, &ShapePage::cycleShapeView);
    connect(hookPages_, &QTabWidget::currentChanged, this, &ShapePage::hookTabChanged);
}

void ShapePage::setRecalculation(std::function<bool()> recalculation) {
    recalculation_ = std::move(recalculation);
}

DimensionedDrawing ShapePage::dimensionedDrawing() const {
    const CoilShape coil = coilShapeOf(design_);
    DimensionedDrawing drawing{{}, coil, {}};
    const auto number = [](double value) { return formatF4(value); };
    drawing.notes.push_back("d" + number(coil.wireDiameter) + " × D" + number(coil.meanDiameter) +
                            " × N" + number(coil.totalTurns));
    if (roundHookPageActive()) {
        const double angle = hookAngleFromField();
        drawing.outline = roundHookOutline(coil, angle);
        drawing.hook = HookDimensions{true, angle, {}};
        drawing.notes.push_back("丸フック  フック角度 " + number(angle) + "°");
    } else {
        const UHookShape hook = uHookFromFields();
        drawing.outline = uHookOutline(coil, hook);
        drawing.hook = HookDimensions{false, 0, hook};
        drawing.notes.push_back("Uフック  長さ " + number(hook.hookLength) + "  開き " +
                                number(hook.hookOpening) + "  最小R " + number(hook.minRadius));
    }
    return drawing;
}

void ShapePage::setDimensionedDxfGate(OutputGate gate) {
    dimensionedDxfGate_ = std::move(gate);
}

void ShapePage::saveDimensionedDxf() {
    DimensionedDrawing drawing;
    if (dimensionedDxfGate_) {
        const std::optional<std::vector<std::string>> concerns = dimensionedDxfGate_();
        if (!concerns)
            return;
        drawing = dimensionedDrawing();
        drawing.notes.insert(drawing.notes.end(), concerns->begin(), concerns->end());
    } else {
        drawing = dimensionedDrawing();
    }
    const std::string bytes = dimensionedDxfBytes(drawing);
    const std::optional<std::string> path =
        askSaveFile(this, QStringLiteral("dxf (*.dxf)"),
                    QString::fromStdString(designFileStem(design_, MaterialLibrary{})) +
                        QStringLiteral("_dim.dxf"),
                    QStringLiteral("dxf"));
    if (path)
        writeDxfFile(*path, bytes);
}

bool ShapePage::roundHookPageActive() const {
    return hookPages_->currentWidget() != uHookPage_;
}

void ShapePage::showHookPage(HookType type) {
    if (type == HookType::U)
        hookPages_->setCurrentWidget(uHookPage_);
    else
        hookPages_->setCurrentIndex(hookPages_->indexOf(uHookPage_) == 0 ? 1 : 0);
}

double ShapePage::hookAngleFromField() const {
    return hookAngleField_->number();
}

UHookShape ShapePage::uHookFromFields() const {
    UHookShape hook;
    hook.hookLength = hookLengthField_->number();
    hook.hookOpening = hookOpeningField_->number();
    hook.minRadius = minRadiusField_->number();
    return hook;
}

namespace {

constexpr double kNotGiven = std::numeric_limits<double>::quiet_NaN();

double readRadius(NumberField& field) {
    const std::optional<double> value = field.value();
    if (!value)
        return kNotGiven;
    if (!(*value > 0 && std::isfinite(*value)))
        field.refuse(Error(Problem::NotPositiveFinite, field.objectName().toStdString()));
    return *value;
}

double heldRadius(const NumberField& field) {
    const std::optional<double> value = field.heldNumber();
    return value && *value > 0 && std::isfinite(*value) ? *value : kNotGiven;
}

} // namespace

ExtraInputs ShapePage::readHookRadii() const {
    ExtraInputs inputs;
    inputs.hookBendRadius = readRadius(*hookBendRadiusField_);
    inputs.hookLoopRadius = readRadius(*hookLoopRadiusField_);
    return inputs;
}

ExtraInputs ShapePage::heldHookRadii() const {
    ExtraInputs inputs;
    inputs.hookBendRadius = heldRadius(*hookBendRadiusField_);
    inputs.hookLoopRadius = heldRadius(*hookLoopRadiusField_);
    return inputs;
}

void ShapePage::showHookRadii(const ExtraInputs& inputs) {
    const auto show = [](NumberField& field, double radius) {
        field.setValue(std::isfinite(radius) ? std::optional(radius) : std::nullopt);
    };
    show(*hookBendRadiusField_, inputs.hookBendRadius);
    show(*hookLoopRadiusField_, inputs.hookLoopRadius);
}

const QImage& ShapePage::image() const {
    static const QImage nothingDrawn;
    return view_->hasPicture() ? view_->image() : nothingDrawn;
}

void ShapePage::addViewMenuItem(QAction* item) {
    view_->addAction(item);
}

// `paint` keeps its own copies of what it draws: the view draws it again for a printer or an SVG
// file.
void ShapePage::paintImage(const std::function<void(QPainter&)>& paint) {
    // Drawn into a new image first: a failure keeps the picture on screen as it was.
    QImage next(kShapeViewSize, QImage::Format_RGB32);
    QPainter painter(&next);
    paint(painter);
    painter.end();
    view_->showPicture(std::move(next), paint);
}

bool ShapePage::drawFreeSpring(const SpringDesign& design) {
    const CoilShape coil = coilShapeOf(design);
    if (!drawableCoil(coil)) {
        showNoSpring();
        return false;
    }
    // A saved picture names its spring by its size (the page does not know the material) and
    // the save dialog proposes a name built from it.
    static const MaterialLibrary kNoMaterials{};
    view_->setCaption(
        QString::fromStdString(designCaption(design, kNoMaterials)) +
        (roundHookPageActive() ? QStringLiteral("  丸フック") : QStringLiteral("  Uフック")));
    view_->setFileName(QString::fromStdString(designFileStem(design, kNoMaterials)) +
                       QStringLiteral("_shape"));
    if (roundHookPageActive()) {
        const double hookAngle = hookAngleFromField();
        paintImage([coil, hookAngle, frameLength = design.length2](QPainter& painter) {
            drawFreeRoundHook(painter, coil, hookAngle, frameLength);
        });
    } else {
        const UHookShape hook = uHookFromFields();
        paintImage([coil, hook](QPainter& painter) { drawFreeUHook(painter, coil, hook); });
    }
    resetToFreeView();
    return true;
}

void ShapePage::showNoSpring() {
    paintImage([](QPainter& painter) {
        painter.fillRect(QRect(QPoint(0, 0), kShapeViewSize), Qt::white);
    });
    resetToFreeView();
}

void ShapePage::resetToFreeView() {
    showState(0);
}

void ShapePage::showState(int index) {
    shapeViewIndex_ = index;
    stateLabel_->setText(kStateNames[static_cast<std::size_t>(index)]);
}

// The state advances before the drawing: a state that cannot be drawn (a loaded view of a
// design whose working length leaves no room for the coils) is passed on the next press instead
// of being tried again and again. The label names the state drawn last, the picture's.
void ShapePage::cycleShapeView() {
    if (recalculation_ && !recalculation_())
        return;
    const int next = (shapeViewIndex_ + 1) % static_cast<int>(kStateNames.size());
    shapeViewIndex_ = next;
    runReportingErrors(this, [&] {
        const CoilShape coil = coilShapeOf(design_);
        const double hookAngle = hookAngleFromField();
        const double frameLength = design_.length2;
        const double workingLength = next == 1 ? design_.length1 : design_.length2;
        paintImage([next, coil, hookAngle, frameLength, workingLength](QPainter& painter) {
            if (next == 0)
                drawFreeRoundHook(painter, coil, hookAngle, frameLength);
            else
                drawLoadedRoundHook(painter, coil, hookAngle, workingLength, frameLength);
        });
        showState(next);
    });
}

void ShapePage::hookTabChanged(int index) {
    // The U hook has only the free view.
    const bool roundHook = hookPages_->widget(index) != uHookPage_;
    stateButton_->setVisible(roundHook);
    stateLabel_->setVisible(roundHook);
    emit hookTypeChanged();
}

} // namespace hspring
