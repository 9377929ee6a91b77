// Fetching game files over the web: FetchFile and the availability rule against a local
// server (tests/http_server.py) through the real libcurl client, and the request a fetch
// builds, checked on the fake host.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <new>

#include "platform/curl_http.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUser = "jogador";
constexpr const char* kPasswordCp1252 = "p\xE3o";  // "pão"
constexpr const char* kPasswordUtf8 = "p\xC3\xA3o";
// Short limits keep the stalled-server cases quick: connect 2 s, stall 1 s, 1 MiB.
const HttpLimits kLimits{2, 1, 1u << 20};

// Runs tests/http_server.py for each test, serving the files of served_, and starts a game
// over it with the right login, its start-up fetches forgotten.
class HttpFetchTest : public GameTest {
 protected:
  void SetUp() override {
    ::setenv("no_proxy", "127.0.0.1", 1);  // no proxy from the environment in between
    const std::string command = "exec python3 -I '" + std::string(ZUNK_TEST_DATA_DIR) +
                                "/http_server.py' '" + served_.path().string() + "' " + kUser +
                                " " + kPasswordUtf8;
    server_ = ::popen(command.c_str(), "r");
    ASSERT_TRUE(server_ != nullptr && std::fscanf(server_, "%d %d", &port_, &pid_) == 2)
        << "the test server did not start";
    host_.http = [this](const HttpRequest& request) { return last_ = CurlGet(request, kLimits); };
    Start(BaseUrl());
    game().login = kUser;
    game().senha = kPasswordCp1252;
    host_.requests.clear();
  }
  void TearDown() override {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    if (server_ != nullptr) ::pclose(server_);
  }

  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  void Serve(const std::string& utf8_name, const std::string& bytes) {
    WriteBytes(served_.path() / utf8_name, bytes);
  }
  std::string OnDisk(const std::string& utf8_name) { return ReadBytes(dir_.path() / utf8_name); }

  TempDir served_;
  FILE* server_ = nullptr;
  int pid_ = -1;
  int port_ = 0;
  HttpResult last_;
};

TEST_F(HttpFetchTest, FetchedFilesAreSavedByteForByteAndScriptsRun) {
  const std::string script = EncodeScript({"reg 5,7"});
  std::string binary;
  for (int i = 0; i < 300000; ++i) binary += static_cast<char>(i * 7 % 256);
  Serve("porta.scpt", script);
  Serve("sub/imagem.bin", binary);
  Serve(
      "pra\xC3\xA7"
      "a central.txt",
      "fonte");
  Serve("vazio.txt", "");

  Run("porta");
  EXPECT_EQ(world().reg[5], 7);
  EXPECT_EQ(OnDisk("porta.scpt"), script);
  EXPECT_TRUE(game().FileAvailable("sub\\imagem.bin"));
  EXPECT_EQ(OnDisk("sub/imagem.bin"), binary);
  // A CP1252 name reaches the server and the disk as UTF-8.
  EXPECT_TRUE(
      game().FileAvailable("pra\xE7"
                           "a central.txt"));
  EXPECT_EQ(host_.requests.back().url, BaseUrl() + "pra%C3%A7a%20central.txt");
  EXPECT_EQ(OnDisk("pra\xC3\xA7"
                   "a central.txt"),
            "fonte");
  // A successful answer with no body is a valid, empty file, afterwards read from disk.
  EXPECT_TRUE(game().FileAvailable("vazio.txt"));
  EXPECT_TRUE(game().FileAvailable("vazio.txt"));
  EXPECT_EQ(OnDisk("vazio.txt"), "");
  EXPECT_EQ(host_.requests.size(), 4u);

  EXPECT_EQ(CurlGet({BaseUrl() + "sub/imagem.bin", kUser, kPasswordUtf8, {}}, {2, 1, 1000}).error,
            "file too large");
}

TEST_F(HttpFetchTest, FailedFetchLeavesNoFileAndKeepsTheDiskCopy) {
  Serve("a.txt", "conteúdo");
  game().senha = "errada";  // refused: nothing is written
  EXPECT_FALSE(game().FileAvailable("a.txt"));
  EXPECT_EQ(last_.status, 401);
  game().senha = kPasswordCp1252;
  for (const auto& [name, status] : std::vector<std::pair<std::string, long>>{
           {"_404.txt", 404}, {"_drop.txt", 200}, {"_stall.txt", 0}, {"_stallbody.txt", 200}}) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(game().FetchFile(name)) << name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8)) << name;
    EXPECT_EQ(last_.status, status) << name;
    EXPECT_FALSE(last_.ok || last_.error.empty()) << name;
  }
  EXPECT_TRUE(fs::is_empty(dir_.path()));  // no temporary file either

  game().file_source = Source::WebOnly;
  for (const char* name : {"_404.txt", "_drop.txt"}) {
    WriteFile(name, "antigo");
    EXPECT_FALSE(game().FileAvailable(name));
    EXPECT_EQ(OnDisk(name), "antigo") << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), {}), 2);
}

