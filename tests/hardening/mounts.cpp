// SPDX-License-Identifier: GPL-3.0-or-later
#include "mounts.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <string>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hspring::test {

namespace {

QString systemError(const char* call) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(call),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

bool mountTmpfs(const QString& folder, std::size_t bytes) {
    const std::string options = "size=" + std::to_string(bytes);
    return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                   options.c_str()) == 0;
}

} // namespace

QString mountingUnavailableReason() {
    static const QString reason = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return systemError("unshare(CLONE_NEWNS)");
        // Mounts made from here on stay in this namespace.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return systemError("mount --make-rprivate /");
        const QTemporaryDir trial;
        if (!mountTmpfs(trial.path(), 4096))
            return systemError("mount -t tmpfs");
        ::umount2(QFile::encodeName(trial.path()).constData(), MNT_DETACH);
        return QString();
    }();
    return reason;
}

SmallTmpfs::SmallTmpfs(const QString& folder, std::size_t bytes)
    : folder_(folder), mounted_(mountTmpfs(folder, bytes)) {}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

bool SmallTmpfs::makeReadOnly() {
    return ::mount(nullptr, QFile::encodeName(folder_).constData(), nullptr,
                   MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

bool SmallTmpfs::fill() {
    const QByteArray path = QFile::encodeName(QDir(folder_).filePath(QStringLiteral(".filler")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

namespace {

constexpr uid_t kNobody = 65534;

// setfsuid answers the previous id; asking for an impossible one changes nothing.
uid_t currentFsuid() {
    return static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1)));
}

} // namespace

WriteProtectedFolder::WriteProtectedFolder(const QString& folder) : folder_(folder) {
    if (::chmod(QFile::encodeName(folder_).constData(), 0555) != 0)
        return;
    if (::geteuid() == 0) {
        // Leaving file-system id 0 drops the capability to override permissions as well.
        ::setfsuid(kNobody);
        asNobody_ = currentFsuid() == kNobody;
        if (!asNobody_)
            return;
    }
    protected_ = true;
}

WriteProtectedFolder::~WriteProtectedFolder() {
    if (asNobody_)
        ::setfsuid(0);
    ::chmod(QFile::encodeName(folder_).constData(), 0700);
}

} // namespace hspring::test
