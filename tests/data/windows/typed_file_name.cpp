#include "data/windows/typed_file_name.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

namespace hspring::test {

namespace {

void answerWhenOpen(std::shared_ptr<ModalRecord> record, QString path, int triesLeft) {
    QTimer::singleShot(10, [record, path, triesLeft] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                answerWhenOpen(record, path, triesLeft - 1);
            return;
        }
        record->seen = true;
        record->title = dialog->windowTitle();
        record->text = dialog->nameFilters().join(QStringLiteral(";;"));
        auto* nameField = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (path.isEmpty() || !nameField) {
            dialog->reject();
            return;
        }
        nameField->setText(path);
        QMetaObject::invokeMethod(dialog, "accept"); // protected, but a slot
    });
}

} // namespace

std::shared_ptr<ModalRecord> typeIntoNextFileDialog(const QString& path) {
    auto record = std::make_shared<ModalRecord>();
    answerWhenOpen(record, path, 500);
    return record;
}

} // namespace hspring::test
