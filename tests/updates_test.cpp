// Updates of scripts and files, the version check, "Baixar nova versão" and the transfer
// progress against the loopback web server, through the real libcurl client; the server
// counts the requests it answers.
#include "web/updates.h"

#include <chrono>

#include "game/window_buttons.h"
#include "platform/curl_http.h"
#include "test_http_server.h"
#include "web/update_list.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Short limits keep the silent-server cases quick: connect 2 s, stall 1 s, 1 MiB.
const HttpLimits kLimits{2, 1, 1u << 20};

std::string Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string text = "lista\r\n0\r\n";  // the first pair is not used
  for (const auto& [name, size] : pairs) text += name + "\r\n" + size + "\r\n";
  return text;
}

class UpdatesTest : public GameTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.running()) << "the test server did not start";
    host_.http = [this](const HttpRequest& request) {
      HttpRequest watched = request;
      watched.progress = [this, &request](std::uint64_t received, std::uint64_t announced) {
        if (on_progress) on_progress(received);
        return request.progress(received, announced);
      };
      return CurlGet(watched, kLimits);
    };
    Start(server_.url());
    game().login = TestHttpServer::kUser;
    game().senha = TestHttpServer::kPassword;
    server_.TakeRequests();
    host_.lamps.clear();
  }

  bool InGameFolder(const std::string& name) { return fs::exists(dir_.path() / name); }
  // Files left in the game folder whose names start with a dot (temporary files).
  int HiddenFiles() {
    int n = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
      if (entry.path().filename().string().front() == '.') ++n;
    }
    return n;
  }

  TestHttpServer server_;
  std::function<void(std::uint64_t received)> on_progress;
};

TEST_F(UpdatesTest, AnUpdateRunFetchesExactlyTheMissingFilesAndThoseOfAnotherSize) {
  server_.Serve(
      "arquivos.txt",
      Pairs({{"igual.jpg", "5"}, {"maior.jpg", "9"}, {"novo.wav", "3"}, {"sub/fundo.bmp", "4"}}));
  for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"igual.jpg", "NOVO!"},
                                    {"maior.jpg", "123456789"},
                                    {"novo.wav", "abc"},
                                    {"sub/fundo.bmp", "1234"}}) {
    server_.Serve(name, bytes);
  }
  WriteFile("igual.jpg", "velho");  // the right size: kept, even with other contents
  WriteFile("maior.jpg", "curto");
  WriteFile("SUB/FUNDO.BMP", "abcd");  // found whatever its letter case

  const UpdateOutcome outcome = PressUpdate(game(), UpdateKind::Files);
  EXPECT_TRUE(outcome.ran);
  EXPECT_EQ(server_.TakeRequests(), (Strings{"arquivos.txt", "maior.jpg", "novo.wav"}));
  EXPECT_EQ(ReadBytes(dir_.path() / "igual.jpg"), "velho");
  EXPECT_EQ(ReadBytes(dir_.path() / "maior.jpg"), "123456789");
  EXPECT_EQ(ReadBytes(dir_.path() / "novo.wav"), "abc");
  EXPECT_EQ(ReadBytes(dir_.path() / "SUB/FUNDO.BMP"), "abcd");

  // G2 at 150 for files, maximum (lines div 2) - 1, one step a pair, hidden at the end.
  ASSERT_EQ(host_.g2.size(), 6u);
  EXPECT_TRUE(host_.g2.front().visible);
  EXPECT_EQ(host_.g2.front().left, 150);
  EXPECT_EQ(host_.g2.front().maximum, 4u);
  for (std::size_t i = 0; i <= 4; ++i) EXPECT_EQ(host_.g2[i].position, i);
  EXPECT_FALSE(host_.g2.back().visible);
  EXPECT_EQ(host_.transfer_depth, 0);
  EXPECT_FALSE(game().transfer().busy());

  // A second run finds everything up to date: only the list is asked for.
  server_.Serve("scripts.txt", Pairs({{"porta.scpt", "2"}}));
  WriteFile("porta.scpt", "ab");
  host_.g2.clear();
  PressUpdate(game(), UpdateKind::Files);
  PressUpdate(game(), UpdateKind::Scripts);
  EXPECT_EQ(server_.TakeRequests(), (Strings{"arquivos.txt", "scripts.txt"}));
  EXPECT_EQ(host_.g2.back().left, 40);  // scripts
}

