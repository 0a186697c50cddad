#pragma once

#include "base/error.h"

#include <string_view>

namespace hspring {

// Printing goes to the desktop's default printer; there is none.
Error noPrinterError();
// The printer could not start or finish the job.
Error printJobError(std::string_view printerName);

} // namespace hspring
