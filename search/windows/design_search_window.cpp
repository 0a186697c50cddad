// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/windows/design_search_window.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/life.h"
#include "data/material_library.h"
#include "data/short_string.h"
#include "search/candidate_table.h"
#include "search/fit_hints.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/error_text.h"
#include "toolkit/windows/number_field.h"
#include "toolkit/windows/user_settings.h"
#include "wording/japanese.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace hspring {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
std::string utf8(const QString& text) {
    return text.toStdString();
}

constexpr int kProgressSteps = 1000;

// The material list's entries: every material, every material of a kind, or one record.
constexpr int kAllMaterials = -1;
constexpr int kKindEntryBase = 1000; // kKindEntryBase + kind

// The grades in the order of their list; no grade judges the nominal loads.
constexpr int kGrades[] = {kNoToleranceGrade, 1, 2, 3};
QString gradeText(int grade) {
    const QString text = qt(kToleranceGradeTexts[static_cast<std::size_t>(grade)]);
    return grade == kNoToleranceGrade ? text + QStringLiteral("（公称値で判定）") : text;
}

// The objectives in the order of their list, and their words.
constexpr SearchObjective kObjectives[] = {SearchObjective::Mass, SearchObjective::Life,
                                           SearchObjective::Margin, SearchObjective::Accuracy};
constexpr const char* kObjectiveTexts[] = {"軽い順", "寿命の長い順", "応力の余裕の大きい順",
                                           "荷重の精度の高い順"};

// The window's words for the constraints, in their order.
constexpr const char* kConstraintTexts[kSearchConstraintCount] = {
    "外径の上限",           "内径の下限",       "自由長さの上限", "荷重の許容差",
    "許容差の等級での荷重", "初張力の範囲",     "設計の判定",     "コイルの応力",
    "フックのねじり応力",   "フックの曲げ応力", "寿命",           "サージング",
};

// A table cell that sorts by its number rather than its text.
class CandidateItem : public QTableWidgetItem {
public:
    CandidateItem(const CandidateCell& cell, int candidate)
        : QTableWidgetItem(qt(cell.text)), sortKey_(cell.sortKey) {
        setData(Qt::UserRole, candidate);
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* item = dynamic_cast<const CandidateItem*>(&other);
        return item ? sortKey_ < item->sortKey_ : QTableWidgetItem::operator<(other);
    }

private:
    double sortKey_;
};

NumberField* makeField(QWidget* parent, const char* name, const QString& text = {},
                       NumberField::Presence presence = NumberField::Presence::Required) {
    auto* field = new NumberField(parent, presence);
    field->setText(text);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaximumWidth(90);
    return field;
}

// A number field's error message names it by the caption of its row.
void describeNumberField(QWidget* field, const QString& caption, const QString& unit) {
    if (auto* number = qobject_cast<NumberField*>(field))
        number->describe(caption, unit);
}

QComboBox* makeList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// The window's words for the requirement's keys, in the order of RequirementKey: the labels of
// its rows (the material row stands for both ways of choosing materials).
constexpr std::array<const char*, kRequirementKeyCount> kFieldLabels = {
    "長さ（Ｌ１）", "荷重(P1)",   "長さ（Ｌ２）",   "荷重(P2)",         "荷重の許容差",
    "許容差の等級", "外径の上限", "内径の下限",     "自由長さの上限",   "寿命",
    "材料",         "材料",       "低温焼きなまし", "フック",           "フック角度",
    "フック長さ",   "開口長さ",   "最小Ｒ",         "曲げ半径（ｒ２）", "ループ半径（ｒ１）",
    "使用振動数",   "設計基準",   "平均径の刻み",   "並べ方",           "候補の数",
};

QString fieldLabel(RequirementKey key) {
    return QString::fromUtf8(kFieldLabels[static_cast<std::size_t>(key)]);
}

// The label of the key a problem names.
QString fieldLabel(std::string_view name) {
    const std::optional<RequirementKey> key = requirementKeyFromName(name);
    return key ? fieldLabel(*key) : qt(name);
}

