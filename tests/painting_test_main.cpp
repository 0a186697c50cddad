// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/offscreen.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    hspring::test::useOffscreenPlatformUnlessAsked();
    QGuiApplication application(argc, argv);
    hspring::test::useProgramFonts();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
