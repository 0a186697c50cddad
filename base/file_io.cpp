// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_io.h"

#include "base/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace hspring {

std::vector<std::byte> readFilePrefix(const std::string& path, std::size_t maxBytes) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw fileOpenError(path);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw fileOpenError(path);
    std::vector<std::byte> bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const auto wanted = static_cast<std::streamsize>(
            std::min<std::size_t>(sizeof buffer, maxBytes - bytes.size()));
        file.read(buffer, wanted);
        const std::streamsize got = file.gcount();
        const auto* first = reinterpret_cast<const std::byte*>(buffer);
        bytes.insert(bytes.end(), first, first + got);
        if (got < wanted)
            break;
    }
    if (file.bad())
        throw fileOpenError(path);
    return bytes;
}

std::vector<std::byte> readFileBytes(const std::string& path) {
    return readFilePrefix(path, std::numeric_limits<std::size_t>::max());
}

namespace {

// Follows a symbolic link so that the link keeps pointing at the replaced file.
std::string resolveTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto target = std::filesystem::canonical(path, error);
        if (!error)
            return target.string();
    }
    return path;
}

bool writeAll(int fd, std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself survive a power cut. The new file is complete either way, so a folder
// that cannot be synced is no reason to report a failure.
void syncFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::string temporaryPathBeside(const std::string& target) {
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    return (folder / ".hspring-XXXXXX").string();
}

// The file the new bytes go to before they replace the target; removed again unless it was
// renamed onto the target.
struct TemporaryFile {
    std::string path;
    int fd;
    bool created;
    bool renamed = false;

    // A short name of its own in the target's folder: the rename stays within one file system,
    // and a target name near the length limit still leaves room for it.
    explicit TemporaryFile(const std::string& target)
        : path(temporaryPathBeside(target)), fd(::mkstemp(path.data())), created(fd >= 0) {}
    ~TemporaryFile() {
        const int savedErrno = errno; // the caller reports the error that made it give up
        if (fd >= 0)
            ::close(fd);
        if (created && !renamed)
            ::unlink(path.c_str());
        errno = savedErrno;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool close() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }
};

mode_t currentUmask() {
    // There is no call that only reads the mask; the program writes files from one thread.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

void writeFileAtomically(const std::string& path, std::span<const std::byte> bytes) {
    const std::string target = resolveTarget(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        throw fileCreateError(path, std::strerror(EISDIR));
    // A write-protected file stays protected, although the folder would let us replace it.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        throw fileCreateError(path, std::strerror(errno));

    TemporaryFile temporary(target);
    if (temporary.fd < 0)
        throw fileCreateError(path, std::strerror(errno));
    const mode_t mode = exists ? existing.st_mode & 07777 : 0666 & ~currentUmask();
    if (::fchmod(temporary.fd, mode) != 0 || !writeAll(temporary.fd, bytes) ||
        ::fsync(temporary.fd) != 0 || !temporary.close() ||
        ::rename(temporary.path.c_str(), target.c_str()) != 0)
        throw fileCreateError(path, std::strerror(errno));
    temporary.renamed = true;
    syncFolderOf(target);
}

} // namespace hspring
