#pragma once

#include "modal_dialogs.h"

#include <QCoreApplication>
#include <QList>
#include <QTimer>
#include <memory>
#include <vector>

namespace hspring::test {

using ModalRecords = std::shared_ptr<std::vector<std::shared_ptr<ModalRecord>>>;

namespace detail {
inline void answerInTurn(ModalRecords records, QList<QMessageBox::StandardButton> buttons) {
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
} // namespace detail

// Answers message boxes that open one after the other (a confirmation, then an error box): the
// answer to the second is armed only once the first box has been answered, so each box gets its
// own button. The records fill in as the boxes open.
inline ModalRecords answerMessageBoxesInTurn(QList<QMessageBox::StandardButton> buttons) {
    auto records = std::make_shared<std::vector<std::shared_ptr<ModalRecord>>>();
    detail::answerInTurn(records, std::move(buttons));
    return records;
}

} // namespace hspring::test
