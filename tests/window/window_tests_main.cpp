// The window tests run on Qt's offscreen platform unless a display is asked for, with the
// program's media back end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>

#include "qt_gui_app.h"

#if defined(__SANITIZE_ADDRESS__)
// The browser engine's library deletes some of its own objects through another type than it
// made them with; that check is off in this binary (it runs the engine), every other stays on.
extern "C" const char* __asan_default_options() {
  return "new_delete_type_mismatch=0";
}
#endif

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
