// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the hostile test files and their list into a folder (tests/testdata/hostile):
//
//   make_hostile_files tests/testdata/hostile

#include "base/file_io.h"
#include "hostile_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace hspring;

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_hostile_files FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::ofstream list(folder / "README.md");
    list
        << "# Hostile test files\n\n"
           "Files no run of the program writes, made by tests/hardening/make_hostile_files from\n"
           "tests/hardening/hostile_files.cpp (regenerate them with it; a test checks that they\n"
           "are still what it makes). Calculation files hold their variants in slots 0, 1, 2, ...\n"
           "in the order given; the other slots hold an ordinary calculated design.\n\n";
    for (const test::HostileFile& file : test::allHostileFiles()) {
        writeFileAtomically((folder / file.name).string(), file.bytes);
        list << "- `" << file.name << "`: " << file.description << "\n";
    }
    return list ? 0 : 1;
}
