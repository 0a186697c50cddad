// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace hspring::test {

// The QtTest classes of the windows layer, by class name. They are registered here only: the
// build asks the test program for the list (--list-classes) and makes a ctest entry of each.
using WindowTestFactory = std::function<std::unique_ptr<QObject>()>;
struct WindowTest {
    WindowTestFactory factory;
    std::string group; // "cli" for the classes that run the built programs, else "windows"
    bool slow = false;
};
std::map<std::string, WindowTest>& windowTests();

struct WindowTestRegistration {
    WindowTestRegistration(const char* name, const char* file, bool slow,
                           WindowTestFactory factory) {
        const bool runsPrograms = std::string(file).find("tests/cli/") != std::string::npos;
        windowTests().emplace(
            name, WindowTest{std::move(factory), runsPrograms ? "cli" : "windows", slow});
    }
};

} // namespace hspring::test

// Put after a QtTest class definition in its .cpp file.
#define HSPRING_WINDOW_TEST(Class)                                                                 \
    static const hspring::test::WindowTestRegistration registration##Class(                        \
        #Class, __FILE__, false, [] { return std::make_unique<Class>(); });
// The same for a class that takes far longer than the others: labelled slow, started first.
#define HSPRING_SLOW_WINDOW_TEST(Class)                                                            \
    static const hspring::test::WindowTestRegistration registration##Class(                        \
        #Class, __FILE__, true, [] { return std::make_unique<Class>(); });
