// Lazy creation of the QGuiApplication for hosts that have no window of their own.
#include "qt_gui_app.h"

#include <QGuiApplication>
#include <cstdlib>

namespace zunk {

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The application keeps references to its arguments for its whole life.
  static int argc = 1;
  static char name[] = "zunk";
  static char* argv[] = {name, nullptr};
  // Kept for the rest of the program: tearing Qt down during static destruction is unsafe.
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

}  // namespace zunk
