// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_io.h"
#include "cli/problem_text.h"
#include "drawing/dxf_file.h"
#include "drawing_test_support.h"
#include "tests/support/file_size_limit.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h> // getpid

namespace hspring::test {
namespace {

const CoilShape kExampleCoil{1, 10, 20};

std::string readText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The file's lines without their CR LF ends; fails the test on a bare LF or CR.
std::vector<std::string> fileLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
        start = end + 2;
    }
    return lines;
}

std::size_t countLines(const std::vector<std::string>& lines, const std::string& text) {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), text));
}

TEST(DxfFile, TemplateOpensEveryFile) {
    const auto& groups = dxfTemplate();
    EXPECT_EQ(groups.front().code, "  0");
    EXPECT_EQ(groups.front().value, "SECTION");
    EXPECT_EQ(groups[3].value, "AC1009");
    EXPECT_EQ(groups.back().code, "  2");
    EXPECT_EQ(groups.back().value, "ENTITIES");

    const std::vector<std::string> lines = fileLines(dxfFileBytes({}));
    ASSERT_EQ(lines.size(), 194u + 4);
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (i != 31) { // the one value that is not ASCII
            EXPECT_EQ(lines[2 * i], groups[i].code);
            EXPECT_EQ(lines[2 * i + 1], groups[i].value);
        }
    // "実線" in Shift-JIS.
    EXPECT_EQ(lines[63], "\x8E\xC0\x90\xFC");
    EXPECT_EQ(std::vector(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"  0", "ENDSEC", "  0", "EOF"}));
}

TEST(DxfFile, FirstLineAndArcOfTheExampleSpring) {
    const std::vector<std::string> lines = fileLines(roundHookDxf(kExampleCoil, 80));
    const std::vector<std::string> firstLine(lines.begin() + 194, lines.begin() + 194 + 16);
    EXPECT_EQ(firstLine, (std::vector<std::string>{
                             "  0", "LINE", "  8", "_0-0_", "  6", "CONTINUOUS", "  62", "    7",
                             " 10", "-0.499376169438922", " 20", "-0.0249688084719461", " 11",
                             "0.000623830561077676", " 21", "-10.0249688084719"}));
    const std::vector<std::string> firstArc(lines.begin() + 210, lines.begin() + 210 + 18);
    EXPECT_EQ(firstArc, (std::vector<std::string>{"  0", "ARC", "  8", "_0-0_", "  6", "CONTINUOUS",
                                                  "  62", "    7", " 10", "0", " 20", "0", " 40",
                                                  "0.5", " 50", "0", " 51", "182.862405226112"}));
}

TEST(DxfFile, OneRecordPerPrimitive) {
    // 20 turns of a LINE and two ARCs, the closing edge, 4 + 5 hook records.
    const std::vector<std::string> round = fileLines(roundHookDxf(kExampleCoil, 80));
    EXPECT_EQ(countLines(round, "LINE"), 20u + 1 + 2 + 2);
    EXPECT_EQ(countLines(round, "ARC"), 40u + 2 + 3);
    EXPECT_EQ(countLines(round, "  62"), 70u);
    // Arc angles beyond 360 stay as computed.
    EXPECT_EQ(countLines(round, "460"), 2u);

    const std::vector<std::string> u = fileLines(uHookDxf({1, 10, 20.5}, {10, 3, 2}));
    EXPECT_EQ(countLines(u, "LINE") + countLines(u, "ARC"), 80u);
}

TEST(DxfFile, WholeFileAsReviewed) {
    const std::string reference =
        readText(HSPRING_TEST_DATA_DIR "/drawing/round_hook_d1_D10_N20_angle80.dxf");
    ASSERT_FALSE(reference.empty());
    EXPECT_TRUE(roundHookDxf(kExampleCoil, 80) == reference)
        << "the file differs from tests/testdata/drawing/round_hook_d1_D10_N20_angle80.dxf";
}

TEST(DxfFile, DegenerateDesignStopsBeforeAnythingIsBuilt) {
    EXPECT_EQ(errorOf([] { roundHookDxf({1, 0, 20}, 80); }), cli::kDivisionByZeroMessage);
}

class DxfWriting : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("hspring-dxf-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
};

TEST_F(DxfWriting, WritesAndReplacesTheFile) {
    const std::string path = (folder_ / "sspring1.dxf").string();
    writeDxfFile(path, "old");
    const std::string bytes = roundHookDxf(kExampleCoil, 80);
    writeDxfFile(path, bytes);
    EXPECT_TRUE(readText(path) == bytes);
}

TEST_F(DxfWriting, FailedWriteLeavesTheOldFileAndReportsIt) {
    const std::string path = (folder_ / "sspring1.dxf").string();
    std::ofstream(path) << "old";
    std::string message;
    {
        const FileSizeLimit fullDisk(100); // the file is several kilobytes
        message = errorOf([&] { writeDxfFile(path, roundHookDxf(kExampleCoil, 80)); });
    }
    EXPECT_EQ(message.rfind("cannot create file " + path, 0), 0u) << message;
    EXPECT_EQ(readText(path), "old");
}

TEST_F(DxfWriting, MissingFolderIsReported) {
    const std::string path = (folder_ / "no such folder" / "a.dxf").string();
    EXPECT_NE(errorOf([&] { writeDxfFile(path, "x"); }), "");
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace hspring::test
