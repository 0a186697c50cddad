// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "base/file_io.h"
#include "cli/problem_text.h"
#include "tests/support/temporary_folder.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <span>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hspring {
namespace {

using test::Bytes;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

void write(const std::string& path, const Bytes& bytes) {
    writeFileAtomically(path, std::as_bytes(std::span(bytes)));
}

// Runs `attempt` in a child process (after `prepare` there) and tells whether it raised the
// file-create error. Limits and identities set for the attempt stay out of the test process.
bool failsWithCreateErrorInChild(const std::function<void()>& prepare,
                                 const std::function<void()>& attempt) {
    const pid_t child = ::fork();
    if (child == 0) {
        int status = 3;
        try {
            prepare();
            attempt();
            status = 1;
        } catch (const Error& error) {
            status = error.kind() == Error::Kind::File ? 0 : 2;
        } catch (...) {
        }
        ::_exit(status);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ReadFile, MissingFileOrFolderRaisesTheOpenMessageWithThePath) {
    TemporaryFolder folder;
    for (const std::string& path : {folder.file("missing.dst"), folder.path().string()}) {
        try {
            readFileBytes(path);
            ADD_FAILURE() << "read " << path;
        } catch (const Error& error) {
            EXPECT_EQ(error.kind(), Error::Kind::File);
            EXPECT_EQ(cli::problemText(error), "cannot open file " + path);
        }
    }
}

TEST(ReadFile, PrefixStopsAtTheLimitEvenForAnEndlessFile) {
    TemporaryFolder folder;
    const Bytes content = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    writeBytes(folder.file("ten"), content);
    EXPECT_EQ(readFilePrefix(folder.file("ten"), 4).size(), 4u);
    EXPECT_EQ(readFilePrefix(folder.file("ten"), 1000).size(), 10u);
    EXPECT_EQ(readFileBytes(folder.file("ten")).size(), 10u);
    EXPECT_EQ(readFilePrefix("/dev/zero", 52080).size(), 52080u);
}

TEST(WriteFileAtomically, ReplacesTheWholeFileAndLeavesNothingElse) {
    TemporaryFolder folder;
    const std::string path = folder.file("data.dst");
    write(path, Bytes(1000, 0x11));
    write(path, Bytes{1, 2, 3});
    EXPECT_EQ(readBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"data.dst"});
}

TEST(WriteFileAtomically, NameAtTheLengthLimitCanBeReplaced) {
    TemporaryFolder folder;
    const std::string path = folder.file(std::string(251, 'a') + ".dxf"); // 255 bytes, the limit
    write(path, Bytes(10, 0x11));
    write(path, Bytes{4, 5});
    EXPECT_EQ(readBytes(path), (Bytes{4, 5}));
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST(WriteFileAtomically, KeepsPermissionsAndSymbolicLinks) {
    TemporaryFolder folder;
    const std::string target = folder.file("target.hbd");
    const std::string link = folder.file("link.hbd");
    write(target, Bytes{1});
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, link);

    write(link, Bytes{2, 2});

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), (Bytes{2, 2}));
    struct stat status {};
    ::stat(target.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(WriteFileAtomically, MissingFolderRaisesTheCreateMessage) {
    TemporaryFolder folder;
    const std::string path = folder.file("no-such-folder/data.dst");
    try {
        write(path, Bytes{1});
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::File);
        EXPECT_EQ(cli::problemText(error).rfind("cannot create file " + path, 0), 0u);
    }
    EXPECT_TRUE(folder.names().empty());
}

TEST(WriteFileAtomically, FolderAsTargetStaysAFolder) {
    TemporaryFolder folder;
    const std::string target = folder.file("looks-like-a-file.dst");
    std::filesystem::create_directory(target);
    writeBytes(target + "/inside", Bytes{7});

    EXPECT_THROW(write(target, Bytes{1}), Error);

    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(readBytes(target + "/inside"), Bytes{7});
    EXPECT_EQ(folder.names(), std::vector<std::string>{"looks-like-a-file.dst"});
}

// A write-protected file and a write-protected folder. Root may write anywhere, so as root the
// attempt runs in a child process as the user "nobody", for whom the protection holds.
TEST(WriteFileAtomically, WriteProtectedFileOrFolderFailsAndKeepsTheOldFile) {
    TemporaryFolder folder;
    const std::filesystem::path locked = folder.path() / "locked";
    std::filesystem::create_directory(locked);
    const std::string existing = (locked / "existing.set").string();
    const std::string fresh = (locked / "fresh.set").string();
    const Bytes old(736, 0x42);
    writeBytes(existing, old);
    ::chmod(existing.c_str(), 0444);
    ::chmod(locked.c_str(), 0555);
    ::chmod(folder.path().c_str(), 0755);

    auto dropPrivileges = [] {
        if (::geteuid() != 0)
            return;
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            ::_exit(4);
    };
    EXPECT_TRUE(failsWithCreateErrorInChild(dropPrivileges, [&] { write(existing, Bytes{1}); }));
    EXPECT_TRUE(failsWithCreateErrorInChild(dropPrivileges, [&] { write(fresh, Bytes{1}); }));

    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(readBytes(existing), old);
    EXPECT_EQ(test::namesIn(locked), std::vector<std::string>{"existing.set"});
}

// A full disk, simulated by a file-size limit on the writing process.
TEST(WriteFileAtomically, FullDiskFailsAndKeepsTheOldFile) {
    TemporaryFolder folder;
    const std::string path = folder.file("zaidat.dst");
    const Bytes old(1000, 0x24);
    writeBytes(path, old);

    auto limitFileSize = [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    EXPECT_TRUE(failsWithCreateErrorInChild(limitFileSize, [&] { write(path, Bytes(52080, 1)); }));

    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"zaidat.dst"});
}

} // namespace
} // namespace hspring
