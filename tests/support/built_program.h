// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace hspring::test {

// How a program of the build folder ended: its exit code (-1 when it crashed or did not end
// within a minute) and what it wrote.
struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    QString output() const { return QString::fromUtf8(out); }
    QString errors() const { return QString::fromUtf8(err); }
};

// Runs `program` of the build folder ("hspring", "hspring-cli") with `arguments` and `input` on
// its standard input, and waits for it.
inline ProgramRun runBuiltProgram(const QString& program, const QStringList& arguments,
                                  const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(HSPRING_BUILD_DIR "/") + program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace hspring::test