TEST_F(UpdatesTest, NamesLeadingOutOfTheGameFolderAndBadSizesAreSkipped) {
  TempDir outside;
  const std::string escape = "../" + outside.path().filename().string() + "/fora.txt";
  server_.Serve("arquivos.txt",
                Pairs({{escape, "1"},
                       {"..\\" + outside.path().filename().string() + "\\fora.txt", "1"},
                       {outside.path().string() + "/fora.txt", "1"},
                       {"C:\\fora.txt", "1"},
                       {"sub/../../fora.txt", "1"},
                       {"tamanho.txt", "12a"},
                       {"negativo.txt", "-3"},
                       {"vazio.txt", ""},
                       {"enorme.txt", "99999999999999999999"},
                       {"bom.txt", " 2 "}}) +
                    "sobra.txt\r\n");  // an odd last line: no pair
  server_.Serve("bom.txt", "ok");
  server_.Serve("tamanho.txt", "x");
  server_.Serve("sobra.txt", "x");

  PressUpdate(game(), UpdateKind::Files);
  EXPECT_EQ(server_.TakeRequests(), (Strings{"arquivos.txt", "bom.txt"}));
  EXPECT_TRUE(fs::is_empty(outside.path()));
  EXPECT_FALSE(InGameFolder("tamanho.txt"));
  EXPECT_EQ(ReadBytes(dir_.path() / "bom.txt"), "ok");
  EXPECT_EQ(host_.g2.front().maximum, 10u);  // skipped pairs still count
  EXPECT_EQ(host_.g2[host_.g2.size() - 2].position, 10u);
}

TEST_F(UpdatesTest, ShortListsDownloadNothing) {
  for (const std::string list : {"", "s\r\n", "s\r\n0\r\n", "s\r\n0\r\nnada.txt\r\n"}) {
    server_.Serve("scripts.txt", list);
    server_.Serve("nada.txt", "x");
    host_.g2.clear();
    EXPECT_TRUE(PressUpdate(game(), UpdateKind::Scripts).ran);
    EXPECT_EQ(server_.TakeRequests(), Strings{"scripts.txt"}) << list;
    ASSERT_FALSE(host_.g2.empty());
    EXPECT_EQ(host_.g2.front().maximum, 0u);
    EXPECT_FALSE(InGameFolder("nada.txt"));
  }
  // A list the server does not have: no run, no gauge.
  host_.g2.clear();
  EXPECT_FALSE(PressUpdate(game(), UpdateKind::Files).ran);
  EXPECT_TRUE(host_.g2.empty());
}

TEST_F(UpdatesTest, TenThousandEntriesAreCheckedAndOnlyChangedOnesFetched) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (int i = 0; i < 10000; ++i) {
    const std::string name = "d" + std::to_string(i / 1000) + "/f" + std::to_string(i) + ".txt";
    pairs.emplace_back(name, "3");
    if (i % 2500 != 7) WriteFile(name, "abc");
  }
  server_.Serve("arquivos.txt", Pairs(pairs));
  for (int i : {7, 2507, 5007, 7507}) {
    server_.Serve("d" + std::to_string(i / 1000) + "/f" + std::to_string(i) + ".txt", "new");
  }
  const UpdateOutcome outcome = PressUpdate(game(), UpdateKind::Files);
  EXPECT_EQ(outcome.checked, 10000u);
  EXPECT_EQ(outcome.fetched, 4u);
  EXPECT_EQ(server_.TakeRequests().size(), 5u);
  EXPECT_EQ(host_.g2.front().maximum, 10000u);
}

