// The window tests run on Qt's offscreen platform unless a display is asked for, with the
// program's media back end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>

#include "qt_gui_app.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("QT_MEDIA_BACKEND", "gstreamer", 0);  // as the program plays
  // Without a sound card GStreamer's OpenAL sink fills the log with ALSA's complaints before
  // the silent sink is chosen; the tests skip it.
  ::setenv("GST_PLUGIN_FEATURE_RANK", "openalsink:NONE", 0);
  // The browser engine's sandbox cannot run as root (containers, CI): the tests run the engine
  // without it there. (Set here: ctest splits a discovered test's list of variables.)
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  zunk::KeepOnlySeriousQtMessages();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
