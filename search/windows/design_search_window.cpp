#include "search/windows/design_search_window.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/life.h"
#include "data/material_library.h"
#include "data/short_string.h"
#include "search/candidate_table.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/error_text.h"

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

// The material list's entries: every material, every material of a kind, or one record.
constexpr int kAllMaterials = -1;
constexpr int kKindEntryBase = 1000; // kKindEntryBase + kind

// The objectives in the order of their list.
constexpr SearchObjective kObjectives[] = {SearchObjective::Mass, SearchObjective::Life,
                                           SearchObjective::Margin};

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

QLineEdit* makeField(QWidget* parent, const char* name, const QString& text = {}) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaximumWidth(90);
    return field;
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

// A number of a field; an empty optional field gives nothing.
double fieldNumber(const QLineEdit* field) {
    return textToDouble(utf8(field->text()));
}
std::optional<double> optionalNumber(const QLineEdit* field) {
    if (field->text().trimmed().isEmpty())
        return std::nullopt;
    return fieldNumber(field);
}

// A length as the main window's field will hold it once the candidate is put there (four
// significant digits): the candidate is then calculated from exactly what the window reads.
double asMainWindowField(double value) {
    return textToDouble(formatF4(value));
}

} // namespace

DesignSearchWindow::DesignSearchWindow(const ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("designSearchWindow"));
    setWindowTitle(QStringLiteral("設計候補の探索"));
    setFont(windowFont(12));
    buildForm();
    fillMaterialList();
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this,
            &DesignSearchWindow::searchFinished);
}

DesignSearchWindow::~DesignSearchWindow() {
    stopAndWait();
}