// What the error box says of a requirement's problem.
QString problemText(const RequirementProblem& p) {
    const QString field = fieldLabel(p.field);
    switch (p.code) {
    case RequirementProblemCode::NotANumber:
        return field + QStringLiteral("が数値ではありません");
    case RequirementProblemCode::NotAboveZero:
        return field + QStringLiteral("は 0 より大きくしてください");
    case RequirementProblemCode::Length1NotBelowLength2:
        return QStringLiteral("長さ（Ｌ１）は長さ（Ｌ２）より短くしてください");
    case RequirementProblemCode::Load1NotBelowLoad2:
        return QStringLiteral("荷重(P1)は荷重(P2)より小さくしてください");
    case RequirementProblemCode::ToleranceOutOfRange:
        return QStringLiteral("荷重の許容差は 0 より大きく 100 より小さい％で指定してください");
    case RequirementProblemCode::GradeOutOfRange:
        return QStringLiteral("許容差の等級は 0～3 にしてください");
    case RequirementProblemCode::LifeClassOutOfRange:
        return QStringLiteral("寿命の指定は 0～%1 の範囲にしてください").arg(kMaxRequiredLifeClass);
    case RequirementProblemCode::StepOutOfRange:
        return QStringLiteral("平均径の刻みは %1～%2mm にしてください")
            .arg(qt(formatGeneral(kMinDiameterStep, 15)), qt(formatGeneral(kMaxDiameterStep, 15)));
    case RequirementProblemCode::CountOutOfRange:
        return QStringLiteral("候補の数は 1～%1 にしてください").arg(kMaxCandidateCount);
    case RequirementProblemCode::MaterialNotListed:
        return QStringLiteral("材料番号 %1 は材料リストにありません").arg(p.value);
    case RequirementProblemCode::KindOutOfRange:
        return QStringLiteral("材料の種類 %1 は 0～9 の外です").arg(p.value);
    case RequirementProblemCode::NoMaterial:
        return QStringLiteral("探索する材料がありません");
    case RequirementProblemCode::HookAngleNotDrawable:
        return QStringLiteral("フック角度が0～180°の範囲外のため形状を描けません");
    }
    return {};
}

// A length as the main window's field will hold it once the candidate is put there (four
// significant digits): the candidate is then calculated from exactly what the window reads.
double asMainWindowField(double value) {
    return textToDouble(formatF4(value));
}

// A default of the requirement as its field shows it.
QString defaultText(double value) {
    return qt(formatGeneral(value, 15));
}

// The working points of a design as a requirement can take them: ordered by length, with the
// loads rising. None when the design's points cannot make one (not calculated, or not a spring).
std::optional<std::array<double, 4>> workingPoints(const SpringDesign& design) {
    std::array<double, 4> p{design.length1, design.load1, design.length2, design.load2};
    if (p[0] > p[2]) {
        std::swap(p[0], p[2]);
        std::swap(p[1], p[3]);
    }
    for (const double v : p)
        if (!std::isfinite(v) || !(v > 0))
            return std::nullopt;
    if (!(p[0] < p[2] && p[1] < p[3]))
        return std::nullopt;
    return p;
}

// The requirement is kept between runs in the user's settings, in a group of its own.
const QString kRequirementGroup = QStringLiteral("designSearch");

QString millimetres(double value) {
    return qt(formatF4(value)) + QStringLiteral(" mm");
}

QString percent(double value) {
    return QString::number(value, 'f', 1) + QStringLiteral(" %");
}

// A change to the requirement that would help, in the window's words.
QString hintText(const FitHint& hint, const DesignRequirement& r) {
    switch (hint.code) {
    case FitHintCode::GradeToleranceWiderThanWindow: {
        const QString grade = qt(kToleranceGradeTexts[static_cast<std::size_t>(r.toleranceGrade)]);
        const QString text = QStringLiteral("%1の荷重の許容差だけで荷重の ±%2 になり、荷重の許容差 "
                                            "±%3 に収まりません。")
                                 .arg(grade, percent(hint.share), percent(r.loadTolerance));
        const QString wider =
            QStringLiteral("荷重の許容差を ±%1 より広く").arg(percent(hint.share));
        return hint.grade == 0
                   ? text + wider + QStringLiteral("してください。")
                   : text +
                         QStringLiteral("許容差の等級を%1にするか、")
                             .arg(qt(kToleranceGradeTexts[static_cast<std::size_t>(hint.grade)])) +
                         wider + QStringLiteral("してください。");
    }
    case FitHintCode::RoomNarrowerThanWire:
        return QStringLiteral(
                   "外径の上限と内径の下限の差が、最も細い線 2 本分の %1 より小さく、"
                   "どの線も入りません。外径の上限を広げるか、内径の下限を下げてください。")
            .arg(millimetres(hint.least));
    case FitHintCode::OuterDiameterTooSmall:
        return QStringLiteral("外径の上限が、どの線で巻いても届かない小ささです（最小で %1）。"
                              "外径の上限を %1 以上にしてください。")
            .arg(millimetres(hint.least));
    case FitHintCode::FreeLengthTooShort: {
        const QString field = fieldLabel(hint.field);
        return QStringLiteral("%1が、どの線で作っても自由長さが収まらない短さです（最小で %2）。"
                              "%1を %2 以上にしてください。")
            .arg(field, millimetres(hint.least));
    }
    }
    return {};
}