TEST_F(HttpFetchTest, SourceDecidesBetweenDiskAndWeb) {
  Serve("a.txt", "novo");
  Serve("s.scpt", EncodeScript({"reg 1,1"}));
  // DiskOnly never fetches, even with an address.
  game().file_source = game().script_source = Source::DiskOnly;
  EXPECT_FALSE(game().FileAvailable("a.txt") || game().ScriptAvailable("s"));
  WriteFile("a.txt", "velho");
  EXPECT_TRUE(game().FileAvailable("a.txt"));

  // WebOnly fetches every time and replaces the disk copy.
  game().file_source = Source::WebOnly;
  for (const char* text : {"novo", "mais novo"}) {
    Serve("a.txt", text);
    EXPECT_TRUE(game().FileAvailable("a.txt"));
    EXPECT_EQ(OnDisk("a.txt"), text);
  }

  // DiskThenWeb takes the disk copy when there is one and fetches only what is missing.
  game().file_source = game().script_source = Source::DiskThenWeb;
  Serve("a.txt", "ignorado");
  EXPECT_TRUE(game().FileAvailable("a.txt"));
  EXPECT_EQ(OnDisk("a.txt"), "mais novo");
  EXPECT_TRUE(game().ScriptAvailable("s") && game().ScriptAvailable("s"));
  EXPECT_EQ(host_.requests.size(), 3u);

  // Without an address only the disk counts, and WebOnly has nothing.
  game().url.clear();
  EXPECT_FALSE(game().FileAvailable("b.txt"));
  game().file_source = Source::WebOnly;
  EXPECT_FALSE(game().FileAvailable("a.txt"));
  EXPECT_EQ(host_.requests.size(), 3u);
}

// On the fake host: what a fetch asks of the host, and in which order.
class FetchRequestTest : public GameTest {
 protected:
  void SetUp() override {
    Start("http://servidor/jogo/");
    host_.http = [](const HttpRequest&) { return HttpResult{true, 200, "dados", ""}; };
    host_.log.clear();
  }
};

TEST_F(FetchRequestTest, UnsafeNamesAreNeverRequested) {
  for (Source source : {Source::WebOnly, Source::DiskThenWeb}) {
    game().file_source = game().script_source = source;
    for (const char* name : {"../x", "a/../../x", "..\\x", "/etc/passwd", "\\x", "C:\\x", "C:x"}) {
      EXPECT_FALSE(game().FileAvailable(name) || game().ScriptAvailable(name) ||
                   game().FetchFile(name))
          << name;
    }
  }
  EXPECT_TRUE(host_.log.empty());
  EXPECT_TRUE(fs::is_empty(dir_.path()));
}

TEST_F(FetchRequestTest, LampAndPumpFrameTheRequest) {
  game().login = "jo\xE3o";
  EXPECT_TRUE(game().FetchFile("sala 1.txt"));
  EXPECT_EQ(host_.log,
            (Strings{"lamp on", "pump", "get http://servidor/jogo/sala%201.txt", "lamp off"}));
  EXPECT_EQ(host_.requests.back().user, "jo\xC3\xA3o");

  // A handler run by the pump may change the login: the request carries the new one.
  host_.on_pump = [&] { game().login = "maria"; };
  EXPECT_TRUE(game().FetchFile("b.txt"));
  EXPECT_EQ(host_.requests.back().user, "maria");

  // The lamp goes back even when the request ends by an exception.
  host_.http = [](const HttpRequest&) -> HttpResult { throw std::bad_alloc(); };
  EXPECT_THROW(game().FetchFile("c.txt"), std::bad_alloc);
  EXPECT_EQ(host_.log.back(), "lamp off");
}

TEST_F(FetchRequestTest, ASentenceFetchesItsWebOnlyScriptOnce) {
  WriteFile("teste.vrb", "NORTE\r\nLESTE\r\nSUL\r\nOESTE\r\nOLHE\r\n");
  Start("http://servidor/jogo/");
  host_.http = [](const HttpRequest&) {
    return HttpResult{true, 200, EncodeScript({"reg 1,7"}), ""};
  };
  game().script_source = Source::WebOnly;
  host_.requests.clear();
  game().EnterSentence("OLHE");
  EXPECT_EQ(world().reg[1], 7);
  ASSERT_EQ(host_.requests.size(), 1u);
  EXPECT_EQ(host_.requests[0].url, "http://servidor/jogo/05000000.scpt");
}

}  // namespace
}  // namespace zunk::testing
