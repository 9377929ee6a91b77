// Lazy creation of the QGuiApplication for hosts that have no window of their own.
#include "qt_gui_app.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace zunk {
namespace {

// Start-up notices of a windowless platform (no runtime folder, no session) are of no use to a
// player; they would only garble a transcript on standard error.
void DropStartupNotices(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg || type == QtCriticalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

}  // namespace

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The application keeps references to its arguments for its whole life.
  static int argc = 1;
  static char name[] = "zunk";
  static char* argv[] = {name, nullptr};
  // Kept for the rest of the program: tearing Qt down during static destruction is unsafe.
  const QtMessageHandler previous = qInstallMessageHandler(DropStartupNotices);
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
  qInstallMessageHandler(previous);
}

void KeepOnlySeriousQtMessages() {
  qInstallMessageHandler(DropStartupNotices);
}

}  // namespace zunk