// Why nothing was feasible, in the window's words.
QString explanationText(const SearchOutcome& outcome, const MaterialLibrary& library) {
    QString text = QStringLiteral("条件を満たす設計はありません（計算した設計 %1 件）。")
                       .arg(outcome.calculated);
    if (!outcome.explanation)
        return text;
    const SearchExplanation& why = *outcome.explanation;
    QStringList counts;
    for (int c = 0; c < kSearchConstraintCount; ++c)
        if (const std::uint64_t n = why.rejected[static_cast<std::size_t>(c)])
            counts << QStringLiteral("%1 %2 件").arg(QString::fromUtf8(kConstraintTexts[c])).arg(n);
    if (!counts.isEmpty())
        text += QStringLiteral("\n外れた条件: ") + counts.join(QStringLiteral("、"));
    if (why.nearestMiss) {
        const SearchCandidate near{0, why.nearestMiss->result};
        const CandidateRow row = candidateRow(near, library, japaneseWording());
        QStringList broken;
        for (const SearchConstraint c : why.nearestMiss->broken)
            broken << QString::fromUtf8(kConstraintTexts[static_cast<int>(c)]);
        text += QStringLiteral("\n最も近い設計: %1 d=%2 D=%3 N=%4（満たさない条件: %5）")
                    .arg(qt(row[1].text), qt(row[2].text), qt(row[3].text), qt(row[5].text),
                         broken.join(QStringLiteral("、")));
    }
    return text;
}

// Every requirement field's text: a list's entry, a box's "1" or "0".
QString widgetText(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        return list->currentText();
    if (const auto* box = qobject_cast<const QCheckBox*>(widget))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

void setWidgetText(QWidget* widget, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        // An entry no longer offered (a material gone from the library) keeps the default.
        if (const int index = list->findText(text); index >= 0)
            list->setCurrentIndex(index);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setChecked(text == QStringLiteral("1"));
    }
}

} // namespace

DesignSearchWindow::DesignSearchWindow(const ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("designSearchWindow"));
    setWindowTitle(QStringLiteral("設計候補の探索"));
    setFont(windowFont(12));
    buildForm();
    fillMaterialList();
    requirementRestored_ = restoreRequirement();
    for (QWidget* widget : requirementWidgets()) {
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            connect(edit, &QLineEdit::textChanged, this, &DesignSearchWindow::requirementEdited);
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            connect(list, &QComboBox::currentIndexChanged, this,
                    &DesignSearchWindow::requirementEdited);
        else if (auto* box = qobject_cast<QCheckBox*>(widget))
            connect(box, &QCheckBox::toggled, this, &DesignSearchWindow::requirementEdited);
    }
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this,
            &DesignSearchWindow::searchFinished);
}

DesignSearchWindow::~DesignSearchWindow() {
    stopAndWait();
}

void DesignSearchWindow::buildForm() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildRequirement());
    layout->addLayout(buildRunRow());
    staleLabel_ = new QLabel(QStringLiteral("要求が変更されました。一覧は変更前の要求による結果です"
                                            "（「探索」で更新します）。"),
                             this);
    staleLabel_->setObjectName(QStringLiteral("staleLabel"));
    staleLabel_->setWordWrap(true);
    staleLabel_->setStyleSheet(QStringLiteral("color: #c00000;"));
    staleLabel_->setVisible(false);
    layout->addWidget(staleLabel_);
    layout->addWidget(buildTable(), 1);
    explanationLabel_ = new QLabel(this);
    explanationLabel_->setObjectName(QStringLiteral("explanationLabel"));
    explanationLabel_->setWordWrap(true);
    explanationLabel_->setVisible(false);
    layout->addWidget(explanationLabel_);
    layout->addLayout(buildButtonRow());
    connect(hookTypeList_, &QComboBox::currentIndexChanged, this,
            &DesignSearchWindow::updateHookFields);
    updateHookFields();
}

