// The one QGuiApplication that text rendering needs, created on first use so that the
// headless player and the tests can draw text without a display.
#pragma once

namespace zunk {

// Makes sure a QGuiApplication exists. When none does, one is created (with the "offscreen"
// platform unless QT_QPA_PLATFORM already names another) and kept until the program ends.
void EnsureGuiApplication();

}  // namespace zunk
