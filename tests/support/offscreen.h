// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/painting/fonts.h"

#include <QtGlobal>

namespace hspring::test {

// Before the application object is made: windows and pictures are drawn offscreen unless a
// platform is asked for explicitly (QT_QPA_PLATFORM=xcb to watch a test).
inline void useOffscreenPlatformUnlessAsked() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// After it: the windows' face maps to the fonts installed here, as in the program, so text
// takes the same room as on the user's screen.
inline void useProgramFonts() {
    installFontSubstitutes();
}

} // namespace hspring::test
