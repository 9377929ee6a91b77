// "Atualizar", the version check and "Baixar nova versão".
#include "web/updates.h"

#include "game/game.h"
#include "web/update_list.h"

namespace zunk {
namespace {

constexpr std::int32_t kScriptsGaugeLeft = 40;
constexpr std::int32_t kFilesGaugeLeft = 150;
constexpr const char* kNoConnection = "Sem conex\xE3o internet!";
constexpr const char* kNewerVersion = "Existe uma vers\xE3o mais recente deste jogo...";
constexpr const char* kUpToDate = "Vers\xE3o atualizada!";
constexpr const char* kNoUpdater = "Atualizador n\xE3o encontrado.";

std::optional<std::string> ReadList(Game& game, const std::string& name) {
  ReadResult read = game.folder().ReadBounded(name, kMaxUpdateListBytes);
  if (read.status != ReadStatus::Ok) return std::nullopt;
  return std::move(read.bytes);
}

bool NeedsFetch(const GameFolder& folder, const UpdateEntry& entry) {
  const auto stamp = folder.Stamp(entry.name);
  return !stamp || stamp->size != entry.size;
}

UpdateOutcome RunUpdate(Game& game, UpdateKind kind) {
  UpdateOutcome outcome;
  Transfer& transfer = game.transfer();
  if (transfer.running() || transfer.busy()) return outcome;
  const TransferScope scope(transfer);
  const std::string list_name = kind == UpdateKind::Scripts ? "scripts.txt" : "arquivos.txt";
  if (!game.FetchFile(list_name)) return outcome;
  const auto text = ReadList(game, list_name);
  if (!text) return outcome;
  const UpdateList list = ParseUpdateList(*text);
  outcome.ran = true;

  GaugeState& g2 = game.update_controls().g2;
  g2 = GaugeState{true, kind == UpdateKind::Scripts ? kScriptsGaugeLeft : kFilesGaugeLeft,
                  list.entries.size(), 0};
  struct HideGauge {
    Game& game;
    ~HideGauge() {
      game.update_controls().g2.visible = false;
      game.host().ShowGauge(GaugeId::G2, game.update_controls().g2);
    }
  } hide_gauge{game};
  game.host().ShowGauge(GaugeId::G2, g2);
  for (const UpdateEntry& entry : list.entries) {
    if (transfer.stop_requested()) break;
    if (entry.usable) {
      ++outcome.checked;
      if (NeedsFetch(game.folder(), entry)) {
        if (game.FetchFile(entry.name)) {
          ++outcome.fetched;
        } else {
          ++outcome.failed;
        }
      }
    }
    ++g2.position;
    game.host().ShowGauge(GaugeId::G2, g2);
    game.host().PumpEvents();
  }
  return outcome;
}

void CheckVersion(Game& game) {
  UpdateControls& controls = game.update_controls();
  if (!game.host().InternetConnected()) {
    controls.st_down = kNoConnection;
    return;
  }
  Transfer& transfer = game.transfer();
  if (transfer.running() || transfer.busy()) return;
  const TransferScope scope(transfer);
  if (!game.FetchFile("vrs.txt")) return;
  const auto text = ReadList(game, "vrs.txt");
  if (!text) return;
  const VersionFile file = ParseVersionFile(*text);
  // An empty version file names no version: it tells nothing, and deletes nothing.
  if (file.version.empty()) return;
  for (const std::string& name : file.obsolete) game.folder().Remove(name);
  game.host().PumpEvents();
  if (file.version != controls.version) {
    controls.st_down = kNewerVersion;
    controls.download_shown = true;
  } else {
    controls.st_down = kUpToDate;
  }
}

}  // namespace

std::string ReadVersionText(const GameFolder& folder) {
  const ReadResult read = folder.ReadBounded(kVersionFileName, 64 * 1024);
  if (read.status == ReadStatus::Ok) {
    const auto lines = UpdateFileLines(read.bytes);
    if (!lines.empty() && !lines[0].empty()) return std::string(lines[0]);
  }
  return kDefaultVersion;
}

std::string UpdaterAccessCode(const std::string& base_name) {
  return "9k41p2w " + base_name;
}

UpdateOutcome PressUpdate(Game& game, UpdateKind kind) {
  UpdateOutcome outcome;
  game.Guarded([&] { outcome = RunUpdate(game, kind); });
  return outcome;
}

void PressVersionCheck(Game& game) {
  game.Guarded([&] { CheckVersion(game); });
}

WindowAction PressDownload(Game& game) {
  WindowAction action = WindowAction::None;
  game.Guarded([&] {
    // The system asked for these two files here; they are fetched when the settings say so,
    // but never run: only the installed updater is started.
    game.FileAvailable("atlz.exe");
    game.FileAvailable("zipdll.dll");
    UpdaterRequest request{UpdaterAccessCode(game.base_name()), game.url, game.login, game.senha};
    if (game.host().StartUpdater(request)) {
      action = WindowAction::End;
    } else {
      game.update_controls().st_down = kNoUpdater;
    }
  });
  return action;
}

}  // namespace zunk
