// zunk-atualiza, the real program, against the loopback web server: it waits for the game to
// end, replaces the changed files, starts the game again; a wrong access code does nothing;
// killed halfway it leaves no half-written file. Its command line and credentials pipe.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "test_http_server.h"
#include "updater_command.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Lists(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string text = "lista\n0\n";
  for (const auto& [name, size] : pairs) text += name + "\n" + size + "\n";
  return text;
}

class UpdaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.running());
    // Progress as lines, whatever display the tests run under.
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    WriteBytes(game_.path() / "teste.vrb", "NORTE\n");
  }

  UpdaterCommand Command(const std::string& code, long game_pid) {
    UpdaterCommand command;
    command.program = ZUNK_UPDATER_PATH;
    command.access_code = code;
    command.game_dir = game_.path().string();
    command.url = server_.url();
    command.game_pid = game_pid;
    return command;
  }
  long Launch(const UpdaterCommand& command) {
    return LaunchUpdater(command, {TestHttpServer::kUser, TestHttpServer::kPassword});
  }
  static int ExitCode(long pid) {
    int status = 0;
    if (::waitpid(static_cast<pid_t>(pid), &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string InGame(const std::string& name) { return ReadBytes(game_.path() / name); }

  TestHttpServer server_;
  TempDir game_;
};

TEST_F(UpdaterTest, ReplacesTheFilesOfTheEndedGameAndStartsItAgain) {
  server_.Serve("scripts.txt", Lists({{"inicio.scpt", "4"}, {"sala.scpt", "2"}}));
  server_.Serve("arquivos.txt", Lists({{"sala.jpg", "6"}, {"../fora.jpg", "1"}}));
  server_.Serve("inicio.scpt", "novo");
  server_.Serve("sala.scpt", "ok");
  server_.Serve("sala.jpg", "imagem");
  WriteBytes(game_.path() / "inicio.scpt", "velho!");
  WriteBytes(game_.path() / "sala.scpt", "ok");  // the right size: kept

  // A child stands in for the game: it runs for a while, then ends.
  const pid_t game = ::fork();
  if (game == 0) {
    std::this_thread::sleep_for(800ms);
    ::_exit(0);
  }
  UpdaterCommand command = Command("9k41p2w teste", game);
  const fs::path restarted = game_.path() / "reiniciado";
  command.restart = {"/bin/sh", "-c", "echo \"$0\" > '" + restarted.string() + "'", "jogo"};
  const long updater = Launch(command);
  ASSERT_GT(updater, 0);

  std::this_thread::sleep_for(400ms);
  EXPECT_TRUE(server_.TakeRequests().empty()) << "the updater did not wait for the game";
  EXPECT_EQ(InGame("inicio.scpt"), "velho!");
  int status = 0;
  ::waitpid(game, &status, 0);
  EXPECT_EQ(ExitCode(updater), 0);
  EXPECT_EQ(server_.TakeRequests(),
            (Strings{"scripts.txt", "arquivos.txt", "inicio.scpt", "sala.jpg"}));
  EXPECT_EQ(InGame("inicio.scpt"), "novo");
  EXPECT_EQ(InGame("sala.jpg"), "imagem");
  EXPECT_FALSE(fs::exists(game_.path().parent_path() / "fora.jpg"));
  // The game is started again with its arguments.
  for (int i = 0; i < 100 && !fs::exists(restarted); ++i) std::this_thread::sleep_for(20ms);
  EXPECT_EQ(ReadBytes(restarted), "jogo\n");
}

TEST_F(UpdaterTest, AWrongAccessCodeDoesNothing) {
  server_.Serve("scripts.txt", Lists({{"inicio.scpt", "4"}}));
  server_.Serve("inicio.scpt", "novo");
  const fs::path restarted = game_.path() / "reiniciado";
  for (const std::string code :
       {"9k41p2w outro", "9k41p2w ", "teste", "9k41p2wteste", "9k41p2w ../teste"}) {
    UpdaterCommand command = Command(code, 0);
    command.restart = {"/bin/touch", restarted.string()};
    EXPECT_EQ(ExitCode(Launch(command)), 3) << code;
  }
  EXPECT_TRUE(server_.TakeRequests().empty());
  EXPECT_FALSE(fs::exists(game_.path() / "inicio.scpt"));
  EXPECT_FALSE(fs::exists(restarted));
}

TEST_F(UpdaterTest, KilledHalfwayItLeavesNoHalfWrittenFile) {
  server_.Serve("scripts.txt", Lists({{"_slow1.jpg", "1"}}));
  server_.Serve("arquivos.txt", Lists({}));
  WriteBytes(game_.path() / "_slow1.jpg", "velho");
  const long updater = Launch(Command("9k41p2w teste", 0));
  ASSERT_GT(updater, 0);
  Strings requests;
  for (int i = 0; i < 1000; ++i) {  // up to 10 s on a busy machine
    for (std::string& r : server_.TakeRequests()) requests.push_back(std::move(r));
    if (!requests.empty() && requests.back() == "_slow1.jpg") break;
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back(), "_slow1.jpg");
  std::this_thread::sleep_for(300ms);  // part of the body has arrived
  ::kill(static_cast<pid_t>(updater), SIGKILL);
  ExitCode(updater);
  EXPECT_EQ(InGame("_slow1.jpg"), "velho");
  for (const auto& entry : fs::directory_iterator(game_.path())) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }
}

TEST(UpdaterCommandTest, TheCommandLineCarriesNoPasswordAndReadsBack) {
  UpdaterCommand command;
  command.program = "/x/zunk-atualiza";
  command.access_code = "9k41p2w teste";
  command.game_dir = "/jogos/teste";
  command.url = "http://exemplo/jogo/";
  command.game_pid = 4242;
  command.restart = {"/x/zunk", "--", "/jogos/teste"};
  const Strings args = UpdaterArguments(command);
  const auto back = ParseUpdaterArguments(args);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->access_code, command.access_code);
  EXPECT_EQ(back->game_dir, command.game_dir);
  EXPECT_EQ(back->url, command.url);
  EXPECT_EQ(back->game_pid, 4242);
  EXPECT_TRUE(back->login_on_stdin);
  EXPECT_EQ(back->restart, command.restart);
  EXPECT_FALSE(
      ParseUpdaterArguments({"9k41p2w teste", "--pid", "12x", "--pasta", "/a", "--url", "u"}));
  EXPECT_FALSE(ParseUpdaterArguments({"9k41p2w teste", "--url"}));

  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const std::string bytes = EncodeCredentials({"jo\xC3\xA3o", "s e n h a"});
  ASSERT_EQ(::write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  ::close(fds[1]);
  const Credentials read = ReadCredentials(fds[0]);
  ::close(fds[0]);
  EXPECT_EQ(read.user, "jo\xC3\xA3o");
  EXPECT_EQ(read.password, "s e n h a");
}

}  // namespace
}  // namespace zunk::testing
