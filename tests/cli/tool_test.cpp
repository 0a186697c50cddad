// SPDX-License-Identifier: GPL-3.0-or-later
// The tool run in the test's own process: what it prints for help, version and usage errors,
// and that two tools in one process know the same commands (nothing kept between runs).
#include "base/error.h"
#include "cli/command_line.h"
#include "data/default_data.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "tests/support/temporary_folder.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
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

// The number of `key` the first time it appears in a JSON answer.
double numberOf(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return -1;
    return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

// A run of the tool whose answer goes to the process's standard output (file descriptor 1), read
// back from a file it is sent to meanwhile.
ToolRun runToolCapturingAnswer(const std::vector<const char*>& arguments, const std::string& file) {
    std::fflush(stdout);
    std::cout.flush();
    const int saved = ::dup(1);
    const int target = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(target, 1);
    ::close(target);
    ToolRun run = runTool(arguments);
    std::fflush(stdout);
    std::cout.flush();
    ::dup2(saved, 1);
    ::close(saved);
    std::ifstream answer(file);
    run.out.assign(std::istreambuf_iterator<char>(answer), std::istreambuf_iterator<char>());
    return run;
}

std::string siObjectOf(const std::string& json) {
    const std::size_t at = json.find("\"si\":{");
    return at == std::string::npos ? std::string() : json.substr(at, json.find('}', at) - at);
}

// calc in N: the example's loads given as kgf × 9.80665 written out calculate the very design of
// the kgf run (its lengths to the last bit), the answer's forces are that design's in N, the `si`
// object stays as it was; another system's name is a usage error.
TEST(ToolTest, CalcReadsAndWritesForcesInTheChosenUnits) {
    const hspring::test::TemporaryFolder folder;
    const std::string materials = folder.file("zaidat.dst");
    const std::string settings = folder.file("hspring.set");
    hspring::saveMaterialLibrary(materials, hspring::builtInMaterialLibrary());
    hspring::saveSettings(settings, hspring::builtInSettings());
    const auto answer = [&](const char* loads, std::vector<const char*> units) {
        const std::string input = folder.file("design.json");
        std::ofstream(input) << R"({"freeLength": 39, "lengthMode": 0, "autoInitialTension": 0, )"
                             << loads << "}";
        std::vector<const char*> arguments{"calc",       "--materials",    materials.c_str(),
                                           "--settings", settings.c_str(), "--input",
                                           input.c_str()};
        arguments.insert(arguments.end(), units.begin(), units.end());
        return runToolCapturingAnswer(arguments, folder.file("answer.json"));
    };
    const ToolRun kgf =
        answer(R"("initialTension": 0.3, "load1": 0.6, "load2": 1.1)", {"--units", "kgf"});
    const ToolRun si = answer(R"("initialTension": 2.941995, "load1": 5.88399, "load2": 10.787315)",
                              {"--units", "si"});
    ASSERT_EQ(kgf.status, 0) << kgf.err;
    ASSERT_EQ(si.status, 0) << si.err;
    EXPECT_EQ(kgf.out, answer(R"("initialTension": 0.3, "load1": 0.6, "load2": 1.1)", {}).out);
    for (const char* length : {"length1", "length2", "maxLength", "springIndex"})
        EXPECT_EQ(numberOf(si.out, length), numberOf(kgf.out, length)) << length;
    EXPECT_GT(numberOf(kgf.out, "length2"), 39);
    for (const char* force : {"load1", "springRate", "stress2", "allowableStress", "energy12",
                              "maxLoadWithHooks", "initialTensionMid"}) {
        const double inKgf = numberOf(kgf.out, force);
        EXPECT_EQ(numberOf(si.out, force), static_cast<double>(inKgf * 9.80665L)) << force;
    }
    EXPECT_FALSE(siObjectOf(kgf.out).empty());
    EXPECT_EQ(siObjectOf(si.out), siObjectOf(kgf.out));

    const ToolRun wrong = answer("", {"--units", "N"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("--units: \"N\" is neither si nor kgf"), std::string::npos)
        << wrong.err;
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
