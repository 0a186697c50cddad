#pragma once

#include "modal_dialogs.h"

#include <QString>
#include <memory>

namespace hspring::test {

// Answers the next file dialog as a user does: types `path` into its file-name field and accepts,
// or cancels when `path` is empty. The record's title is the dialog's title, its text the name
// filters joined by ";;". The answer is given up when the test drops the record unanswered.
// (QFileDialog::selectFile leaves the field alone once it has the focus, so selecting the file
// fails whenever the dialog became active before the answer came.)
std::shared_ptr<ModalRecord> typeIntoNextFileDialog(const QString& path);

// Accepts the next file dialog with the name it proposes, after going to `folder`. The record's
// text is the path of the accepted file.
std::shared_ptr<ModalRecord> acceptNextFileDialogIn(const QString& folder);

} // namespace hspring::test
