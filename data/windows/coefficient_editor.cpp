// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/windows/coefficient_editor.h"

#include "data/coefficient_editing.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/number_field.h"
#include "toolkit/windows/placement.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>

namespace hspring {

namespace {

struct FieldText {
    const char* label;
    const char* hint; // the customary value, shown beside the field
};

// In the order of the coefficient set: the first three belong to the allowable stress, the other
// four to the initial tension.
constexpr FieldText kFieldTexts[kCoefficientCount] = {
    {"圧縮ばねと材料の許容ねじり応力の割合", "（　80%　）"},
    {"冷間引張りばねと圧縮ばねの許容ねじり応力割合", "（　80%　）"},
    {"引っ張りばねのフック部応力集中係数", "（ 1..25 ）"},
    {"ステンレス鋼線の減少割合", "(15%)"},
    {"低温焼なまししたピアノ線の減少割合", "(20%～35%)"},
    {"低温焼なましした硬鋼線の減少割合", "(20%～35%)"},
    {"低温焼なまししたステンレス鋼線の減少割合", "(15%～25%)"},
};
constexpr int kAllowableStressFields = 3;
// The design basis's row follows the allowable-stress fields: its items in DesignBasis order.
constexpr const char* kBasisTexts[] = {"JIS（JIS B 2704 の許容応力）",
                                       "ハンドブック（Associated Spring 表）"};

constexpr int kWindowWidth = 520;
constexpr int kGroupWidth = kWindowWidth - 16;
constexpr int kRowPitch = 28;
constexpr int kFirstRowTop = 24;
constexpr int kLabelLeft = 12;
constexpr int kFieldLeft = 300;
constexpr int kFieldWidth = 100;
constexpr int kHintLeft = 408;

int groupHeight(int rows) {
    return kFirstRowTop + rows * kRowPitch + 4;
}

} // namespace

CoefficientEditorDialog::CoefficientEditorDialog(SettingsRecord& settings,
                                                 const QString& settingsPath, QWidget* parent)
    : QDialog(parent), settings_(settings), settingsPath_(settingsPath) {
    setObjectName(QStringLiteral("keisuu_make"));
    setWindowTitle(QStringLiteral("keisuu_make"));
    setModal(true);
    setFont(windowFont(12));

    const int stressHeight = groupHeight(kAllowableStressFields + 1);
    const int tensionHeight = groupHeight(kCoefficientCount - kAllowableStressFields);
    QGroupBox* stressGroup =
        placeGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("許容応力の設定"),
                   QRect(8, 8, kGroupWidth, stressHeight));
    QGroupBox* tensionGroup =
        placeGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("初張力の設定"),
                   QRect(8, 16 + stressHeight, kGroupWidth, tensionHeight));

    const auto texts = coefficientTexts(settings_.coefficients);
    for (int i = 0; i < kCoefficientCount; ++i) {
        const bool stress = i < kAllowableStressFields;
        QGroupBox* group = stress ? stressGroup : tensionGroup;
        const int top = kFirstRowTop + (stress ? i : i - kAllowableStressFields) * kRowPitch;
        const QString name = QStringLiteral("Edit%1").arg(i + 1);
        placeLabel(group, kFieldTexts[i].label, {kLabelLeft, top + 4});
        fields_[i] = placeWidget(new NumberField(group), name,
                                 QRect(kFieldLeft, top, kFieldWidth, kDialogFieldHeight));
        fields_[i]->setText(QString::fromStdString(texts[i]));
        fields_[i]->describe(QString::fromUtf8(kFieldTexts[i].label));
        placeLabel(group, kFieldTexts[i].hint, {kHintLeft, top + 4});
    }

    const int basisTop = kFirstRowTop + kAllowableStressFields * kRowPitch;
    placeLabel(stressGroup, "設計基準", {kLabelLeft, basisTop + 4});
    basis_ = placeWidget(
        new QComboBox(stressGroup), QStringLiteral("ComboBasis"),
        QRect(kFieldLeft, basisTop, kWindowWidth - kFieldLeft - 24, kDialogFieldHeight));
    for (const char* text : kBasisTexts)
        basis_->addItem(QString::fromUtf8(text));
    basis_->setCurrentIndex(static_cast<int>(designBasisOf(settings_.coefficients)));

    const int buttonTop = tensionGroup->geometry().bottom() + 9;
    placeButton(this, "BitBtn1", "設定ボタン", {8, buttonTop, kGroupWidth, 28},
                [this] { runReportingErrors(this, [this] { saveCoefficients(); }); });
    setFixedSize(kWindowWidth, buttonTop + 28 + 8);
}

void CoefficientEditorDialog::saveCoefficients() {
    // In record order, each stored at once: a field that holds no number stops the store there
    // and takes the focus; the coefficients before it keep their new values.
    for (int i = 0; i < kCoefficientCount; ++i)
        storeCoefficient(i, fields_[i]->number(), settings_.coefficients);
    setDesignBasis(settings_.coefficients, static_cast<DesignBasis>(basis_->currentIndex()));
    saveSettings(QFile::encodeName(settingsPath_).toStdString(), settings_);
}

} // namespace hspring
