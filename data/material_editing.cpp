// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/material_editing.h"

#include "base/number_format.h"
#include "base/text_to_number.h"

#include <algorithm>
#include <utility>

namespace hspring {

namespace {

constexpr TableColumn kColumns[kTableColumnCount] = {
    TableColumn::Diameter, TableColumn::TensileStrength, TableColumn::AllowableTorsion,
    TableColumn::AllowableBending};

// The text that ends the table. Only these exact characters count: "0.0" or " 0" are entries.
constexpr std::string_view kTableEndText = "0";

void setEntry(MaterialRecord& record, int entry, double value) {
    for (TableColumn column : kColumns)
        tableColumn(record, column)[entry] = value;
}

void zeroEntriesFrom(MaterialRecord& record, int firstEntry) {
    for (int j = firstEntry; j < kMaxDiameters; ++j)
        setEntry(record, j, 0);
}

} // namespace

const double* tableColumn(const MaterialRecord& record, TableColumn column) {
    switch (column) {
    case TableColumn::Diameter:
        return record.diameters;
    case TableColumn::TensileStrength:
        return record.tensileStrength;
    case TableColumn::AllowableTorsion:
        return record.allowableTorsion;
    case TableColumn::AllowableBending:
        return record.allowableBending;
    }
    return record.diameters;
}

double* tableColumn(MaterialRecord& record, TableColumn column) {
    return const_cast<double*>(tableColumn(std::as_const(record), column));
}

MaterialRecordTexts materialRecordTexts(const MaterialRecord& record) {
    MaterialRecordTexts texts;
    texts.kindName = shortStringText(record.kindName);
    texts.gradeSymbol = shortStringText(record.gradeSymbol);
    texts.shearModulus = formatF15(record.shearModulus);
    texts.youngModulus = formatF15(record.youngModulus);
    texts.torsionPercent = std::to_string(record.torsionPercent);
    texts.bendingPercent = std::to_string(record.bendingPercent);
    texts.diameterCount = std::to_string(record.diameterCount);
    texts.kind = std::clamp(record.kind, kLowestKind, kHighestKind);
    for (int j = 0; j < kMaxDiameters; ++j)
        for (int c = 0; c < kTableColumnCount; ++c)
            texts.table[j][c] = formatF15(tableColumn(record, kColumns[c])[j]);
    return texts;
}

std::int32_t storeMaterialRecord(MaterialRecordInput& input, MaterialRecord& record) {
    setShortStringText(record.kindName, input.text(MaterialField::KindName));
    setShortStringText(record.gradeSymbol, input.text(MaterialField::GradeSymbol));
    record.shearModulus = input.number(MaterialField::ShearModulus);
    record.youngModulus = input.number(MaterialField::YoungModulus);
    record.kind = std::clamp(input.kind(), kLowestKind, kHighestKind);
    record.torsionPercent = input.integer(MaterialField::TorsionPercent);
    record.bendingPercent = input.integer(MaterialField::BendingPercent);

    std::int32_t count = kMaxDiameters;
    for (int j = 0; j < kMaxDiameters; ++j) {
        std::string diameterText;
        for (int c = 0; c < kTableColumnCount; ++c) {
            const std::string cell = input.cellText(j, kColumns[c]);
            tableColumn(record, kColumns[c])[j] = textToDouble(cell);
            if (c == 0)
                diameterText = cell;
        }
        if (diameterText == kTableEndText) {
            count = j;
            break;
        }
    }
    record.diameterCount = count;
    zeroEntriesFrom(record, count);
    return count;
}

std::int32_t storeMaterialRecordTexts(const MaterialRecordTexts& texts, MaterialRecord& record) {
    class TextsInput : public MaterialRecordInput {
    public:
        explicit TextsInput(const MaterialRecordTexts& texts) : texts_(texts) {}
        std::string text(MaterialField field) override { return fieldText(field); }
        double number(MaterialField field) override { return textToDouble(fieldText(field)); }
        std::int32_t integer(MaterialField field) override { return textToInt(fieldText(field)); }
        std::int32_t kind() override { return texts_.kind; }
        std::string cellText(int entry, TableColumn column) override {
            return texts_.table[entry][static_cast<int>(column)];
        }

    private:
        const std::string& fieldText(MaterialField field) const {
            switch (field) {
            case MaterialField::KindName:
                return texts_.kindName;
            case MaterialField::GradeSymbol:
                return texts_.gradeSymbol;
            case MaterialField::ShearModulus:
                return texts_.shearModulus;
            case MaterialField::YoungModulus:
                return texts_.youngModulus;
            case MaterialField::TorsionPercent:
                return texts_.torsionPercent;
            case MaterialField::BendingPercent:
                return texts_.bendingPercent;
            }
            return texts_.kindName;
        }

        const MaterialRecordTexts& texts_;
    };
    TextsInput input(texts);
    return storeMaterialRecord(input, record);
}

void insertTableEntry(MaterialRecord& record, int entry) {
    if (entry < 0 || entry >= kMaxDiameters)
        return;
    for (TableColumn column : kColumns) {
        double* values = tableColumn(record, column);
        std::copy_backward(values + entry, values + kMaxDiameters - 1, values + kMaxDiameters);
    }
    setEntry(record, entry, 0);
}

void deleteTableEntry(MaterialRecord& record, int entry) {
    if (entry < 0 || entry >= kMaxDiameters)
        return;
    for (TableColumn column : kColumns) {
        double* values = tableColumn(record, column);
        std::copy(values + entry + 1, values + kMaxDiameters, values + entry);
    }
    setEntry(record, kMaxDiameters - 1, 0);
}

void clearMaterialRecord(MaterialRecord& record) {
    record.kindName.length = 0;
    record.gradeSymbol.length = 0;
    record.shearModulus = 0;
    record.youngModulus = 0;
    record.diameterCount = 0;
    record.torsionPercent = 0;
    record.bendingPercent = 0;
    record.kind = kUnusedKind;
    zeroEntriesFrom(record, 0);
}

int kindRegistrationCount(const MaterialLibrary& library, std::int32_t kind, int editIndex) {
    int count = 1; // the record being edited, with the kind it is about to take
    for (int i = 0; i < kMaterialCount; ++i)
        if (i != editIndex && library[i].kind == kind)
            ++count;
    return count;
}

bool kindOverLimit(std::int32_t kind, int registrationCount) {
    return kind >= 0 && kind < kKindCount && registrationCount > kMaxGradesPerKind;
}

} // namespace hspring
