// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace hspring::test {

// What a modal dialog showed before the test answered it.
struct ModalRecord {
    bool seen = false;
    QString title;
    QString text; // message boxes: the text; file dialogs: the name filters joined by ";;"
};

// Answers the next message box that opens modally by pressing `button`; the returned record
// fills in when it happens. Call before the action that opens the box and keep the record until
// the box has been answered: dropping it gives the answer up.
std::shared_ptr<ModalRecord> answerNextMessageBox(QMessageBox::StandardButton button);

// Answers message boxes that open one after the other (a confirmation, then an error box): the
// answer to the second is armed only once the first box has been answered, so each box gets its
// own button. The records fill in as the boxes open.
using ModalRecords = std::shared_ptr<std::vector<std::shared_ptr<ModalRecord>>>;
ModalRecords answerMessageBoxesInTurn(QList<QMessageBox::StandardButton> buttons);

// While it lives, answers every message box that opens (OK, Yes, or closing it) and keeps its
// text. Polls, because a box opens in the middle of the action that the test started.
class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    const QStringList& texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};

// Answers the next file dialog as a user does: types `path` into its file-name field and
// accepts, or cancels when `path` is empty. (QFileDialog::selectFile leaves the field alone once
// it has the focus, so selecting the file would fail whenever the dialog became active first.)
std::shared_ptr<ModalRecord> answerNextFileDialog(const QString& path);

// Accepts the next file dialog with the name it proposes, after going to `folder`. The record's
// text is then the path of the accepted file.
std::shared_ptr<ModalRecord> acceptNextFileDialogIn(const QString& folder);

// Closes the next dialog that opens modally, after `inspect` has looked at it; `seen` turns true.
// As with the boxes, dropping the returned record gives the answer up.
std::shared_ptr<bool> closeNextDialog(std::function<void(QDialog&)> inspect);

// Hands the next dialog that opens modally to `answer`, which closes it (accept or reject) as a
// user would; `seen` turns true.
std::shared_ptr<bool> answerNextDialog(std::function<void(QDialog&)> answer);

// A question (a message box) answered with `button`, then the dialog that opens after it (a sheet
// window) closed once `inspect` has looked at it. The dialog's watch is armed only when the
// question is answered, so that it cannot take the question for the dialog. Keep the record
// until both have had their chance.
struct QuestionThenDialog {
    std::shared_ptr<bool> asked;
    std::shared_ptr<QString> question;             // the question's text
    std::shared_ptr<std::shared_ptr<bool>> dialog; // the dialog's record, once armed
    bool dialogSeen() const { return *dialog && **dialog; }
};
QuestionThenDialog answerQuestionThenCloseDialog(QMessageBox::StandardButton button,
                                                 std::function<void(QDialog&)> inspect);

} // namespace hspring::test