TEST(UpdateListTest, ListsAreBoundedAndSizesStrict) {
  std::string text = "h\n0\n";
  for (std::size_t i = 0; i < kMaxUpdatePairs + 10; ++i) text += "a\n1\n";
  EXPECT_EQ(ParseUpdateList(text).entries.size(), kMaxUpdatePairs);

  std::uint64_t size = 0;
  EXPECT_TRUE(ParseSize("18446744073709551", size));
  EXPECT_EQ(size, 18446744073709551u);
  EXPECT_FALSE(ParseSize("12345678901234567890", size));  // 20 digits
  EXPECT_FALSE(ParseSize("1e3", size));
  EXPECT_FALSE(ParseSize("+1", size));
  EXPECT_FALSE(ParseSize("", size));

  std::string names = "1.0\n";
  for (std::size_t i = 0; i < kMaxObsoleteNames + 10; ++i) names += "velho.txt\n";
  names += "../fora.txt\n";
  const VersionFile file = ParseVersionFile(names);
  EXPECT_EQ(file.version, "1.0");
  EXPECT_EQ(file.obsolete.size(), kMaxObsoleteNames);
  EXPECT_TRUE(ParseVersionFile("").version.empty());
}

TEST_F(UpdatesTest, TheVersionCheckComparesAndDeletesOnlyInsideTheGameFolder) {
  UpdateControls& controls = game().update_controls();
  EXPECT_EQ(controls.version, "1.0h");  // no "versao.txt"
  TempDir outside;
  WriteBytes(outside.path() / "vitima.txt", "x");
  WriteFile("velho.jpg", "x");
  WriteFile("sub/velho2.jpg", "x");
  server_.Serve("vrs.txt", "1.0h\r\nVELHO.JPG\r\nsub\\velho2.jpg\r\n../" +
                               outside.path().filename().string() + "/vitima.txt\r\n" +
                               outside.path().string() + "/vitima.txt\r\nsub\r\n");
  PressVersionCheck(game());
  EXPECT_EQ(controls.st_down, "Vers\xE3o atualizada!");
  EXPECT_FALSE(controls.download_shown);
  EXPECT_FALSE(InGameFolder("velho.jpg"));
  EXPECT_FALSE(InGameFolder("sub/velho2.jpg"));
  EXPECT_TRUE(InGameFolder("sub"));  // folders are never deleted
  EXPECT_TRUE(fs::exists(outside.path() / "vitima.txt"));

  server_.Serve("vrs.txt", "2.0\n");
  PressVersionCheck(game());
  EXPECT_EQ(controls.st_down, "Existe uma vers\xE3o mais recente deste jogo...");
  EXPECT_TRUE(controls.download_shown);

  // An empty version file names no version: nothing changes.
  controls = UpdateControls{"1.0h", "", false, {}};
  WriteFile("fica.txt", "x");
  server_.Serve("vrs.txt", "");
  PressVersionCheck(game());
  EXPECT_EQ(controls.st_down, "");
  EXPECT_FALSE(controls.download_shown);
  EXPECT_EQ(server_.TakeRequests(), (Strings{"vrs.txt", "vrs.txt", "vrs.txt"}));

  // No connection: the text, and no request.
  host_.connected = false;
  PressVersionCheck(game());
  EXPECT_EQ(controls.st_down, "Sem conex\xE3o internet!");
  EXPECT_TRUE(server_.TakeRequests().empty());
}

TEST_F(UpdatesTest, TheVersionTextComesFromTheGameFolder) {
  WriteFile("versao.txt", "2.3b\r\nnotas\r\n");
  Start(server_.url());
  game().login = TestHttpServer::kUser;
  game().senha = TestHttpServer::kPassword;
  EXPECT_EQ(game().update_controls().version, "2.3b");
  server_.Serve("vrs.txt", "2.3b\n");
  PressVersionCheck(game());
  EXPECT_EQ(game().update_controls().st_down, "Vers\xE3o atualizada!");
}

