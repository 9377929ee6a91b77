// Start-up, activation, shutdown and the guarded run entry points.
#include "game/game.h"

#include <chrono>

#include "game/settings.h"
#include "platform/cp1252.h"
#include "script/script_codec.h"
#include "script/script_fault.h"
#include "web/web_pages.h"

namespace zunk {

Game::Game(Host& host, GameConfig config)
    : url(std::move(config.url)),
      host_(host),
      folder_(std::move(config.game_dir)),
      base_name_(std::move(config.base_name)),
      interpreter_(*this),
      zip_library_(ZipLibrary::Load(config.zip_library)),
      parser_(*this),
      media_(*this),
      transfer_(host_, output_),
      random_(
          static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
  world_.fncdef[1] = kDefaultStartScript;
  StartSettings settings;
  const std::string settings_file = SettingsFileName(base_name_);
  if (const auto bytes = ReadGameFile(settings_file)) {
    LineList lines;
    if (lines.LoadText(*bytes)) ReportCutLines(settings_file);
    settings = SettingsFromLines(lines);
  }
  if (settings.start_script) world_.fncdef[1] = *settings.start_script;
  if (settings.login) login = *settings.login;
  if (settings.password) senha = *settings.password;
  if (settings.site_root) web.site_root = SiteRootFromSetting(*settings.site_root);
  host_.PumpEvents();

  if (!LoadDataFile(".ign", world_.ignored_words))
    world_.ignored_words.SetText(kDefaultIgnoredWords);
  LoadDataFile(".plr", world_.word_list);
  LoadDataFile(".vrb", world_.verb_list);
  LoadDataFile(".msg", world_.message_list);
  LoadDataFile(".obj", world_.object_list);
  world_.ClearRegisters();
  update_controls_.version = ReadVersionText(folder_);
}

Game::~Game() {
  WriteLoginBack(folder_, base_name_, login, senha);
  if (zip_library_ && !zip_library_->Release()) {
    host_.ShowError("Erro ao tentar finalizar biblioteca zipdll.dll");
  }
}

void Game::Activate() {
  if (!first_activation_) return;
  first_activation_ = false;
  if (!world_.fncdef[1].empty()) RunScriptFromHost(world_.fncdef[1]);
}

void Game::RunScriptFromHost(const std::string& name) {
  Guarded([&] { interpreter_.RunScript(name); });
}

void Game::ExecLineFromHost(const std::string& line) {
  Guarded([&] { interpreter_.ExecLine(line); });
}

void Game::MediaPlayEnded(int channel, std::uint32_t play_id, bool at_end) {
  Guarded([&] { media_.PlayEnded(channel, play_id, at_end); });
}

void Game::MediaFailed(int channel, std::uint32_t play_id, const std::string& message) {
  Guarded([&] { media_.PlayFailed(channel, play_id, message); });
}

void Game::ClockTick() {
  Guarded([&] { RunClockTick(*this); });
}

void Game::PeriodicTick() {
  Guarded([&] { RunPeriodicTick(*this); });
}

void Game::PointerMove(std::int32_t x, std::int32_t y) {
  Guarded([&] { zunk::PointerMove(*this, x, y); });
}

void Game::PointerPress(std::int32_t x, std::int32_t y) {
  Guarded([&] { zunk::PointerPress(*this, x, y); });
}

void Game::PointerRelease(std::int32_t x, std::int32_t y) {
  Guarded([&] { zunk::PointerRelease(*this, x, y); });
}

void Game::ShowPage(BookPage page) {
  page_ = page;
  host_.ShowPage(page);
}

bool Game::LoadDataFile(const std::string& extension, LineList& into) {
  const std::string name = base_name_ + extension;
  if (!FileAvailable(name)) return false;
  const auto bytes = ReadGameFile(name);
  if (!bytes) return false;
  if (into.LoadText(*bytes)) ReportCutLines(name);
  return true;
}

std::optional<std::string> Game::ReadGameFile(std::string_view name) {
  ReadResult read = folder_.ReadBounded(name);
  if (read.status == ReadStatus::TooLarge) {
    ReportFileOnce(TooLargeMessage(name));
  }
  if (read.status != ReadStatus::Ok) return std::nullopt;
  return std::move(read.bytes);
}

void Game::ReportFileOnce(const std::string& message) {
  constexpr std::size_t kMaxRemembered = 1024;
  if (reported_files_.count(message) != 0) return;
  if (reported_files_.size() >= kMaxRemembered) reported_files_.clear();
  reported_files_.insert(message);
  host_.ShowError(message);
}

void Game::ReportCutLines(std::string_view name) {
  ReportFileOnce("Linhas longas demais (mais de " + std::to_string(kMaxLoadedLineBytes / 1024) +
                 " KB) cortadas em " + std::string(name));
}

std::string TooLargeMessage(std::string_view name) {
  return "Arquivo grande demais (mais de " + std::to_string(kMaxGameFileBytes / (1024 * 1024)) +
         " MB): " + std::string(name);
}

bool Game::ScriptAvailable(std::string_view name) {
  return Available(std::string(name) + kScriptExt, script_source);
}

bool Game::FileAvailable(std::string_view name) {
  return Available(std::string(name), file_source);
}

bool Game::Available(const std::string& file_name, Source source) {
  // Unsafe names are refused by the folder lookup and by FetchFile alike.
  if (source != Source::WebOnly && folder_.Exists(file_name)) return true;
  if (source == Source::DiskOnly || url.empty()) return false;
  return FetchFile(file_name);
}

bool Game::FetchFile(std::string_view name_view) {
  // A copy: handlers run by the pump may change whatever the view points into.
  const std::string name(name_view);
  if (!SafeRelativePath(name)) return false;
  // Input waits while the fetch runs, so no transfer starts inside another.
  const TransferScope scope(transfer_);
  if (transfer_.stop_requested()) return false;  // btStp ended the update run around it
  transfer_.ShowLamp(Lamp::Requested);
  struct LampBack {
    Transfer& transfer;
    ~LampBack() { transfer.ShowLamp(Lamp::Idle); }
  } lamp_back{transfer_};  // also when the request ends by an exception (out of memory)
  // The request is built after the pump: a handler may have changed the address or login.
  host_.PumpEvents();
  HttpRequest request;
  request.url = EncodeBaseUrl(url) + EncodeUrlPath(name);
  request.user = Cp1252ToUtf8(login);
  request.password = Cp1252ToUtf8(senha);
  request.progress = [this](std::uint64_t received, std::uint64_t announced) {
    return transfer_.Progress(received, announced);
  };
  transfer_.Start();
  struct TransferEnd {
    Transfer& transfer;
    ~TransferEnd() { transfer.End(); }
  } transfer_end{transfer_};
  const HttpResult result = host_.HttpGet(request);
  // The whole body is in memory and written atomically: a broken-off transfer leaves nothing.
  return result.ok && !transfer_.stop_requested() && folder_.Write(name, result.body);
}

namespace {

std::string PercentEncode(std::string_view name, std::string_view also_keep) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string utf8 = Cp1252ToUtf8(name);
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    const bool unreserved = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                            (u >= '0' && u <= '9') || u == '-' || u == '_' || u == '.' ||
                            u == '~' || u == '/';
    if (u == '\\') {
      out += '/';
    } else if (unreserved ||
               (u >= 0x21 && u < 0x7F && also_keep.find(c) != std::string_view::npos)) {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    }
  }
  return out;
}

}  // namespace

std::string EncodeUrlPath(std::string_view name) {
  return PercentEncode(name, "");
}

std::string EncodeBaseUrl(std::string_view url) {
  return PercentEncode(url, ":?#[]@!$&'()*+,;=%");
}

}  // namespace zunk
