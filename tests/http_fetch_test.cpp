// Fetching game files over the web: the availability rule and FetchFile against a local
// server (tests/http_server.py) through the real libcurl client, and the request a fetch
// builds, checked on the fake host.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <new>

#include "platform/curl_http.h"
#include "script/script_codec.h"
#include "test_support.h"

extern char** environ;

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUser = "jogador";
constexpr const char* kPasswordCp1252 = "p\xE3o";     // "pão"
constexpr const char* kPasswordUtf8 = "p\xC3\xA3o";

// Short limits keep the stalled-server cases quick.
const HttpLimits kLimits{/*connect_timeout_seconds=*/2, /*stall_timeout_seconds=*/1,
                         /*max_bytes=*/1u << 20};

// Every file under a folder, as sorted relative paths (temporary files included).
std::vector<std::string> FilesUnder(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_directory()) names.push_back(fs::relative(entry.path(), dir).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

HttpResult Served(std::string body) { return HttpResult{true, 200, std::move(body), ""}; }

// Runs tests/http_server.py as a child process for the suite, serving served_.
class HttpFetchTest : public GameTest {
 protected:
  static void SetUpTestSuite() {
    ::setenv("no_proxy", "127.0.0.1", 1);  // no proxy from the environment in between
    served_ = new TempDir;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    const std::string script = std::string(ZUNK_TEST_DATA_DIR) + "/http_server.py";
    const std::string root = served_->path().string();
    const char* argv[] = {"python3", "-I", script.c_str(), root.c_str(), kUser, kPasswordUtf8, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    if (::posix_spawnp(&pid_, "python3", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string line;  // the first line is the port
    pollfd out{fds[0], POLLIN, 0};
    char c;
    while (::poll(&out, 1, 15000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(fds[0]);
    port_ = std::atoi(line.c_str());
  }
  static void TearDownTestSuite() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    delete served_;
  }

  void SetUp() override {
    ASSERT_GT(port_, 0) << "the test server did not start";
    for (const auto& entry : fs::directory_iterator(served_->path())) fs::remove_all(entry.path());
    host_.http = [this](const HttpRequest& request) { return last_ = CurlGet(request, kLimits); };
  }

  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  void Serve(const std::string& utf8_name, const std::string& bytes) {
    WriteBytes(served_->path() / utf8_name, bytes);
  }
  std::string OnDisk(const std::string& utf8_name) { return ReadBytes(dir_.path() / utf8_name); }

  // A game over the server with the right login, its start-up fetches forgotten.
  void StartOnServer() {
    Start(BaseUrl());
    game().login = kUser;
    game().senha = kPasswordCp1252;
    host_.requests.clear();
  }

  static inline TempDir* served_ = nullptr;
  static inline pid_t pid_ = -1;
  static inline int port_ = 0;
  HttpResult last_;
};

TEST_F(HttpFetchTest, FetchedFilesAreSavedByteForByteAndScriptsRun) {
  const std::string script = EncodeScript({"reg 5,7"});
  std::string binary;
  for (int i = 0; i < 300000; ++i) binary += static_cast<char>(i * 7 % 256);
  Serve("porta.scpt", script);
  Serve("sub/imagem.bin", binary);
  StartOnServer();

  game().RunScriptFromHost("porta");
  EXPECT_EQ(world().reg[5], 7);
  EXPECT_TRUE(host_.errors.empty());
  EXPECT_EQ(OnDisk("porta.scpt"), script);

  EXPECT_TRUE(game().FileAvailable("sub\\imagem.bin"));
  EXPECT_EQ(OnDisk("sub/imagem.bin"), binary);
  EXPECT_EQ(host_.requests.size(), 2u);

  EXPECT_EQ(CurlGet({BaseUrl() + "sub/imagem.bin", kUser, kPasswordUtf8}, {2, 1, 1000}).error,
            "file too large");
}

TEST_F(HttpFetchTest, ServerRefusesWrongLoginAndNothingIsWritten) {
  Serve("a.txt", "conteúdo");
  StartOnServer();
  game().senha = "errada";
  EXPECT_FALSE(game().FileAvailable("a.txt"));
  EXPECT_EQ(last_.status, 401);
  game().login.clear();
  game().senha.clear();
  EXPECT_FALSE(game().FileAvailable("a.txt"));
  EXPECT_EQ(last_.status, 401);
  EXPECT_TRUE(FilesUnder(dir_.path()).empty());

  game().login = kUser;
  game().senha = kPasswordCp1252;  // reaches the server as UTF-8
  EXPECT_TRUE(game().FileAvailable("a.txt"));
  EXPECT_EQ(OnDisk("a.txt"), "conteúdo");
}

TEST_F(HttpFetchTest, FailedFetchLeavesNoFileAndKeepsTheDiskCopy) {
  StartOnServer();
  struct Case {
    const char* name;
    long status;
  };
  for (const Case& c : {Case{"_404.txt", 404}, Case{"_drop.txt", 200}, Case{"_stall.txt", 0},
                        Case{"_stallbody.txt", 200}}) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(game().FetchFile(c.name));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    EXPECT_FALSE(last_.ok);
    EXPECT_EQ(last_.status, c.status);
    EXPECT_FALSE(last_.error.empty());
  }
  EXPECT_EQ(host_.lamps.back(), Lamp::Idle);
  EXPECT_TRUE(FilesUnder(dir_.path()).empty());  // no temporary file either

  game().file_source = Source::WebOnly;
  for (const char* name : {"_404.txt", "_drop.txt", "_stallbody.txt"}) {
    SCOPED_TRACE(name);
    WriteFile(name, "antigo");
    EXPECT_FALSE(game().FileAvailable(name));
    EXPECT_EQ(OnDisk(name), "antigo");
  }
  EXPECT_EQ(FilesUnder(dir_.path()).size(), 3u);
}

// A successful answer with no body is a valid, empty file.
TEST_F(HttpFetchTest, EmptyAnswerIsAnEmptyFile) {
  StartOnServer();
  EXPECT_TRUE(game().FileAvailable("_empty.txt"));
  EXPECT_EQ(fs::file_size(dir_.path() / "_empty.txt"), 0u);
  EXPECT_TRUE(game().FileAvailable("_empty.txt"));  // now from disk
  EXPECT_EQ(host_.requests.size(), 1u);
}

TEST_F(HttpFetchTest, SourceDecidesBetweenDiskAndWeb) {
  Serve("a.txt", "novo");
  Serve("b.txt", "b");
  Serve("s.scpt", EncodeScript({"reg 1,1"}));
  StartOnServer();

  // DiskOnly never fetches, even with an address.
  game().file_source = game().script_source = Source::DiskOnly;
  EXPECT_FALSE(game().FileAvailable("a.txt"));
  EXPECT_FALSE(game().ScriptAvailable("s"));
  WriteFile("a.txt", "velho");
  EXPECT_TRUE(game().FileAvailable("a.txt"));
  EXPECT_TRUE(host_.requests.empty());

  // WebOnly fetches every time and replaces the disk copy.
  game().file_source = Source::WebOnly;
  EXPECT_TRUE(game().FileAvailable("a.txt"));
  EXPECT_EQ(OnDisk("a.txt"), "novo");
  Serve("a.txt", "mais novo");
  EXPECT_TRUE(game().FileAvailable("a.txt"));
  EXPECT_EQ(OnDisk("a.txt"), "mais novo");
  EXPECT_EQ(host_.requests.size(), 2u);

  // DiskThenWeb takes the disk copy when there is one and fetches only what is missing.
  game().file_source = game().script_source = Source::DiskThenWeb;
  Serve("a.txt", "ignorado");
  EXPECT_TRUE(game().FileAvailable("a.txt"));
  EXPECT_EQ(OnDisk("a.txt"), "mais novo");
  EXPECT_TRUE(game().ScriptAvailable("s"));
  EXPECT_TRUE(game().ScriptAvailable("s"));
  EXPECT_EQ(host_.requests.size(), 3u);

  // Without an address only the disk counts, and WebOnly has nothing.
  game().url.clear();
  EXPECT_FALSE(game().FileAvailable("b.txt"));
  game().file_source = Source::WebOnly;
  EXPECT_FALSE(game().FileAvailable("a.txt"));
  EXPECT_EQ(host_.requests.size(), 3u);
}

TEST_F(HttpFetchTest, Cp1252NameReachesTheServerAsUtf8) {
  Serve("pra\xC3\xA7" "a central.txt", "fonte");
  StartOnServer();
  EXPECT_TRUE(game().FileAvailable("pra\xE7" "a central.txt"));
  ASSERT_EQ(host_.requests.size(), 1u);
  EXPECT_EQ(host_.requests[0].url, BaseUrl() + "pra%C3%A7a%20central.txt");
  EXPECT_EQ(FilesUnder(dir_.path()), std::vector<std::string>{"pra\xC3\xA7" "a central.txt"});
  EXPECT_EQ(OnDisk("pra\xC3\xA7" "a central.txt"), "fonte");
}

// On the fake host: what a fetch asks of the host, and in which order.
class FetchRequestTest : public GameTest {};

TEST_F(FetchRequestTest, UnsafeNamesAreNeverRequested) {
  Start("http://127.0.0.1:9/");
  host_.http = [](const HttpRequest&) { return Served("x"); };
  host_.requests.clear();
  host_.lamps.clear();
  for (Source source : {Source::WebOnly, Source::DiskThenWeb}) {
    game().file_source = game().script_source = source;
    for (const char* name : {"../x", "a/../../x", "..\\x", "/etc/passwd", "\\x", "C:\\x", "C:x"}) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(game().FileAvailable(name));
      EXPECT_FALSE(game().ScriptAvailable(name));
      EXPECT_FALSE(game().FetchFile(name));
    }
  }
  EXPECT_TRUE(host_.requests.empty());
  EXPECT_TRUE(host_.lamps.empty());
  EXPECT_TRUE(FilesUnder(dir_.path()).empty());
}

TEST_F(FetchRequestTest, LampAndPumpFrameTheRequest) {
  Start("http://servidor/jogo/");
  game().login = "jo\xE3o";
  host_.requests.clear();
  host_.lamps.clear();
  host_.pumps = 0;
  std::vector<Lamp> lamps_at_request;
  int pumps_at_request = -1;
  host_.http = [&](const HttpRequest&) {
    lamps_at_request = host_.lamps;
    pumps_at_request = host_.pumps;
    return Served("dados");
  };
  EXPECT_TRUE(game().FetchFile("sala 1.txt"));
  EXPECT_EQ(lamps_at_request, std::vector<Lamp>{Lamp::Fetching});
  EXPECT_EQ(pumps_at_request, 1);
  EXPECT_EQ(host_.lamps, (std::vector<Lamp>{Lamp::Fetching, Lamp::Idle}));
  EXPECT_EQ(host_.pumps, 1);
  ASSERT_EQ(host_.requests.size(), 1u);
  EXPECT_EQ(host_.requests[0].url, "http://servidor/jogo/sala%201.txt");
  EXPECT_EQ(host_.requests[0].user, "jo\xC3\xA3o");

  // A handler run by the pump may change the login: the request carries the new one.
  host_.on_pump = [&] { game().login = "maria"; };
  EXPECT_TRUE(game().FetchFile("b.txt"));
  EXPECT_EQ(host_.requests.back().user, "maria");

  // The lamp goes back even when the request ends by an exception.
  host_.http = [](const HttpRequest&) -> HttpResult { throw std::bad_alloc(); };
  EXPECT_THROW(game().FetchFile("c.txt"), std::bad_alloc);
  EXPECT_EQ(host_.lamps.back(), Lamp::Idle);
}

}  // namespace
}  // namespace zunk::testing
