// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/windows/material_editor.h"

#include "data/material_editing.h"
#include "data/windows/material_grid.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/file_dialogs.h"
#include "toolkit/windows/number_field.h"
#include "toolkit/windows/placement.h"
#include "wording/japanese.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace hspring {

namespace {

const QString kMaterialFileFilters =
    QStringLiteral("材料のデーター (*.dst);;すべてのファイル (*.*)");
const QString kMaterialFileSuffix = QStringLiteral("dst");
const QString kRestartMessage =
    QStringLiteral("材料特性を変更した場合は、ソフトを一度終了して下さい！");
const QString kClearQuestion = QStringLiteral("本当に現在のデーターNo.の内容を消去");

constexpr int kVisibleGridRows = 14;
const QPoint kGridPosition(16, 200);

// The kind number changes with the arrows (buttons, keys, wheel) only; its text takes no typing.
class ArrowsOnlySpinBox : public QSpinBox {
public:
    explicit ArrowsOnlySpinBox(QWidget* parent) : QSpinBox(parent) {
        lineEdit()->setReadOnly(true);
    }
};

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
std::string toUtf8(const QString& text) {
    return text.toStdString();
}

// A number field of the editor, kDialogFieldHeight high.
NumberField* placeNumberField(QWidget* parent, const char* objectName, QPoint topLeft, int width) {
    return placeWidget(new NumberField(parent), QString::fromLatin1(objectName),
                       QRect(topLeft, QSize(width, kDialogFieldHeight)));
}

} // namespace

// The values on screen as a store reads them: the numbers through their fields, so the field
// that holds no number is the one left with the focus.
class MaterialEditorDialog::FieldsInput : public MaterialRecordInput {
public:
    explicit FieldsInput(MaterialEditorDialog& editor) : editor_(editor) {}

    std::string text(MaterialField field) override {
        return toUtf8(field == MaterialField::KindName ? editor_.kindNameField_->text()
                                                       : editor_.gradeSymbolField_->text());
    }
    double number(MaterialField field) override {
        return (field == MaterialField::ShearModulus ? editor_.shearModulusField_
                                                     : editor_.youngModulusField_)
            ->number();
    }
    std::int32_t integer(MaterialField field) override {
        return (field == MaterialField::TorsionPercent ? editor_.torsionField_
                                                       : editor_.bendingField_)
            ->integer();
    }
    std::int32_t kind() override { return editor_.kindSpin_->value(); }
    std::string cellText(int entry, TableColumn column) override {
        return toUtf8(editor_.grid_->entryText(entry, static_cast<int>(column)));
    }

private:
    MaterialEditorDialog& editor_;
};

MaterialEditorDialog::MaterialEditorDialog(MaterialLibrary& materials, QWidget* parent)
    : QDialog(parent), materials_(materials) {
    setObjectName(QStringLiteral("data_make"));
    setWindowTitle(QStringLiteral("data_make"));
    setModal(true);
    setFont(windowFont(12));
    buildFields();
    buildButtons();
    setFixedSize(532, kGridPosition.y() + grid_->height() + 12);
    showEditorRecord(0);
}

void MaterialEditorDialog::buildFields() {
    placeLabel(this, "データーNo", {8, 12});
    recordNumberField_ = placeField(this, "Edit7", {96, 8}, 41);
    recordNumberField_->setReadOnly(true);

    placeLabel(this, "材料の種類", {8, 36});
    kindNameField_ = placeField(this, "Edit1", {96, 32}, 177);
    placeLabel(this, "材料の記号", {8, 60});
    gradeSymbolField_ = placeField(this, "Edit2", {96, 56}, 177);

    placeLabel(this, "横弾性係数", {8, 84});
    shearModulusField_ = placeNumberField(this, "Edit3", {96, 80}, 105);
    shearModulusField_->describe(QStringLiteral("横弾性係数"), QStringLiteral("N/mm^2"));
    placeLabel(this, "N/mm^2", {204, 84});
    placeLabel(this, "縦弾性係数", {258, 84});
    youngModulusField_ = placeNumberField(this, "Edit5", {320, 80}, 105);
    youngModulusField_->describe(QStringLiteral("縦弾性係数"), QStringLiteral("N/mm^2"));
    placeLabel(this, "N/mm^2", {428, 84});

    placeLabel(this, "ねじり応力比", {8, 108});
    torsionField_ = placeNumberField(this, "Edit10", {96, 104}, 57);
    torsionField_->describe(QStringLiteral("ねじり応力比"), QStringLiteral("%"));
    placeLabel(this, "%", {157, 108});
    placeLabel(this, "曲げ応力比", {8, 132});
    bendingField_ = placeNumberField(this, "Edit11", {96, 128}, 57);
    bendingField_->describe(QStringLiteral("曲げ応力比"), QStringLiteral("%"));
    placeLabel(this, "%", {157, 132});
    placeLabel(this, "データーの数", {8, 156});
    diameterCountField_ = placeField(this, "Edit4", {96, 152}, 57);
    diameterCountField_->setReadOnly(true);

    placeLabel(this, "種類番号", {296, 36});
    kindSpin_ = new ArrowsOnlySpinBox(this);
    kindSpin_->setObjectName(QStringLiteral("SE1"));
    kindSpin_->setRange(kLowestKind, kHighestKind);
    kindSpin_->setGeometry(368, 32, 49, kDialogFieldHeight);
    connect(kindSpin_, &QSpinBox::valueChanged, this, [this] { showKindCount(true); });
    placeLabel(this, "種類別登録数", {290, 60});
    kindCountField_ = placeField(this, "Edit9", {368, 56}, 49);
    kindCountField_->setReadOnly(true);
    placeLabel(this, "max=8", {422, 60});

    placeLabel(this, "コメント", {176, 106});
    comments_ = new QListWidget(this);
    comments_->setObjectName(QStringLiteral("ListBox1"));
    comments_->setToolTip(QStringLiteral("ダブルクリックでクリアー"));
    comments_->setGeometry(176, 120, 272, 49);
    comments_->viewport()->installEventFilter(this);

    grid_ = new MaterialGrid(this);
    grid_->setObjectName(QStringLiteral("SG1"));
    grid_->setGeometry(QRect(kGridPosition, grid_->sizeForRows(kVisibleGridRows)));
}

