// The game: start-up from a game folder, the world, the output model, the interpreter, the
// file-availability rule with its web fetch, and the guarded entry points through which a
// host's event handlers start runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>

#include "game/object_panels.h"
#include "game/output.h"
#include "game/panel_mouse.h"
#include "game/parser/sentence_parser.h"
#include "game/timers.h"
#include "game/world/world.h"
#include "media/media_channels.h"
#include "platform/game_folder.h"
#include "platform/host.h"
#include "platform/zip_library.h"
#include "screen/links.h"
#include "screen/picture_loader.h"
#include "screen/screen.h"
#include "screen/screen_mouse.h"
#include "script/interpreter.h"
#include "script/script_fault.h"
#include "web/transfer.h"
#include "web/updates.h"
#include "web/web_state.h"

namespace zunk {

// Where a kind of file is read from.
enum class Source { DiskOnly, WebOnly, DiskThenWeb };

struct GameConfig {
  std::filesystem::path game_dir;
  std::string base_name;              // CP1252
  std::string url;                    // preset base URL of the game's files, CP1252
  std::filesystem::path zip_library;  // the zip module; empty: found beside the program
};

// Game folder and base name from the program's own path: its folder, and its file name less
// the last four characters.
GameConfig ConfigFromProgramPath(const std::filesystem::path& program);

// The base name of the data files in a folder, for hosts given only the folder: the name of
// the first (in name order) ".vrb", ".plr", ".msg", ".obj" or ".ovt" file, or the folder's
// own name when there is none.
std::string FindBaseName(const std::filesystem::path& game_dir);

// Whether the folder holds data files of that base name (".vrb", ".plr", ".msg", ".obj" or
// ".ovt", in any letter case): a host started without a game asks for a folder otherwise.
bool HoldsGame(const std::filesystem::path& game_dir, const std::string& base_name);

class Game {
 public:
  // Builds the whole game state from the folder (start-up); a StartupFailure when the zip
  // module cannot be loaded.
  Game(Host& host, GameConfig config);
  // Writes the club login back to the settings file when it exists.
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Window activation: the first one runs the start script FncDef[1].
  void Activate();

  // Entry points for event handlers: a fault ends the run and reaches the error display.
  void RunScriptFromHost(const std::string& name);
  void ExecLineFromHost(const std::string& line);

  // The input line: Return parses the text of Frase; EnterSentence puts a whole sentence
  // into Frase first. A press on suggestion n (1..3) runs its script.
  void PressReturn();
  void EnterSentence(std::string text);
  void PressSuggestion(int n);

  // The window timers' ticks.
  void ClockTick();
  void PeriodicTick();

  // Pointer events of Tela, in Tela coordinates.
  void PointerMove(std::int32_t x, std::int32_t y);
  void PointerPress(std::int32_t x, std::int32_t y);
  void PointerRelease(std::int32_t x, std::int32_t y);
  // The object panels' pointer events are PanelMove and its neighbours (game/panel_mouse.h),
  // guarded the same way.

  // The media layer's reports (see Host): a play on a channel ended (at_end: at the end of
  // its file), or failed after it had started (shown once; the channel closes, no run ends).
  void MediaPlayEnded(int channel, std::uint32_t play_id, bool at_end);
  void MediaFailed(int channel, std::uint32_t play_id, const std::string& message);

  // Shows a page of the page set and remembers it.
  void ShowPage(BookPage page);
  BookPage page() const { return page_; }

  // Runs body as an event handler does: a fault ends the run and reaches the error display.
  template <typename Body>
  void Guarded(Body body);

  bool ScriptAvailable(std::string_view name);
  bool FileAvailable(std::string_view name);
  // Gets url + name (URL-encoded, UTF-8) with the login and replaces the game folder's copy.
  // False, with the folder untouched, unless the whole file arrived with a 2xx status; an
  // empty body is a valid, empty file. Unsafe names are refused without a request. The
  // transfer shows its progress (transfer()) and btStp breaks it off; the player's input
  // waits while it runs.
  bool FetchFile(std::string_view name);

  // Loads a data file (BaseName + extension) into a list when it is available.
  bool LoadDataFile(const std::string& extension, LineList& into);

  // A file of the game folder, from disk: nothing when it is missing, and nothing for a file
  // over kMaxGameFileBytes, which is reported (once).
  std::optional<std::string> ReadGameFile(std::string_view name);
  // Reports a problem of a game file through the error display, once per file and problem.
  void ReportFileOnce(const std::string& message);
  // Reports that lines of the named file were cut when it was loaded.
  void ReportCutLines(std::string_view name);

  Host& host() { return host_; }
  World& world() { return world_; }
  const World& world() const { return world_; }
  Output& output() { return output_; }
  Interpreter& interpreter() { return interpreter_; }
  Screen& screen() { return screen_; }
  ObjectPanels& panels() { return panels_; }
  const ObjectPanels& panels() const { return panels_; }
  PanelMouse& panel_mouse() { return panel_mouse_; }
  ZipLibrary& zip_library() { return *zip_library_; }
  PictureCache& picture_cache() { return picture_cache_; }
  FailedArchives& failed_archives() { return failed_archives_; }
  SentenceParser& parser() { return parser_; }
  Timers& timers() { return timers_; }
  LinkTable& links() { return links_; }
  MediaChannels& media() { return media_; }
  ScreenMouse& mouse() { return mouse_; }
  const GameFolder& folder() const { return folder_; }
  const std::string& base_name() const { return base_name_; }
  std::mt19937& random() { return random_; }
  Transfer& transfer() { return transfer_; }
  const Transfer& transfer() const { return transfer_; }
  UpdateControls& update_controls() { return update_controls_; }
  const UpdateControls& update_controls() const { return update_controls_; }

  std::string url;    // Url
  std::string login;  // Login
  std::string senha;  // Senha
  std::string frase;  // Frase, the input line
  Source script_source = Source::DiskThenWeb;
  Source file_source = Source::DiskThenWeb;
  WebState web;  // the game's web pages and the browsers' lamps and gauges

 private:
  bool Available(const std::string& file_name, Source source);

  Host& host_;
  GameFolder folder_;
  std::string base_name_;
  World world_;
  Output output_;
  Interpreter interpreter_;
  Screen screen_;
  ObjectPanels panels_;
  PanelMouse panel_mouse_;
  std::unique_ptr<ZipLibrary> zip_library_;
  PictureCache picture_cache_;
  FailedArchives failed_archives_;
  SentenceParser parser_;
  Timers timers_;
  LinkTable links_;
  MediaChannels media_;
  ScreenMouse mouse_;
  BookPage page_ = BookPage::Screen;
  Transfer transfer_;
  UpdateControls update_controls_;
  std::mt19937 random_;
  bool first_activation_ = true;
  std::unordered_set<std::string> reported_files_;
};

template <typename Body>
void Game::Guarded(Body body) {
  try {
    body();
  } catch (const ScriptFault& fault) {
    host_.ShowError(fault.what());
  } catch (const std::bad_alloc&) {
    host_.ShowError("Mem\xF3ria insuficiente.");
  }
}

// The message for a game file over kMaxGameFileBytes (CP1252).
std::string TooLargeMessage(std::string_view name);

// Percent-encodes a CP1252 file name for a URL path: UTF-8, unreserved characters and "/"
// kept, backslashes turned into "/".
std::string EncodeUrlPath(std::string_view name);

// Percent-encodes only what may not stand in a URL (blanks, controls, non-ASCII) of a base
// address typed by an author; its delimiters are kept.
std::string EncodeBaseUrl(std::string_view url);

}  // namespace zunk