TEST_F(UpdatesTest, DownloadingANewVersionStartsOnlyTheInstalledUpdater) {
  server_.Serve("atlz.exe", "MZ");
  EXPECT_EQ(PressDownload(game()), WindowAction::End);
  // The two files are asked for as the system did, but nothing of the folder is started.
  EXPECT_EQ(server_.TakeRequests(), (Strings{"atlz.exe", "zipdll.dll"}));
  ASSERT_EQ(host_.updater_requests.size(), 1u);
  EXPECT_EQ(host_.updater_requests[0].access_code, "9k41p2w teste");
  EXPECT_EQ(host_.updater_requests[0].url, server_.url());
  EXPECT_EQ(host_.updater_requests[0].user, TestHttpServer::kUser);

  host_.updater_starts = false;  // not installed: the game goes on and says so
  EXPECT_EQ(PressDownload(game()), WindowAction::None);
  EXPECT_EQ(game().update_controls().st_down, "Atualizador n\xE3o encontrado.");
}

TEST_F(UpdatesTest, ATransferShowsItsProgressOnTheLampGaugeAndStatusLine) {
  std::string body(150000, 'z');
  server_.Serve("grande.bin", body);
  Strings statuses;
  on_progress = [&](std::uint64_t) { statuses.push_back(game().output().status()); };
  EXPECT_TRUE(game().FetchFile("grande.bin"));
  // Asked for (aqua), started (green), bytes arriving (red), idle (maroon).
  ASSERT_GE(host_.lamps.size(), 4u);
  EXPECT_EQ(host_.lamps[0], Lamp::Requested);
  EXPECT_EQ(host_.lamps[1], Lamp::Started);
  EXPECT_EQ(host_.lamps[2], Lamp::Fetching);
  EXPECT_EQ(host_.lamps.back(), Lamp::Idle);
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Baixando..."), statuses.end());
  EXPECT_EQ(game().output().status(), "");  // cleared at the end
  // G1: maximum the announced size, progress in bytes, back to 0.
  bool saw_whole = false;
  for (const GaugeState& g : host_.g1) {
    saw_whole |= g.maximum == body.size() && g.position == body.size();
  }
  EXPECT_TRUE(saw_whole);
  EXPECT_EQ(host_.g1.back().position, 0u);
  EXPECT_FALSE(game().transfer().busy());
}

TEST_F(UpdatesTest, StopBreaksOffATransferHalfwayAndLeavesNoFile) {
  WriteFile("_slow.bin", "old");
  bool pressed = false;
  on_progress = [&](std::uint64_t received) {
    if (received >= 20000 && !pressed) {
      pressed = true;
      PressWindowButton(game(), WindowButton::Stp);  // the press arrives during the transfer
    }
  };
  EXPECT_FALSE(game().FetchFile("_slow.bin"));
  EXPECT_TRUE(pressed);
  EXPECT_EQ(ReadBytes(dir_.path() / "_slow.bin"), "old");
  EXPECT_EQ(HiddenFiles(), 0);
  EXPECT_EQ(host_.lamps.back(), Lamp::Idle);
  EXPECT_FALSE(game().transfer().stop_requested());  // forgotten: the next fetch works
  server_.Serve("depois.txt", "x");
  EXPECT_TRUE(game().FetchFile("depois.txt"));

  // In an update run the stop ends the run: the later files are not asked for.
  server_.Serve("arquivos.txt", Pairs({{"_slow1", "1"}, {"_slow2", "1"}, {"_slow3", "1"}}));
  server_.TakeRequests();
  pressed = false;
  PressUpdate(game(), UpdateKind::Files);
  EXPECT_EQ(server_.TakeRequests(), (Strings{"arquivos.txt", "_slow1"}));
  EXPECT_FALSE(host_.g2.back().visible);
}

