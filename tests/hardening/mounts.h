// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real file-system faults for the disk-fault tests: a small tmpfs that can be filled up or made
// read-only. Tests run as root, where permission bits stop nothing, so a read-only mount is the
// write-protected folder. The mounts live in a mount namespace of the test process alone: they
// disappear with it, even when a test dies half-way.

#include <QString>
#include <cstddef>

namespace hspring::test {

// Moves the process into a private mount namespace and mounts a trial tmpfs. Empty when that
// worked; otherwise why mounting is not possible here (for the skip message).
QString mountingUnavailableReason();

// A tmpfs of `bytes` mounted over `folder` (which must exist) until destruction.
class SmallTmpfs {
public:
    SmallTmpfs(const QString& folder, std::size_t bytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return mounted_; }
    // Remounts the file system read-only: every create, write and rename in it fails.
    bool makeReadOnly();
    // Writes a filler file until the file system has no block left.
    bool fill();

private:
    QString folder_;
    bool mounted_ = false;
};

// The write-protected folder where mounting is not allowed: the folder loses its write
// permission and, when the process runs as root (which permission bits do not stop), this
// thread's file accesses are made as the user "nobody" until destruction.
class WriteProtectedFolder {
public:
    explicit WriteProtectedFolder(const QString& folder);
    ~WriteProtectedFolder();
    WriteProtectedFolder(const WriteProtectedFolder&) = delete;
    WriteProtectedFolder& operator=(const WriteProtectedFolder&) = delete;

    bool protectedNow() const { return protected_; }

private:
    QString folder_;
    bool protected_ = false;
    bool asNobody_ = false;
};

} // namespace hspring::test
