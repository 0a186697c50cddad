// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/modal_dialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <optional>

namespace hspring::test {

namespace {

// Polls until a modal widget of type Dialog is active, then lets `answer` handle it. Polling
// (not one timer shot) because the dialog opens only after the caller has started the action;
// the deadline is generous so that a loaded machine does not leave a dialog unanswered. The
// answer is given up once the test drops the record, so it never answers a later test's dialog.
template <typename Dialog>
void whenModalOpens(std::weak_ptr<ModalRecord> watched,
                    std::function<void(Dialog*, ModalRecord&)> answer,
                    QDeadlineTimer deadline = QDeadlineTimer(30000)) {
    QTimer::singleShot(10, [watched, answer, deadline] {
        const auto record = watched.lock();
        if (!record)
            return;
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (!deadline.hasExpired())
                whenModalOpens<Dialog>(watched, answer, deadline);
            return;
        }
        record->seen = true;
        record->title = dialog->windowTitle();
        answer(dialog, *record);
    });
}

// `typed`: the text to type, an empty one to cancel, none to accept the proposed name in
// `folder`.
std::shared_ptr<ModalRecord> answerFileDialog(std::optional<QString> typed, QString folder) {
    auto record = std::make_shared<ModalRecord>();
    whenModalOpens<QFileDialog>(record, [typed, folder](QFileDialog* dialog, ModalRecord& seen) {
        seen.text = dialog->nameFilters().join(QStringLiteral(";;"));
        auto* nameField = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!nameField || (typed && typed->isEmpty())) {
            dialog->reject();
            return;
        }
        if (typed) {
            // Typing goes into the focused field and drops the file the dialog had selected.
            nameField->setFocus();
            if (auto* list = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView")))
                list->clearSelection();
            nameField->setText(*typed);
        } else {
            const QString proposed = nameField->text();
            dialog->setDirectory(folder);
            nameField->setText(proposed);
            seen.text = dialog->directory().filePath(proposed);
        }
        QMetaObject::invokeMethod(dialog, "accept"); // protected, but a slot
    });
    return record;
}

} // namespace

std::shared_ptr<ModalRecord> answerNextMessageBox(QMessageBox::StandardButton button) {
    auto record = std::make_shared<ModalRecord>();
    whenModalOpens<QMessageBox>(record, [button](QMessageBox* box, ModalRecord& seen) {
        seen.text = box->text();
        if (QAbstractButton* pressed = box->button(button))
            pressed->click();
        else
            box->reject();
    });
    return record;
}

namespace {
void answerInTurn(ModalRecords records, QList<QMessageBox::StandardButton> buttons) {
    if (buttons.isEmpty())
        return;
    auto record = answerNextMessageBox(buttons.takeFirst());
    records->push_back(record);
    if (buttons.isEmpty())
        return;
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll, record, records, buttons] {
        if (!record->seen)
            return;
        poll->stop();
        poll->deleteLater();
        answerInTurn(records, buttons);
    });
    poll->start(5);
}
} // namespace

ModalRecords answerMessageBoxesInTurn(QList<QMessageBox::StandardButton> buttons) {
    auto records = std::make_shared<std::vector<std::shared_ptr<ModalRecord>>>();
    answerInTurn(records, std::move(buttons));
    return records;
}

MessageBoxWatch::MessageBoxWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts_ << box->text();
        for (const auto button : {QMessageBox::Ok, QMessageBox::Yes})
            if (QAbstractButton* answer = box->button(button)) {
                answer->click();
                return;
            }
        box->reject();
    });
    timer_.start(5);
}

MessageBoxWatch::~MessageBoxWatch() = default;

std::shared_ptr<ModalRecord> answerNextFileDialog(const QString& path) {
    return answerFileDialog(path, {});
}

std::shared_ptr<ModalRecord> acceptNextFileDialogIn(const QString& folder) {
    return answerFileDialog(std::nullopt, folder);
}

std::shared_ptr<bool> closeNextDialog(std::function<void(QDialog&)> inspect) {
    return answerNextDialog([inspect](QDialog& dialog) {
        inspect(dialog);
        dialog.reject();
    });
}

std::shared_ptr<bool> answerNextDialog(std::function<void(QDialog&)> answer) {
    auto seen = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void(int)>>();
    // Dropping the record gives the answer up, so that an action that opened no dialog leaves
    // nothing armed for the next one.
    const std::weak_ptr<bool> watched = seen;
    *poll = [watched, answer, poll](int triesLeft) {
        QTimer::singleShot(10, [watched, answer, poll, triesLeft] {
            const std::shared_ptr<bool> seen = watched.lock();
            if (!seen) {
                *poll = nullptr;
                return;
            }
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                if (triesLeft > 0)
                    (*poll)(triesLeft - 1);
                else
                    *poll = nullptr; // gives up; breaks the cycle
                return;
            }
            *seen = true;
            answer(*dialog);
            *poll = nullptr;
        });
    };
    (*poll)(500);
    return seen;
}

QuestionThenDialog answerQuestionThenCloseDialog(QMessageBox::StandardButton button,
                                                 std::function<void(QDialog&)> inspect) {
    QuestionThenDialog record;
    record.question = std::make_shared<QString>();
    record.dialog = std::make_shared<std::shared_ptr<bool>>();
    record.asked = answerNextDialog(
        [button, inspect, question = record.question, dialog = record.dialog](QDialog& opened) {
            auto* box = qobject_cast<QMessageBox*>(&opened);
            if (!box) {
                opened.reject(); // not the question: the test fails on `asked` alone
                return;
            }
            *question = box->text();
            *dialog = closeNextDialog(inspect);
            box->button(button)->click();
        });
    return record;
}

} // namespace hspring::test