void MaterialEditorDialog::buildButtons() {
    auto button = [this](const char* name, const char* text, QRect geometry,
                         void (MaterialEditorDialog::*handler)()) {
        placeButton(this, name, text, geometry, [this, handler] {
            runReportingErrors(this, [this, handler] { (this->*handler)(); });
        });
    };
    button("BitBtn1", "load", {448, 8, 75, 25}, &MaterialEditorDialog::loadLibrary);
    button("BitBtn2", "save", {448, 38, 75, 25}, &MaterialEditorDialog::saveLibrary);
    button("BitBtn3", "▲", {142, 6, 25, 25}, &MaterialEditorDialog::nextRecord);
    button("BitBtn4", "▼", {170, 6, 25, 25}, &MaterialEditorDialog::previousRecord);
    button("BitBtn8", "消去", {16, 174, 75, 23}, &MaterialEditorDialog::clearRecord);
    button("BitBtn6", "行挿入", {96, 174, 75, 23}, &MaterialEditorDialog::insertRow);
    button("BitBtn7", "行削除", {176, 174, 75, 23}, &MaterialEditorDialog::deleteRow);
}

void MaterialEditorDialog::showEditorRecord(int index) {
    editIndex_ = index;
    const MaterialRecordTexts texts = materialRecordTexts(recordOnScreen());
    recordNumberField_->setText(QString::number(index));
    kindNameField_->setText(fromUtf8(texts.kindName));
    gradeSymbolField_->setText(fromUtf8(texts.gradeSymbol));
    shearModulusField_->setText(fromUtf8(texts.shearModulus));
    youngModulusField_->setText(fromUtf8(texts.youngModulus));
    diameterCountField_->setText(fromUtf8(texts.diameterCount));
    torsionField_->setText(fromUtf8(texts.torsionPercent));
    bendingField_->setText(fromUtf8(texts.bendingPercent));
    for (int j = 0; j < kMaxDiameters; ++j)
        for (int c = 0; c < kTableColumnCount; ++c)
            grid_->setEntryText(j, c, fromUtf8(texts.table[j][c]));

    // A new kind number warns like a turn of the arrows; the count is refreshed in any case,
    // because another record may have changed it.
    const bool kindChanges = kindSpin_->value() != texts.kind;
    {
        const QSignalBlocker quiet(kindSpin_);
        kindSpin_->setValue(texts.kind);
    }
    showKindCount(kindChanges);
}

void MaterialEditorDialog::storeEditorRecord() {
    grid_->commitEditing();
    FieldsInput input(*this);
    const std::int32_t count = storeMaterialRecord(input, recordOnScreen());
    diameterCountField_->setText(QString::number(count));
}

void MaterialEditorDialog::showKindCount(bool warn) {
    const int kind = kindSpin_->value();
    const int count = kindRegistrationCount(materials_, kind, editIndex_);
    kindCountField_->setText(QString::number(count));
    if (!warn)
        return;
    if (kindOverLimit(kind, count))
        comments_->addItem(fromUtf8(kindLimitText(kind)));
}

void MaterialEditorDialog::nextRecord() {
    storeEditorRecord();
    if (editIndex_ < kMaterialCount - 1)
        showEditorRecord(editIndex_ + 1);
}

void MaterialEditorDialog::previousRecord() {
    storeEditorRecord();
    if (editIndex_ > 0)
        showEditorRecord(editIndex_ - 1);
}

void MaterialEditorDialog::saveLibrary() {
    storeEditorRecord();
    const auto path =
        askSaveFile(this, kMaterialFileFilters, proposedSaveFile_, kMaterialFileSuffix);
    if (!path)
        return;
    markEmptyRecords(materials_);
    saveMaterialLibrary(*path, materials_);
    QMessageBox message(QMessageBox::Information, QStringLiteral("情報"), kRestartMessage,
                        QMessageBox::Yes, this);
    message.exec();
}

void MaterialEditorDialog::loadLibrary() {
    const auto path = askOpenFile(this, kMaterialFileFilters);
    if (!path)
        return;
    loadMaterialLibrary(*path, materials_);
    markEmptyRecords(materials_);
    showEditorRecord(0);
}

void MaterialEditorDialog::clearRecord() {
    QMessageBox question(QMessageBox::Question, QStringLiteral("確認"), kClearQuestion,
                         QMessageBox::Yes | QMessageBox::No, this);
    if (question.exec() != QMessageBox::Yes)
        return;
    clearMaterialRecord(recordOnScreen());
    showEditorRecord(editIndex_);
}

void MaterialEditorDialog::insertRow() {
    storeEditorRecord();
    insertTableEntry(recordOnScreen(), grid_->currentEntry());
    showEditorRecord(editIndex_);
}

void MaterialEditorDialog::deleteRow() {
    storeEditorRecord();
    deleteTableEntry(recordOnScreen(), grid_->currentEntry());
    showEditorRecord(editIndex_);
}

bool MaterialEditorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == comments_->viewport() && event->type() == QEvent::MouseButtonDblClick)
        comments_->clear();
    return QDialog::eventFilter(watched, event);
}

} // namespace hspring