// The requirement's fields, each with its caption and unit, filled with the defaults of
// DesignRequirement.
QGroupBox* DesignSearchWindow::buildRequirement() {
    const DesignRequirement defaults;
    auto* group = new QGroupBox(QStringLiteral("要求"), this);
    auto* grid = new QGridLayout(group);
    const auto addRow = [grid](int row, int column, RequirementKey key, QWidget* field,
                               const QString& unit) {
        describeNumberField(field, fieldLabel(key), unit);
        grid->addWidget(new QLabel(fieldLabel(key)), row, column * 3);
        grid->addWidget(field, row, column * 3 + 1);
        auto* unitLabel = new QLabel(unit);
        grid->addWidget(unitLabel, row, column * 3 + 2);
        return unitLabel;
    };
    const QString mm = QStringLiteral("mm");
    length1Field_ = makeField(this, "length1Field");
    load1Field_ = makeField(this, "load1Field");
    length2Field_ = makeField(this, "length2Field");
    load2Field_ = makeField(this, "load2Field");
    toleranceField_ = makeField(this, "toleranceField", defaultText(defaults.loadTolerance));
    // The room is optional: an empty field sets no limit.
    constexpr NumberField::Presence optional = NumberField::Presence::Optional;
    maxOuterDiameterField_ = makeField(this, "maxOuterDiameterField", {}, optional);
    minInnerDiameterField_ = makeField(this, "minInnerDiameterField", {}, optional);
    maxFreeLengthField_ = makeField(this, "maxFreeLengthField", {}, optional);
    addRow(0, 0, RequirementKey::Length1, length1Field_, mm);
    loadUnitLabels_[0] = addRow(0, 1, RequirementKey::Load1, load1Field_, QStringLiteral("kgf"));
    addRow(1, 0, RequirementKey::Length2, length2Field_, mm);
    loadUnitLabels_[1] = addRow(1, 1, RequirementKey::Load2, load2Field_, QStringLiteral("kgf"));
    addRow(2, 0, RequirementKey::LoadTolerance, toleranceField_, QStringLiteral("％"));
    gradeList_ = makeList(this, "gradeList");
    for (const int grade : kGrades)
        gradeList_->addItem(gradeText(grade));
    gradeList_->setCurrentIndex(static_cast<int>(
        std::find(std::begin(kGrades), std::end(kGrades), defaults.toleranceGrade) -
        std::begin(kGrades)));
    addRow(2, 1, RequirementKey::ToleranceGrade, gradeList_, {});
    addRow(3, 0, RequirementKey::MaxOuterDiameter, maxOuterDiameterField_, mm);
    addRow(3, 1, RequirementKey::MinInnerDiameter, minInnerDiameterField_, mm);
    addRow(4, 0, RequirementKey::MaxFreeLength, maxFreeLengthField_, mm);
    lifeList_ = makeList(this, "lifeList");
    lifeList_->addItem(QStringLiteral("指定なし"));
    for (int lifeClass = 0; lifeClass < kShortestLifeClass; ++lifeClass)
        lifeList_->addItem(qt(lifeClassText(lifeClass)) + QStringLiteral("回以上"), lifeClass);
    addRow(4, 1, RequirementKey::RequiredLifeClass, lifeList_, {});
    addMaterialAndHookRows(grid, defaults);
    return group;
}

