#include "printing/print_errors.h"

#include <string>

namespace hspring {

Error noPrinterError() {
    return Error(Error::Kind::File,
                 "既定のプリンタがありません。プリンタを設定してから印刷してください。");
}

Error printJobError(std::string_view printerName) {
    return Error(Error::Kind::File,
                 "プリンタ " + std::string(printerName) + " で印刷できませんでした。");
}

} // namespace hspring
