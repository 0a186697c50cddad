#pragma once

#include "modal_dialogs.h"

#include <QString>
#include <memory>

namespace hspring::test {

// Answers the next file dialog as a user does: types `path` into its file-name field and accepts,
// or cancels when `path` is empty. The record's text is the dialog's name filters joined by ";;".
// (QFileDialog::selectFile leaves the field alone once it has the focus, so selecting the file
// fails whenever the dialog became active before the answer came.)
std::shared_ptr<ModalRecord> typeIntoNextFileDialog(const QString& path);

} // namespace hspring::test
