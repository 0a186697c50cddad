// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/offscreen.h"
#include "toolkit/painting/fonts.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>

namespace hspring::test {
std::map<std::string, WindowTest>& windowTests() {
    static std::map<std::string, WindowTest> tests;
    return tests;
}
} // namespace hspring::test

// windows_tests CLASS [QtTest options]: runs one registered class; without a class, all of them.
// windows_tests --list-classes: the registered classes, one a line: name, group, "slow" or "".
int main(int argc, char* argv[]) {
    if (argc == 2 && std::string(argv[1]) == "--list-classes") {
        for (const auto& [name, test] : hspring::test::windowTests())
            std::cout << name << ' ' << test.group << ' ' << (test.slow ? "slow" : "-") << '\n';
        return 0;
    }
    hspring::test::useOffscreenPlatformUnlessAsked();
    QApplication application(argc, argv);
    // The windows keep user settings (the recent files); the tests keep theirs in a folder of
    // their own, which goes with the run, and never touch the user's.
    const QTemporaryDir userSettings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
    hspring::test::useProgramFonts();
    application.setFont(hspring::windowFont(12));

    auto& tests = hspring::test::windowTests();
    if (argc >= 2 && argv[1][0] != '-') {
        const auto found = tests.find(argv[1]);
        if (found == tests.end()) {
            std::cerr << "no window test class " << argv[1] << "\n";
            return 2;
        }
        argv[1] = argv[0];
        const auto testObject = found->second.factory();
        return QTest::qExec(testObject.get(), argc - 1, argv + 1);
    }
    int failures = 0;
    for (const auto& [name, test] : tests) {
        const auto testObject = test.factory();
        failures += QTest::qExec(testObject.get(), argc, argv);
    }
    return failures;
}
