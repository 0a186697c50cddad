// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"

namespace hspring {

Error conversionError(std::string_view text) {
    return Error(Error::Kind::Conversion,
                 "'" + std::string(text) + "' は浮動小数点数ではありません");
}

Error integerConversionError(std::string_view text) {
    return Error(Error::Kind::Conversion, "'" + std::string(text) + "' は有効な整数ではありません");
}

Error fileOpenError(std::string_view path) {
    return Error(Error::Kind::File, "ファイル " + std::string(path) + " は開けません");
}

Error fileCreateError(std::string_view path, std::string_view reason) {
    std::string message = "ファイル " + std::string(path) + " を作成できません";
    if (!reason.empty())
        message += "\n" + std::string(reason);
    return Error(Error::Kind::File, message);
}

Error printJobError(std::string_view printerName) {
    return Error(Error::Kind::File,
                 "プリンタ " + std::string(printerName) + " で印刷できませんでした。");
}

} // namespace hspring