// The rows of the material, the hooks, the grid and the ranking.
void DesignSearchWindow::addMaterialAndHookRows(QGridLayout* grid,
                                                const DesignRequirement& defaults) {
    const auto addRow = [grid](int row, int column, const QString& caption, QWidget* field,
                               const QString& unit) {
        describeNumberField(field, caption, unit);
        grid->addWidget(new QLabel(caption), row, column * 3);
        grid->addWidget(field, row, column * 3 + 1);
        grid->addWidget(new QLabel(unit), row, column * 3 + 2);
    };
    const QString mm = QStringLiteral("mm");
    materialList_ = makeList(this, "materialList");
    addRow(5, 0, fieldLabel(RequirementKey::Materials), materialList_, {});
    annealedBox_ = new QCheckBox(fieldLabel(RequirementKey::LowTempAnnealed), this);
    annealedBox_->setObjectName(QStringLiteral("annealedBox"));
    grid->addWidget(annealedBox_, 5, 4, 1, 2);
    hookTypeList_ = makeList(this, "hookTypeList");
    hookTypeList_->addItems({qt(hookTypeText(HookType::Round)), qt(hookTypeText(HookType::U))});
    addRow(6, 0, fieldLabel(RequirementKey::HookType), hookTypeList_, {});
    hookAngleField_ = makeField(this, "hookAngleField", defaultText(defaults.hookAngle));
    hookLengthField_ = makeField(this, "hookLengthField", defaultText(defaults.hookLength));
    hookOpeningField_ = makeField(this, "hookOpeningField", defaultText(defaults.hookOpening));
    hookMinRadiusField_ =
        makeField(this, "hookMinRadiusField", defaultText(defaults.hookMinRadius));
    addRow(7, 0, fieldLabel(RequirementKey::HookAngle), hookAngleField_, QStringLiteral("°"));
    addRow(7, 1, fieldLabel(RequirementKey::HookLength), hookLengthField_, mm);
    addRow(8, 0, fieldLabel(RequirementKey::HookOpening), hookOpeningField_, mm);
    addRow(8, 1, fieldLabel(RequirementKey::HookMinRadius), hookMinRadiusField_, mm);
    diameterStepField_ = makeField(this, "diameterStepField", defaultText(defaults.diameterStep));
    addRow(9, 0, fieldLabel(RequirementKey::DiameterStep), diameterStepField_, mm);
    objectiveList_ = makeList(this, "objectiveList");
    for (const char* text : kObjectiveTexts)
        objectiveList_->addItem(QString::fromUtf8(text));
    addRow(9, 1, fieldLabel(RequirementKey::Objective), objectiveList_, {});
    countField_ = makeField(this, "countField", QString::number(defaults.count));
    addRow(10, 0, fieldLabel(RequirementKey::Count), countField_, QStringLiteral("件"));
}

QHBoxLayout* DesignSearchWindow::buildRunRow() {
    fromDesignButton_ = makeButton(this, "fromDesignButton", QStringLiteral("現在の設計から"));
    searchButton_ = makeButton(this, "searchButton", QStringLiteral("探索"));
    cancelButton_ = makeButton(this, "cancelButton", QStringLiteral("中止"));
    cancelButton_->setEnabled(false);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setRange(0, kProgressSteps);
    progressBar_->setValue(0);
    auto* run = new QHBoxLayout;
    run->addWidget(fromDesignButton_);
    run->addWidget(searchButton_);
    run->addWidget(cancelButton_);
    run->addWidget(progressBar_, 1);
    connect(fromDesignButton_, &QPushButton::clicked, this, [this] {
        if (designSource_)
            if (const std::optional<std::pair<SpringDesign, HookType>> design = designSource_())
                fillFromDesign(design->first, design->second);
    });
    connect(searchButton_, &QPushButton::clicked, this, &DesignSearchWindow::startSearch);
    connect(cancelButton_, &QPushButton::clicked, this, &DesignSearchWindow::cancelSearch);
    return run;
}

