// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace hspring::test {

// The QtTest classes of the windows layer, by class name, so that ctest runs each on its own.
using WindowTestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, WindowTestFactory>& windowTests();

struct WindowTestRegistration {
    WindowTestRegistration(const char* name, WindowTestFactory factory) {
        windowTests().emplace(name, std::move(factory));
    }
};

} // namespace hspring::test

// Put after a QtTest class definition in its .cpp file.
#define HSPRING_WINDOW_TEST(Class)                                                                 \
    static const hspring::test::WindowTestRegistration registration##Class(                       \
        #Class, [] { return std::make_unique<Class>(); });
