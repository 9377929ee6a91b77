// zunk-atualiza, the game's updater: started by the game's "Baixar nova versão" with the
// access code, the game folder, the base URL, the game's process id and the command that
// starts the game again (the login and password arrive on standard input). A wrong access
// code ends it at once. It waits for the game to end, brings the files of both update lists
// up to date, and starts the game again; a small window shows the progress, or lines on
// standard output when there is no display.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "platform/cp1252.h"
#include "updater_run.h"

namespace {

using namespace zunk;

constexpr auto kGameEndLimit = std::chrono::minutes(2);

bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
         std::getenv("QT_QPA_PLATFORM") != nullptr;
}

// The progress window: the file being looked at and a bar.
class ProgressWindow {
 public:
  ProgressWindow() {
    window_.setWindowTitle(QString::fromUtf8("Atualizando o jogo"));
    auto* layout = new QVBoxLayout(&window_);
    label_ = new QLabel(QString::fromUtf8("Esperando o jogo terminar..."));
    bar_ = new QProgressBar;
    layout->addWidget(label_);
    layout->addWidget(bar_);
    window_.resize(360, 80);
    window_.show();
    QApplication::processEvents();
  }
  void Show(const QString& text, std::size_t done, std::size_t total) {
    label_->setText(text);
    bar_->setMaximum(static_cast<int>(std::max<std::size_t>(total, 1)));
    bar_->setValue(static_cast<int>(done));
    QApplication::processEvents();
  }

 private:
  QWidget window_;
  QLabel* label_ = nullptr;
  QProgressBar* bar_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto command = ParseUpdaterArguments(arguments);
  if (!command) {
    std::cerr << "uso: zunk-atualiza CODIGO --pasta PASTA --url URL --pid PID [--login-stdin]"
                 " [-- PROGRAMA ARGUMENTOS...]\n";
    return 2;
  }
  if (!AccessCodeValid(*command)) return 3;  // nothing is done
  Credentials credentials;
  if (command->login_on_stdin) credentials = ReadCredentials(STDIN_FILENO);
  // The game started again must not inherit the pipe.
  const int null_fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (null_fd >= 0) {
    ::dup2(null_fd, STDIN_FILENO);
    ::close(null_fd);
  }

  std::unique_ptr<QApplication> app;
  std::unique_ptr<ProgressWindow> window;
  if (HasDisplay()) {
    app = std::make_unique<QApplication>(argc, argv);
    window = std::make_unique<ProgressWindow>();
  }
  auto report = [&](const std::string& text, std::size_t done, std::size_t total) {
    if (window) {
      window->Show(QString::fromStdString(text), done, total);
    } else {
      std::cout << "zunk-atualiza: " << done << "/" << total << " " << text << std::endl;
    }
  };

  report("esperando o jogo terminar", 0, 0);
  if (!WaitForProcessEnd(command->game_pid, kGameEndLimit)) {
    report("o jogo continua aberto: nada foi atualizado", 0, 0);
    return 4;
  }
  const GameFolder folder(command->game_dir);
  const UpdaterOutcome outcome =
      UpdateGameFiles(folder, command->url, credentials, HttpLimits{},
                      [&](const std::string& name, std::size_t done, std::size_t total) {
                        report(name.empty() ? "pronto" : Cp1252ToUtf8(name), done, total);
                      });
  std::cout << "zunk-atualiza: " << outcome.fetched << " arquivos atualizados, " << outcome.failed
            << " falharam" << std::endl;
  if (!command->restart.empty() && !RestartGame(command->restart)) return 5;
  return outcome.lists_read && outcome.failed == 0 ? 0 : 1;
}