TEST_F(UpdatesTest, AServerThatNeverAnswersIsBoundedAndStopWorksOnIt) {
  auto start = Clock::now();
  EXPECT_FALSE(game().FetchFile("_stall.txt"));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));  // the 1 s stall limit
  EXPECT_EQ(host_.lamps.back(), Lamp::Idle);
  EXPECT_FALSE(game().transfer().busy());

  // With a long stall limit btStp still ends it: progress is reported while nothing arrives.
  host_.http = [this](const HttpRequest& request) {
    HttpRequest watched = request;
    const auto began = Clock::now();
    watched.progress = [&](std::uint64_t received, std::uint64_t announced) {
      if (Clock::now() - began > std::chrono::milliseconds(300)) {
        PressWindowButton(game(), WindowButton::Stp);
      }
      return request.progress(received, announced);
    };
    return CurlGet(watched, HttpLimits{2, 60, 1u << 20});
  };
  start = Clock::now();
  EXPECT_FALSE(game().FetchFile("_stall2.txt"));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
  EXPECT_FALSE(InGameFolder("_stall2.txt"));
}

TEST_F(UpdatesTest, NothingStartsWhileATransferRuns) {
  server_.Serve("arquivos.txt", Pairs({{"a.txt", "1"}, {"b.txt", "1"}}));
  server_.Serve("a.txt", "a");
  server_.Serve("b.txt", "b");
  UpdateOutcome nested;
  int depth_seen = 0;
  host_.on_pump = [&] {
    depth_seen = std::max(depth_seen, host_.transfer_depth);
    if (!nested.ran) nested = PressUpdate(game(), UpdateKind::Files);
    PressVersionCheck(game());
  };
  EXPECT_TRUE(PressUpdate(game(), UpdateKind::Files).ran);
  EXPECT_FALSE(nested.ran);
  EXPECT_GE(depth_seen, 1);  // the host held input back for the whole run
  EXPECT_EQ(host_.transfer_depth, 0);
  EXPECT_EQ(server_.TakeRequests(), (Strings{"arquivos.txt", "a.txt", "b.txt"}));
}

TEST(UpdateConsoleTest, TheHeadlessPlayerPressesTheUpdateControls) {
  TestHttpServer server;
  ASSERT_TRUE(server.running());
  TempDir game;
  WriteBytes(game.path() / "teste.vrb", "NORTE\n");
  // Lines 5 and 6 of the settings file hold the login.
  WriteBytes(game.path() / "teste.ovt", std::string("\n\n\n\n\n") + TestHttpServer::kUser + "\n" +
                                            TestHttpServer::kPassword + "\n");
  WriteBytes(game.path() / "entrada.txt",
             "!atualizar arquivos\n!atualizar scripts\n!versao\n!baixar\nNORTE\n");
  server.Serve("arquivos.txt", Pairs({{"a.txt", "1"}, {"../b.txt", "1"}}));
  server.Serve("a.txt", "a");
  server.Serve("vrs.txt", "2.0\n");
  const std::string command = std::string(ZUNK_RUN_PATH) + " '" + game.path().string() +
                              "' --url " + server.url() + " --input '" +
                              (game.path() / "entrada.txt").string() + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  ::pclose(pipe);
  std::size_t at = 0;
  for (const std::string& piece : Strings{
           "atualizar: 1 verificados, 1 baixados, 0 falharam",
           "atualizar: lista indispon\xC3\xADvel",
           "stDown: Existe uma vers\xC3\xA3o mais recente deste jogo...", "btDown: vis\xC3\xADvel",
           "janela: encerrada", "atualizador: 9k41p2w teste " + server.url()}) {
    at = output.find(piece, at);
    ASSERT_NE(at, std::string::npos) << "missing: " << piece << "\n" << output;
  }
  EXPECT_EQ(output.find("NORTE"), std::string::npos);  // nothing is read after the end
  EXPECT_EQ(ReadBytes(game.path() / "a.txt"), "a");
}

}  // namespace
}  // namespace zunk::testing
