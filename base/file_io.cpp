#include "base/file_io.h"

#include "base/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace hspring {

std::vector<std::byte> readFileBytes(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw fileOpenError(path);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw fileOpenError(path);
    std::vector<std::byte> bytes;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        const auto* first = reinterpret_cast<const std::byte*>(buffer);
        bytes.insert(bytes.end(), first, first + file.gcount());
    }
    if (file.bad())
        throw fileOpenError(path);
    return bytes;
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

} // namespace

void writeFileAtomically(const std::string& path, std::span<const std::byte> bytes) {
    const std::string target = resolveTarget(path);

    // A write-protected file stays protected, although the folder would let us replace it.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        throw fileCreateError(path, std::strerror(errno));
    if (exists && S_ISDIR(existing.st_mode))
        throw fileCreateError(path, std::strerror(EISDIR));

    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw fileCreateError(path, std::strerror(errno));

    auto fail = [&](int errorNumber) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw fileCreateError(path, std::strerror(errorNumber));
    };

    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd, mode) != 0)
        fail(errno);
    if (!writeAll(fd, bytes))
        fail(errno);
    if (::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        const int errorNumber = errno;
        ::unlink(temporary.c_str());
        throw fileCreateError(path, std::strerror(errorNumber));
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int errorNumber = errno;
        ::unlink(temporary.c_str());
        throw fileCreateError(path, std::strerror(errorNumber));
    }
}

} // namespace hspring
