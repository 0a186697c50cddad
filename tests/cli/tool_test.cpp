// SPDX-License-Identifier: GPL-3.0-or-later
// The tool run in the test's own process: what it prints for help, version and usage errors,
// and that two tools in one process know the same commands (nothing kept between runs).
#include "base/error.h"
#include "cli/command_line.h"
#include "tests/support/temporary_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using hspring::cli::Tool;

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun runTool(const std::vector<const char*>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    std::vector<char*> argv{const_cast<char*>("hspring-cli")};
    for (const char* argument : arguments)
        argv.push_back(const_cast<char*>(argument));
    argv.push_back(nullptr);
    Tool tool(out, err);
    const int status = tool.run(static_cast<int>(argv.size()) - 1, argv.data());
    return {status, out.str(), err.str()};
}

TEST(ToolTest, AnswersVersionHelpAndUsageErrorsOnTheRightStream) {
    const ToolRun version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("hspring-cli ") + HSPRING_VERSION + "\n");

    // No command is a usage error: one line on standard error and where to read more, status 2.
    const ToolRun bare = runTool({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_EQ(bare.err, "hspring-cli: no command given\nTry 'hspring-cli help'.\n");

    // "help COMMAND" is the command's own --help.
    const ToolRun help = runTool({"help", "calc"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, runTool({"calc", "--help"}).out);
    EXPECT_TRUE(help.out.starts_with("Usage: hspring-cli calc ")) << help.out;

    for (const std::vector<const char*>& wrong :
         {std::vector{"help", "frobnicate"}, std::vector{"help", "calc", "x"},
          std::vector{"--version", "x"}}) {
        const ToolRun run = runTool(wrong);
        EXPECT_EQ(run.status, 2) << wrong[0] << " " << wrong[1];
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.ends_with("\nTry 'hspring-cli help'.\n")) << run.err;
    }
}

TEST(ToolTest, TwoToolsInOneProcessListTheSameCommandsOnce) {
    std::ostringstream sink;
    const auto namesOf = [](const Tool& tool) {
        std::vector<std::string> names;
        for (const auto& command : tool.commands())
            names.push_back(command.app->get_name());
        return names;
    };
    Tool first(sink, sink);
    Tool second(sink, sink);
    const std::vector<std::string> names = namesOf(second);
    EXPECT_EQ(namesOf(first), names);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "calc");
    EXPECT_EQ(runTool({"help"}).out, runTool({"help"}).out);
}

// Help that cannot be written is a failure of the run, not a success.
TEST(ToolTest, AnOutputThatFailsEndsWithTheFailureStatus) {
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    Tool tool(out, err);
    char* argv[] = {const_cast<char*>("hspring-cli"), const_cast<char*>("--help"), nullptr};
    EXPECT_EQ(tool.run(2, argv), 1);
    EXPECT_EQ(err.str(), "hspring-cli: cannot write to standard output\n");
}

// A batch's input file is mapped, not copied: the text is the file's whole, a file that cannot be
// opened is its error, and a file another program cuts short under the mapping ends the run with
// a word and the failure status instead of a bus error.
TEST(InputTextTest, MapsTheWholeFileAndEndsCleanlyWhenTheFileIsCutShort) {
    const hspring::test::TemporaryFolder folder;
    const std::string path = folder.file("designs.json");
    std::string content = "[";
    while (content.size() < 3 * 4096)
        content += "{\"freeLength\":20},";
    content.back() = ']';
    std::ofstream(path, std::ios::binary) << content;

    const hspring::cli::InputText input(path);
    EXPECT_EQ(input.text(), content);
    EXPECT_THROW(hspring::cli::InputText(folder.file("missing.json")), hspring::Error);

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const hspring::cli::InputText mapped(path);
            std::filesystem::resize_file(path, 0);
            volatile char last = mapped.text().back();
            static_cast<void>(last);
        },
        testing::ExitedWithCode(1), "input file was cut short");
}

} // namespace
