#include "data/windows/typed_file_name.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <optional>

namespace hspring::test {

namespace {

// `typed`: the text to type, an empty one to cancel, none to accept the proposed name in
// `folder`.
void answerWhenOpen(std::weak_ptr<ModalRecord> watched, std::optional<QString> typed,
                    QString folder, int triesLeft) {
    QTimer::singleShot(10, [watched, typed, folder, triesLeft] {
        const auto record = watched.lock();
        if (!record)
            return;
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                answerWhenOpen(watched, typed, folder, triesLeft - 1);
            return;
        }
        auto* nameField = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        record->seen = true;
        record->title = dialog->windowTitle();
        record->text = dialog->nameFilters().join(QStringLiteral(";;"));
        if (!nameField || (typed && typed->isEmpty())) {
            dialog->reject();
            return;
        }
        if (typed) {
            // Typing goes into the focused field and drops the file the dialog had selected.
            nameField->setFocus();
            dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))->clearSelection();
            nameField->setText(*typed);
        } else {
            const QString proposed = nameField->text();
            dialog->setDirectory(folder);
            nameField->setText(proposed);
            record->text = dialog->directory().filePath(proposed);
        }
        QMetaObject::invokeMethod(dialog, "accept"); // protected, but a slot
    });
}

std::shared_ptr<ModalRecord> armFileDialogAnswer(std::optional<QString> typed,
                                                 QString folder = {}) {
    auto record = std::make_shared<ModalRecord>();
    answerWhenOpen(record, std::move(typed), std::move(folder), 500);
    return record;
}

} // namespace

std::shared_ptr<ModalRecord> typeIntoNextFileDialog(const QString& path) {
    return armFileDialogAnswer(path);
}

std::shared_ptr<ModalRecord> acceptNextFileDialogIn(const QString& folder) {
    return armFileDialogAnswer(std::nullopt, folder);
}

} // namespace hspring::test
