// The one QGuiApplication that text rendering needs, created on first use so that the
// headless player and the tests can draw text without a display.
#pragma once

namespace zunk {

// Makes sure a QGuiApplication exists. When none does, one is created (with the "offscreen"
// platform unless QT_QPA_PLATFORM already names another) and kept until the program ends.
void EnsureGuiApplication();

// Qt's own notices (no runtime folder, a platform without window masks, ...) are of no use to
// a player and would garble a transcript: only critical and fatal messages reach standard error.
void KeepOnlySeriousQtMessages();

}  // namespace zunk