QTableWidget* DesignSearchWindow::buildTable() {
    table_ = new QTableWidget(0, kCandidateColumnCount, this);
    table_->setObjectName(QStringLiteral("candidateTable"));
    showColumnTitles();
    table_->verticalHeader()->setVisible(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->setMinimumSize(1100, 300);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { applyButton_->setEnabled(selectedCandidate() != nullptr); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, &DesignSearchWindow::applySelected);
    return table_;
}

QHBoxLayout* DesignSearchWindow::buildButtonRow() {
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    applyButton_ = makeButton(this, "applyButton", QStringLiteral("メイン画面で計算"));
    applyButton_->setEnabled(false);
    QPushButton* closeButton = makeButton(this, "closeButton", QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(statusLabel_, 1);
    buttons->addWidget(applyButton_);
    buttons->addWidget(closeButton);
    connect(applyButton_, &QPushButton::clicked, this, &DesignSearchWindow::applySelected);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    return buttons;
}

// "すべての材料", then per kind its materials as a whole and one by one, as the main window's
// lists name them.
void DesignSearchWindow::fillMaterialList() {
    materialList_->clear();
    materialList_->addItem(QStringLiteral("すべての材料"), kAllMaterials);
    for (const KindListEntry& kind : kindList(state_.materials, state_.kindIndex)) {
        const QString kindName = qt(kind.name);
        materialList_->addItem(kindName + QStringLiteral("（すべて）"), kKindEntryBase + kind.kind);
        const std::vector<std::string> grades =
            gradeList(state_.materials, state_.kindIndex, kind.kind);
        for (int grade = 0; grade < static_cast<int>(grades.size()); ++grade)
            materialList_->addItem(kindName + QStringLiteral("　") + qt(grades[grade]),
                                   lookupMaterial(state_.kindIndex, kind.kind, grade));
    }
}

void DesignSearchWindow::updateHookFields() {
    const bool round = hookTypeList_->currentIndex() == 0;
    hookAngleField_->setEnabled(round);
    for (QLineEdit* field : {hookLengthField_, hookOpeningField_, hookMinRadiusField_})
        field->setEnabled(!round);
}

void DesignSearchWindow::fillFromDesign(const SpringDesign& design, HookType hookType) {
    const auto text = [](double value) { return qt(inputFieldText(value, 4).value_or("")); };
    // The working points only when they make a requirement (a design in load mode gives its
    // lengths only once calculated).
    if (const std::optional<std::array<double, 4>> points = workingPoints(design)) {
        length1Field_->setText(text((*points)[0]));
        load1Field_->setText(text(shownValue((*points)[1], units_)));
        length2Field_->setText(text((*points)[2]));
        load2Field_->setText(text(shownValue((*points)[3], units_)));
    }
    const int material = materialList_->findData(design.materialIndex);
    materialList_->setCurrentIndex(material >= 0 ? material : 0);
    annealedBox_->setChecked(design.lowTempAnnealed != 0);
    hookTypeList_->setCurrentIndex(hookType == HookType::U ? 1 : 0);
    hookAngleField_->setText(text(design.hookAngle));
    hookLengthField_->setText(text(design.hookLength));
    hookOpeningField_->setText(text(design.hookOpening));
    hookMinRadiusField_->setText(text(design.hookMinRadius));
}

QList<QWidget*> DesignSearchWindow::requirementWidgets() const {
    return {length1Field_,       load1Field_,        length2Field_,          load2Field_,
            toleranceField_,     gradeList_,         maxOuterDiameterField_, minInnerDiameterField_,
            maxFreeLengthField_, lifeList_,          materialList_,          annealedBox_,
            hookTypeList_,       hookAngleField_,    hookLengthField_,       hookOpeningField_,
            hookMinRadiusField_, diameterStepField_, objectiveList_,         countField_};
}

QStringList DesignSearchWindow::requirementTexts() const {
    QStringList texts;
    for (const QWidget* widget : requirementWidgets())
        texts << widgetText(widget);
    return texts;
}

void DesignSearchWindow::keepRequirement() const {
    QSettings settings = userSettings();
    settings.beginGroup(kRequirementGroup);
    for (const QWidget* widget : requirementWidgets())
        settings.setValue(widget->objectName(), widgetText(widget));
}

bool DesignSearchWindow::restoreRequirement() {
    QSettings settings = userSettings();
    settings.beginGroup(kRequirementGroup);
    if (settings.childKeys().isEmpty())
        return false;
    for (QWidget* widget : requirementWidgets())
        if (settings.contains(widget->objectName()))
            setWidgetText(widget, settings.value(widget->objectName()).toString());
    return true;
}

// Kept at once, so that a crash loses no requirement; the list greyed while it is of another.
void DesignSearchWindow::requirementEdited() {
    keepRequirement();
    const bool stale =
        !running_ && !searchedTexts_.isEmpty() && requirementTexts() != searchedTexts_;
    if (stale == listStale_)
        return;
    listStale_ = stale;
    staleLabel_->setVisible(stale);
    explanationLabel_->setEnabled(!stale);
    const QBrush text = stale ? palette().brush(QPalette::Disabled, QPalette::Text) : QBrush();
    for (int row = 0; row < table_->rowCount(); ++row)
        for (int column = 0; column < table_->columnCount(); ++column)
            if (QTableWidgetItem* item = table_->item(row, column))
                item->setForeground(text);
}

void DesignSearchWindow::setDesignSource(
    std::function<std::optional<std::pair<SpringDesign, HookType>>()> source) {
    designSource_ = std::move(source);
}

void DesignSearchWindow::setApplyHandler(std::function<void(const SearchCandidate&)> apply) {
    apply_ = std::move(apply);
}

DesignRequirement DesignSearchWindow::readRequirement() const {
    DesignRequirement r;
    r.length1 = asMainWindowField(length1Field_->number());
    r.load1 = storedValue(load1Field_->number(), units_);
    r.length2 = asMainWindowField(length2Field_->number());
    r.load2 = storedValue(load2Field_->number(), units_);
    r.loadTolerance = toleranceField_->number();
    r.toleranceGrade = kGrades[std::max(0, gradeList_->currentIndex())];
    r.maxOuterDiameter = maxOuterDiameterField_->value();
    r.minInnerDiameter = minInnerDiameterField_->value();
    r.maxFreeLength = maxFreeLengthField_->value();
    if (lifeList_->currentIndex() > 0)
        r.requiredLifeClass = lifeList_->currentData().toInt();
    const int material = materialList_->currentData().toInt();
    if (material >= kKindEntryBase)
        r.kinds = {material - kKindEntryBase};
    else if (material >= 0)
        r.materials = {material};
    r.lowTempAnnealed = annealedBox_->isChecked();
    r.hookType = hookTypeList_->currentIndex() == 1 ? HookType::U : HookType::Round;
    r.hookAngle = hookAngleField_->number();
    r.hookLength = hookLengthField_->number();
    r.hookOpening = hookOpeningField_->number();
    r.hookMinRadius = hookMinRadiusField_->number();
    r.diameterStep = diameterStepField_->number();
    r.objective = kObjectives[std::max(0, objectiveList_->currentIndex())];
    r.count = countField_->integer();
    if (const std::optional<RequirementProblem> problem = checkRequirement(r, state_.materials))
        throw Error(Problem::BadData, {}, utf8(problemText(*problem)));
    return r;
}

bool DesignSearchWindow::searching() const {
    return running_;
}

void DesignSearchWindow::startSearch() {
    if (searching())
        return;
    DesignRequirement requirement;
    if (!runReportingErrors(this, [&] { requirement = readRequirement(); }))
        return;

    searchedRequirement_ = requirement;
    searchedTexts_ = requirementTexts();
    listStale_ = false;
    staleLabel_->setVisible(false);
    auto library = std::make_shared<const MaterialLibrary>(state_.materials);
    const CoefficientSet coefficients = state_.settings.coefficients;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    searchedLibrary_ = library;
    running_ = true;
    candidates_.clear();
    table_->setRowCount(0);
    explanationLabel_->setVisible(false);
    applyButton_->setEnabled(false);
    searchButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    progressBar_->setFormat(QStringLiteral("%p%"));
    progressBar_->setValue(0);
    statusLabel_->setText(QStringLiteral("探索中…"));

    // The progress comes from the searching threads; it is shown on this window's thread. The
    // window waits for the search before it goes, so the pointer outlives every call.
    DesignSearchWindow* window = this;
    const std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    watcher_.setFuture(QtConcurrent::run([=]() {
        SearchControl control;
        control.cancel = cancel.get();
        control.progress = [window](std::uint64_t done, std::uint64_t total) {
            QMetaObject::invokeMethod(
                window, [window, done, total] { window->showProgress(done, total); },
                Qt::QueuedConnection);
        };
        Outcome result;
        try {
            result.outcome = searchDesigns(requirement, *library, coefficients, control);
        } catch (const std::exception& failure) {
            result.error = errorText(failure).toStdString();
        }
        return result;
    }));
}

void DesignSearchWindow::cancelSearch() {
    if (cancel_)
        cancel_->store(true);
}

void DesignSearchWindow::stopAndWait() {
    cancelSearch();
    watcher_.waitForFinished();
}

void DesignSearchWindow::closeEvent(QCloseEvent* event) {
    cancelSearch();
    QDialog::closeEvent(event);
}

// The bar in thousandths of the candidates the pruned grid may calculate at most: the counts
// run beyond what a progress bar's int holds.
void DesignSearchWindow::showProgress(std::uint64_t done, std::uint64_t total) {
    if (!running_)
        return; // a late report of a search already ended
    progressBar_->setValue(
        total == 0 ? 0 : static_cast<int>(std::min(done, total) * kProgressSteps / total));
}

void DesignSearchWindow::searchFinished() {
    const Outcome result = watcher_.result();
    running_ = false;
    searchButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    if (!result.error.empty()) {
        searchedTexts_.clear();
        statusLabel_->setText(QStringLiteral("探索できませんでした"));
        showErrorBox(this, std::runtime_error(result.error));
    } else if (result.outcome.cancelled) {
        // The bar stays where the work stopped.
        searchedTexts_.clear();
        progressBar_->setFormat(QStringLiteral("%p% 中止"));
        statusLabel_->setText(QStringLiteral("探索を中止しました"));
    } else {
        candidates_ = result.outcome.candidates;
        progressBar_->setValue(progressBar_->maximum());
        statusLabel_->setText(
            candidates_.empty()
                ? QStringLiteral("条件を満たす設計はありません（計算した設計 %1 件）")
                      .arg(result.outcome.calculated)
                : QStringLiteral("候補 %1 件（計算した設計 %2 件、条件を満たす設計 %3 件）")
                      .arg(candidates_.size())
                      .arg(result.outcome.calculated)
                      .arg(result.outcome.feasible));
        if (candidates_.empty()) {
            QString text = explanationText(result.outcome, *searchedLibrary_);
            for (const FitHint& hint :
                 fitHints(searchedRequirement_, *searchedLibrary_, result.outcome))
                text += QLatin1Char('\n') + hintText(hint, searchedRequirement_);
            explanationLabel_->setText(text);
            explanationLabel_->setVisible(true);
        }
        showCandidates();
    }
    // What was typed while the search ran.
    listStale_ = false;
    staleLabel_->setVisible(false);
    explanationLabel_->setEnabled(true);
    requirementEdited();
    emit searchEnded();
}

void DesignSearchWindow::showCandidates() {
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(candidates_.size()));
    for (int row = 0; row < static_cast<int>(candidates_.size()); ++row) {
        const CandidateRow cells = candidateRow(candidates_[static_cast<std::size_t>(row)],
                                                *searchedLibrary_, japaneseWording(), units_);
        for (int column = 0; column < kCandidateColumnCount; ++column) {
            auto* item = new CandidateItem(cells[static_cast<std::size_t>(column)], row);
            if (column == 1)
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
    table_->setSortingEnabled(true);
    table_->sortByColumn(kRankColumn, Qt::AscendingOrder);
    table_->resizeColumnsToContents();
}

const SearchCandidate* DesignSearchWindow::selectedCandidate() const {
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int index = selected.front()->data(Qt::UserRole).toInt();
    return index >= 0 && index < static_cast<int>(candidates_.size())
               ? &candidates_[static_cast<std::size_t>(index)]
               : nullptr;
}

void DesignSearchWindow::applySelected() {
    const SearchCandidate* candidate = selectedCandidate();
    if (candidate && apply_)
        apply_(*candidate);
}

// The titles end in their unit ("荷重 P1 kgf"), named in the window's units.
void DesignSearchWindow::showColumnTitles() {
    QStringList titles;
    for (const std::string_view title : kCandidateColumnTitles) {
        const std::size_t unitStart = title.rfind(' ') + 1;
        titles << qt(std::string(title.substr(0, unitStart)) +
                     unitInSystem(title.substr(unitStart), units_));
    }
    table_->setHorizontalHeaderLabels(titles);
}

void DesignSearchWindow::setUnitSystem(UnitSystem units) {
    if (units == units_)
        return;
    for (NumberField* field : {load1Field_, load2Field_})
        if (const std::optional<double> held = field->heldNumber())
            if (const auto text = inputFieldText(shownValue(storedValue(*held, units_), units), 4))
                field->setText(qt(*text));
    units_ = units;
    const QString unit = qt(std::string(unitText(ForceQuantity::Load, units)));
    for (NumberField* field : {load1Field_, load2Field_})
        field->describe(field->caption(), unit);
    for (QLabel* label : loadUnitLabels_)
        label->setText(unit);
    showColumnTitles();
    if (!candidates_.empty() && searchedLibrary_)
        showCandidates();
}

} // namespace hspring
