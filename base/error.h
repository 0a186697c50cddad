// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace hspring {

// Every failure the user must see is an Error carrying the exact Japanese message that the error
// box shows. Window handlers catch it at their boundary; the core never shows anything itself.
class Error : public std::runtime_error {
public:
    enum class Kind { Conversion, Arithmetic, File, Data };

    Error(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// "'%s' は浮動小数点数ではありません" with the offending text.
Error conversionError(std::string_view text);
// "'%s' は有効な整数ではありません" with the offending text.
Error integerConversionError(std::string_view text);
// "ファイル %s は開けません" with the path.
Error fileOpenError(std::string_view path);
// "ファイル %s を作成できません" with the path and the system's reason.
Error fileCreateError(std::string_view path, std::string_view reason);
// "プリンタ %s で印刷できませんでした。" with the printer's name (or the file a PDF goes to).
Error printJobError(std::string_view printerName);

// The three arithmetic faults that stop a calculation at the step that raised them.
inline constexpr std::string_view kDivisionByZeroMessage = "0 による浮動小数点数除算";
inline constexpr std::string_view kInvalidOperationMessage = "不正な浮動小数点数演算命令";
inline constexpr std::string_view kOverflowMessage = "浮動小数点数のオーバーフロー";

} // namespace hspring