void DesignSearchWindow::buildForm() {
    auto* requirement = new QGroupBox(QStringLiteral("要求"), this);
    auto* grid = new QGridLayout(requirement);
    const auto addRow = [grid](int row, int column, const QString& caption, QWidget* field,
                               const QString& unit) {
        grid->addWidget(new QLabel(caption), row, column * 3);
        grid->addWidget(field, row, column * 3 + 1);
        grid->addWidget(new QLabel(unit), row, column * 3 + 2);
    };
    length1Field_ = makeField(this, "length1Field");
    load1Field_ = makeField(this, "load1Field");
    length2Field_ = makeField(this, "length2Field");
    load2Field_ = makeField(this, "load2Field");
    toleranceField_ = makeField(this, "toleranceField", QStringLiteral("10"));
    maxOuterDiameterField_ = makeField(this, "maxOuterDiameterField");
    minInnerDiameterField_ = makeField(this, "minInnerDiameterField");
    maxFreeLengthField_ = makeField(this, "maxFreeLengthField");
    addRow(0, 0, QStringLiteral("長さ（Ｌ１）"), length1Field_, QStringLiteral("mm"));
    addRow(0, 1, QStringLiteral("荷重(P1)"), load1Field_, QStringLiteral("kgf"));
    addRow(1, 0, QStringLiteral("長さ（Ｌ２）"), length2Field_, QStringLiteral("mm"));
    addRow(1, 1, QStringLiteral("荷重(P2)"), load2Field_, QStringLiteral("kgf"));
    addRow(2, 0, QStringLiteral("荷重の許容差"), toleranceField_, QStringLiteral("％"));
    addRow(2, 1, QStringLiteral("外径の上限"), maxOuterDiameterField_, QStringLiteral("mm"));
    addRow(3, 0, QStringLiteral("内径の下限"), minInnerDiameterField_, QStringLiteral("mm"));
    addRow(3, 1, QStringLiteral("自由長さの上限"), maxFreeLengthField_, QStringLiteral("mm"));

    lifeList_ = makeList(this, "lifeList");
    lifeList_->addItem(QStringLiteral("指定なし"));
    for (int lifeClass = 0; lifeClass < kShortestLifeClass; ++lifeClass)
        lifeList_->addItem(qt(LifeTexts[static_cast<std::size_t>(lifeClass)]) +
                               QStringLiteral("回以上"),
                           lifeClass);
    addRow(4, 0, QStringLiteral("寿命"), lifeList_, {});
    materialList_ = makeList(this, "materialList");
    addRow(4, 1, QStringLiteral("材料"), materialList_, {});
    annealedBox_ = new QCheckBox(QStringLiteral("低温焼きなまし"), this);
    annealedBox_->setObjectName(QStringLiteral("annealedBox"));
    grid->addWidget(annealedBox_, 5, 4, 1, 2);

    hookTypeList_ = makeList(this, "hookTypeList");
    hookTypeList_->addItem(QStringLiteral("丸フック"));
    hookTypeList_->addItem(QStringLiteral("Ｕフック"));
    addRow(5, 0, QStringLiteral("フック"), hookTypeList_, {});
    hookAngleField_ = makeField(this, "hookAngleField", QStringLiteral("80"));
    hookLengthField_ = makeField(this, "hookLengthField", QStringLiteral("10"));
    hookOpeningField_ = makeField(this, "hookOpeningField", QStringLiteral("3"));
    hookMinRadiusField_ = makeField(this, "hookMinRadiusField", QStringLiteral("3"));
    addRow(6, 0, QStringLiteral("フック角度"), hookAngleField_, QStringLiteral("°"));
    addRow(6, 1, QStringLiteral("フック長さ"), hookLengthField_, QStringLiteral("mm"));
    addRow(7, 0, QStringLiteral("開口長さ"), hookOpeningField_, QStringLiteral("mm"));
    addRow(7, 1, QStringLiteral("最小Ｒ"), hookMinRadiusField_, QStringLiteral("mm"));

    diameterStepField_ = makeField(this, "diameterStepField", QStringLiteral("0.1"));
    addRow(8, 0, QStringLiteral("平均径の刻み"), diameterStepField_, QStringLiteral("mm"));
    objectiveList_ = makeList(this, "objectiveList");
    objectiveList_->addItems({QStringLiteral("軽い順"), QStringLiteral("寿命の長い順"),
                              QStringLiteral("応力の余裕の大きい順")});
    addRow(8, 1, QStringLiteral("並べ方"), objectiveList_, {});
    countField_ = makeField(this, "countField", QStringLiteral("20"));
    addRow(9, 0, QStringLiteral("候補の数"), countField_, QStringLiteral("件"));

    searchButton_ = makeButton(this, "searchButton", QStringLiteral("探索"));
    cancelButton_ = makeButton(this, "cancelButton", QStringLiteral("中止"));
    cancelButton_->setEnabled(false);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    auto* run = new QHBoxLayout;
    run->addWidget(searchButton_);
    run->addWidget(cancelButton_);
    run->addWidget(progressBar_, 1);

    table_ = new QTableWidget(0, kCandidateColumnCount, this);
    table_->setObjectName(QStringLiteral("candidateTable"));
    QStringList titles;
    for (const std::string_view title : kCandidateColumnTitles)
        titles << qt(title);
    table_->setHorizontalHeaderLabels(titles);
    table_->verticalHeader()->setVisible(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->setMinimumSize(1000, 300);

    applyButton_ = makeButton(this, "applyButton", QStringLiteral("メイン画面で計算"));
    applyButton_->setEnabled(false);
    QPushButton* closeButton = makeButton(this, "closeButton", QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(statusLabel_, 1);
    buttons->addWidget(applyButton_);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(requirement);
    layout->addLayout(run);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(searchButton_, &QPushButton::clicked, this, &DesignSearchWindow::startSearch);
    connect(cancelButton_, &QPushButton::clicked, this, &DesignSearchWindow::cancelSearch);
    connect(applyButton_, &QPushButton::clicked, this, &DesignSearchWindow::applySelected);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { applyButton_->setEnabled(selectedCandidate() != nullptr); });
    connect(table_, &QTableWidget::cellDoubleClicked, this, &DesignSearchWindow::applySelected);
    connect(hookTypeList_, &QComboBox::currentIndexChanged, this,
            &DesignSearchWindow::updateHookFields);
    updateHookFields();
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
    length1Field_->setText(text(design.length1));
    load1Field_->setText(text(design.load1));
    length2Field_->setText(text(design.length2));
    load2Field_->setText(text(design.load2));
    const int material = materialList_->findData(design.materialIndex);
    materialList_->setCurrentIndex(material >= 0 ? material : 0);
    annealedBox_->setChecked(design.lowTempAnnealed != 0);
    hookTypeList_->setCurrentIndex(hookType == HookType::U ? 1 : 0);
    hookAngleField_->setText(text(design.hookAngle));
    hookLengthField_->setText(text(design.hookLength));
    hookOpeningField_->setText(text(design.hookOpening));
    hookMinRadiusField_->setText(text(design.hookMinRadius));
}

void DesignSearchWindow::setApplyHandler(std::function<void(const SearchCandidate&)> apply) {
    apply_ = std::move(apply);
}

DesignRequirement DesignSearchWindow::readRequirement() const {
    DesignRequirement r;
    r.length1 = asMainWindowField(fieldNumber(length1Field_));
    r.load1 = fieldNumber(load1Field_);
    r.length2 = asMainWindowField(fieldNumber(length2Field_));
    r.load2 = fieldNumber(load2Field_);
    r.loadTolerance = fieldNumber(toleranceField_);
    r.maxOuterDiameter = optionalNumber(maxOuterDiameterField_);
    r.minInnerDiameter = optionalNumber(minInnerDiameterField_);
    r.maxFreeLength = optionalNumber(maxFreeLengthField_);
    if (lifeList_->currentIndex() > 0)
        r.requiredLifeClass = lifeList_->currentData().toInt();
    const int material = materialList_->currentData().toInt();
    if (material >= kKindEntryBase)
        r.kinds = {material - kKindEntryBase};
    else if (material >= 0)
        r.materials = {material};
    r.lowTempAnnealed = annealedBox_->isChecked();
    r.hookType = hookTypeList_->currentIndex() == 1 ? HookType::U : HookType::Round;
    r.hookAngle = fieldNumber(hookAngleField_);
    r.hookLength = fieldNumber(hookLengthField_);
    r.hookOpening = fieldNumber(hookOpeningField_);
    r.hookMinRadius = fieldNumber(hookMinRadiusField_);
    r.diameterStep = fieldNumber(diameterStepField_);
    r.objective = kObjectives[std::max(0, objectiveList_->currentIndex())];
    r.count = textToInt(utf8(countField_->text()));
    if (const std::optional<RequirementProblem> problem = checkRequirement(r, state_.materials))
        throw Error(Problem::BadData, {}, problem->japaneseMessage);
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

    auto library = std::make_shared<const MaterialLibrary>(state_.materials);
    const CoefficientSet coefficients = state_.settings.coefficients;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    searchedLibrary_ = library;
    running_ = true;
    candidates_.clear();
    table_->setRowCount(0);
    applyButton_->setEnabled(false);
    searchButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    statusLabel_->setText(QStringLiteral("探索中…"));

    // The progress comes from the searching threads; it is shown on this window's thread. The
    // window waits for the search before it goes, so the pointer outlives every call.
    DesignSearchWindow* window = this;
    const std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    watcher_.setFuture(QtConcurrent::run([=]() {
        SearchControl control;
        control.cancel = cancel.get();
        control.progress = [window](std::size_t done, std::size_t total) {
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

void DesignSearchWindow::showProgress(std::size_t done, std::size_t total) {
    progressBar_->setRange(0, static_cast<int>(total));
    progressBar_->setValue(static_cast<int>(done));
}

void DesignSearchWindow::searchFinished() {
    const Outcome result = watcher_.result();
    running_ = false;
    searchButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
    if (!result.error.empty()) {
        statusLabel_->setText(QStringLiteral("探索できませんでした"));
        showErrorBox(this, std::runtime_error(result.error));
    } else if (result.outcome.cancelled) {
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
        showCandidates();
    }
    emit searchEnded();
}

void DesignSearchWindow::showCandidates() {
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(candidates_.size()));
    for (int row = 0; row < static_cast<int>(candidates_.size()); ++row) {
        const CandidateRow cells =
            candidateRow(candidates_[static_cast<std::size_t>(row)], *searchedLibrary_);
        for (int column = 0; column < kCandidateColumnCount; ++column) {
            auto* item = new CandidateItem(cells[static_cast<std::size_t>(column)], row);
            if (column == 1)
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
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

} // namespace hspring
