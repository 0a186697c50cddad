#include "modal_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>

namespace hspring::test {

namespace {

// Polls until a modal widget of type Dialog is active, then lets `answer` handle it. Polling
// (not one timer shot) because the dialog opens only after the caller has started it.
template <typename Dialog, typename Answer>
void whenModalOpens(std::shared_ptr<ModalRecord> record, Answer answer, int triesLeft = 500) {
    QTimer::singleShot(10, [record, answer, triesLeft] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                whenModalOpens<Dialog>(record, answer, triesLeft - 1);
            return;
        }
        record->seen = true;
        record->title = dialog->windowTitle();
        answer(dialog, *record);
    });
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

std::shared_ptr<ModalRecord> answerNextFileDialog(const QString& path) {
    auto record = std::make_shared<ModalRecord>();
    whenModalOpens<QFileDialog>(record, [path](QFileDialog* dialog, ModalRecord& seen) {
        seen.text = dialog->nameFilters().join(QStringLiteral(";;"));
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept"); // protected, but a slot
    });
    return record;
}

} // namespace hspring::test
