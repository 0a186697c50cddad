// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/record_image.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace hspring::test {

// The whole file; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file by `bytes`; false when that failed.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray asBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace hspring::test
