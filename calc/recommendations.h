#pragma once

#include "calc/engine.h"
#include "calc/status_lines.h"
#include "data/design_record.h"

#include <string>
#include <string_view>

namespace hspring {

inline constexpr std::string_view kIndexOutOfRangeMessage = "エラー：バネ指数が範囲外";

// The recommended values of a design just read and calculated, as the group "推奨値" shows them.
// When the spring index lies outside 3..22 only `status` is meaningful: it holds the one line
// "エラー：バネ指数が範囲外", the labels keep their old text and no input field is written.
// Otherwise the four label texts and the two field texts are set and `status` is empty (the
// refresh clears the status list).
struct Recommendations {
    bool indexInRange = false;
    StatusLines status;
    std::string freeLengthLabel;     // Label36: "自由長さ=" F "mm"
    std::string maxLengthLabel;      // Label30: "最大長さ=" maxLength "mm"
    std::string maxLoadLabel;        // Label56: "最大荷重=" maxLoad "kgf"
    std::string initialTensionLabel; // Label45: "初張力(" low "～" high ")kgf"
    std::string freeLengthField;     // Edit1 when CheckBox2 is checked: F in F4
    std::string initialTensionField; // Edit33 when CheckBox1 is checked: the range's mid in F4
};

// The refresh's texts after readDesignInputs and calculateDesign have run on `design`.
Recommendations recommendationsFor(const SpringDesign& design, const InitialTensionRange& range);

// The free length implied by the turns and two full-loop hooks, (N + 1)·d + 2·Di, computed from
// the values as last read: the recommended free length and the value the free-length apply button
// writes.
double recommendedFreeLength(const SpringDesign& design);

} // namespace hspring
