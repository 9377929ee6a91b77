// Update console commands.
#include "update_commands.h"

#include "platform/cp1252.h"
#include "script/operands.h"

namespace zunk {
namespace {

void PrintControls(const Game& game, std::ostream& out) {
  const UpdateControls& controls = game.update_controls();
  out << "stDown: " << Cp1252ToUtf8(controls.st_down) << '\n';
  if (controls.download_shown) out << "btDown: vis\xC3\xADvel\n";
}

}  // namespace

bool RunUpdateCommand(Game& game, const std::string& command, const std::string& argument,
                      std::ostream& out, bool& ended) {
  if (command == "atualizar") {
    const std::string_view which = TrimBlanks(argument);
    if (which != "scripts" && which != "arquivos") {
      out << "aviso: uso: !atualizar scripts|arquivos\n";
      return true;
    }
    const UpdateOutcome outcome =
        PressUpdate(game, which == "scripts" ? UpdateKind::Scripts : UpdateKind::Files);
    if (!outcome.ran) {
      out << "atualizar: lista indispon\xC3\xADvel\n";
    } else {
      out << "atualizar: " << outcome.checked << " verificados, " << outcome.fetched
          << " baixados, " << outcome.failed << " falharam\n";
    }
  } else if (command == "versao") {
    PressVersionCheck(game);
    PrintControls(game, out);
  } else if (command == "baixar") {
    if (PressDownload(game) == WindowAction::End) {
      out << "janela: encerrada\n";
      ended = true;
    } else {
      PrintControls(game, out);
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace zunk
