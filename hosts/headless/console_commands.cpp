// The headless player's console commands: script lines and scripts, registers, objects and
// state, the pointer over the screen and over the object panels, suggestions, timer ticks and
// the link table; the update controls are in update_commands.cpp.
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "browser_commands.h"
#include "picture_commands.h"
#include "platform/cp1252.h"
#include "player.h"
#include "script/operands.h"
#include "update_commands.h"

namespace zunk {
namespace {

// "X,Y" as two decimal numbers.
std::optional<std::pair<std::int32_t, std::int32_t>> ParsePoint(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto x = ParseDecimal(TrimBlanks(text.substr(0, comma)));
  const auto y = ParseDecimal(TrimBlanks(text.substr(comma + 1)));
  if (!x || !y) return std::nullopt;
  return std::pair(*x, *y);
}

// The panel word of a panel command: "loc" or "jog".
std::optional<Panel> ParsePanel(std::string_view word) {
  if (word == "loc") return Panel::Loc;
  if (word == "jog") return Panel::Jog;
  return std::nullopt;
}

// The argument's blank-separated words.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  text = TrimBlanks(text);
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    words.push_back(text.substr(0, blank));
    if (blank == std::string_view::npos) break;
    text = TrimBlanks(text.substr(blank));
  }
  return words;
}

}  // namespace

void HeadlessPlayer::RunConsoleCommand(const std::string& command, const std::string& argument,
                                       const std::string& utf8_argument) {
  if (command == "lin") {
    if (!argument.empty()) game_.ExecLineFromHost(argument);
  } else if (command == "scp") {
    if (!argument.empty()) game_.RunScriptFromHost(argument);
  } else if (command == "reg") {
    // A number from 0 to 250, or the name of a register.
    const std::string_view operand = TrimBlanks(argument);
    const auto n = ParseDecimal(operand);
    const int named = FindRegisterByName(game_.world(), operand);
    if (n && *n >= 0 && *n <= kRegisterCount) {
      PrintRegister(*n);
    } else if (!n && named > 0) {
      PrintRegister(named);
    } else {
      out_ << "aviso: registrador desconhecido (use 0.." << kRegisterCount << " ou um nome)\n";
    }
  } else if (command == "regs") {
    for (int i = 0; i <= kRegisterCount; ++i) PrintRegister(i);
  } else if (command == "obj") {
    PrintObject(argument);
  } else if (command == "state") {
    PrintState();
  } else if (command == "links") {
    PrintLinks();
  } else if (command == "sg") {
    const auto n = ParseDecimal(TrimBlanks(argument));
    if (n && *n >= 1 && *n <= 3) {
      input_.PressSuggestion(*n);
    } else {
      out_ << "aviso: uso: !sg 1|2|3\n";
    }
  } else if (command == "button") {
    PressButton(std::string(TrimBlanks(argument)));
  } else if (!RunPointerCommand(command, argument) && !RunPanelCommand(command, argument) &&
             !RunTimerCommand(command, argument) &&
             !RunPictureCommand(game_, command, utf8_argument, out_) &&
             !RunUpdateCommand(game_, command, argument, out_, ended_) &&
             !RunBrowserCommand(game_, command, argument, out_) &&
             !input_.RunCommand(command, utf8_argument, out_)) {
    out_ << "aviso: comando desconhecido: !" << Cp1252ToUtf8(command) << '\n';
  }
}

void HeadlessPlayer::PressButton(const std::string& name) {
  const auto button = WindowButtonByName(name);
  if (!button) {
    out_ << "aviso: uso: !button btFim|btMin|btVsr|btWeb|btCfg|btStp|btEdt|btOnl|btChv|Shd|Sweb|"
            "Ahd|Aweb\n";
    return;
  }
  const WindowAction action = input_.PressButton(*button);
  if (action == WindowAction::End) {
    out_ << "janela: encerrada\n";
    ended_ = true;
  } else if (action == WindowAction::Minimise) {
    out_ << "janela: minimizada\n";
  }
}

bool HeadlessPlayer::RunPointerCommand(const std::string& command, const std::string& argument) {
  if (command != "move" && command != "press" && command != "release" && command != "click") {
    return false;
  }
  const auto point = ParsePoint(argument);
  if (!point) {
    out_ << "aviso: uso: !" << command << " X,Y\n";
    return true;
  }
  const auto [x, y] = *point;
  if (command == "move") {
    input_.MoveOnScreen(x, y);
    PrintCurrentLink();
  } else if (command == "press") {
    input_.PressOnScreen(x, y);
  } else if (command == "release") {
    input_.ReleaseOnScreen(x, y);
  } else {
    input_.PressOnScreen(x, y);
    input_.ReleaseOnScreen(x, y);
  }
  return true;
}

bool HeadlessPlayer::RunPanelCommand(const std::string& command, const std::string& argument) {
  const bool drag = command == "drag";
  if (command != "hover" && !drag && command != "dblclick") return false;
  const std::vector<std::string_view> words = Words(argument);
  const std::optional<Panel> panel = words.empty() ? std::nullopt : ParsePanel(words[0]);
  const std::size_t expected = drag ? 3 : 2;
  const auto point = words.size() == expected ? ParsePoint(words[1]) : std::nullopt;
  const auto target = drag && point ? ParsePoint(words[2]) : std::nullopt;
  if (!panel || !point || (drag && !target)) {
    out_ << "aviso: uso: !" << command << " loc|jog X,Y" << (drag ? " TX,TY" : "") << '\n';
    return true;
  }
  const auto [x, y] = *point;
  if (command == "hover") {
    input_.MoveOnPanel(*panel, x, y);
    PrintPanelObject(*panel);
  } else if (drag) {
    // The move reaches the pressed panel in its own coordinates, as a window sends it.
    const WindowRect rect = PanelRect(*panel);
    const auto to_x = static_cast<std::int32_t>(std::int64_t{target->first} - rect.x);
    const auto to_y = static_cast<std::int32_t>(std::int64_t{target->second} - rect.y);
    input_.PressOnPanel(*panel, x, y);
    input_.MoveOnPanel(*panel, to_x, to_y);
    input_.ReleaseOnPanel(*panel, to_x, to_y);
  } else {
    // A window reports a double click after the first click; the double click also counts
    // as the second press.
    input_.PressOnPanel(*panel, x, y);
    input_.ReleaseOnPanel(*panel, x, y);
    input_.DoubleClickOnPanel(*panel, x, y);
    input_.ReleaseOnPanel(*panel, x, y);
  }
  return true;
}

bool HeadlessPlayer::RunTimerCommand(const std::string& command, const std::string& argument) {
  if (command == "wait") {
    // Time passing with nothing typed: background plays end, due timers fire once.
    constexpr std::int32_t kMaxWaitMs = 24 * 60 * 60 * 1000;
    const auto ms = ParseDecimal(TrimBlanks(argument));
    if (!ms || *ms < 0 || *ms > kMaxWaitMs) {
      out_ << "aviso: uso: !wait MS (0 a " << kMaxWaitMs << ")\n";
    } else {
      host_.Wait(static_cast<std::uint32_t>(*ms));
    }
    return true;
  }
  if (command != "tick") return false;
  const std::string_view text = TrimBlanks(argument);
  const std::size_t blank = text.find(' ');
  const std::string_view which = text.substr(0, blank);
  std::optional<std::int32_t> count = 1;
  if (blank != std::string_view::npos) count = ParseDecimal(TrimBlanks(text.substr(blank)));
  if ((which != "clock" && which != "timer") || !count || *count < 1) {
    out_ << "aviso: uso: !tick clock|timer [N]\n";
    return true;
  }
  const auto kind =
      which == "clock" ? HeadlessHost::TimerKind::Clock : HeadlessHost::TimerKind::Periodic;
  for (std::int32_t i = 0; i < *count; ++i) {
    // A tick may switch its own timer off; the rest then do not happen.
    if (!host_.TimerOn(kind)) {
      out_ << (kind == HeadlessHost::TimerKind::Clock ? "aviso: o relógio está desligado\n"
                                                      : "aviso: o temporizador está desligado\n");
      break;
    }
    host_.FireTimer(kind);
  }
  return true;
}

void HeadlessPlayer::PrintRegister(int index) {
  const World& world = game_.world();
  Print("reg:" + std::to_string(index) + ": " + world.reg_name[index] + " = " +
        std::to_string(world.reg[index]));
}

void HeadlessPlayer::PrintObject(const std::string& name) {
  World& world = game_.world();
  const int record = name.empty() || world.object_list.Empty() ? -1 : ObjectOf(world, name);
  if (record < 0) {
    out_ << "aviso: objeto não encontrado: ";
    Print(name);
    return;
  }
  std::string reply = "dbj:";
  for (int field = 0; field < kObjectRecordLines; ++field) {
    if (field > 0) reply += '|';
    reply += world.ObjectLine(record, field);
  }
  Print(reply);
}

void HeadlessPlayer::PrintState() {
  const World& world = game_.world();
  const Interpreter& interpreter = game_.interpreter();
  Print("Local = " + world.local);
  Print("Norte = " + world.norte);
  Print("Sul = " + world.sul);
  Print("Leste = " + world.leste);
  Print("Oeste = " + world.oeste);
  for (int i = 1; i <= kSpecialScripts; ++i) {
    Print("FncDef[" + std::to_string(i) + "] = " + world.fncdef[i]);
  }
  Print("StrReg = " + world.str_reg);
  Print("CurScript = " + interpreter.cur_script);
  Print("MainLine = " + std::to_string(interpreter.main_line));
}

void HeadlessPlayer::PrintLinks() {
  // Each link as the fields of a link command: X,Y,Width,Height,CursorCode,ActionCode,Argument.
  const LinkTable& table = game_.links();
  for (int i = 0; i < kLinkCount; ++i) {
    const Link& link = table.links[static_cast<std::size_t>(i)];
    Print("link " + std::to_string(i) + ": " + (link.active ? "ativo " : "inativo ") +
          std::to_string(link.x) + "," + std::to_string(link.y) + "," + std::to_string(link.width) +
          "," + std::to_string(link.height) + "," + std::to_string(link.cursor_code) + "," +
          std::to_string(link.action_code) + "," + link.argument);
  }
  const std::int32_t current = table.current;
  out_ << "link atual: " << (current < 0 ? std::string("nenhum") : std::to_string(current)) << '\n';
}

void HeadlessPlayer::PrintPanelObject(Panel panel) {
  const int object = game_.panel_mouse().current_object[PanelIndex(panel)];
  out_ << "painel: " << (panel == Panel::Loc ? "loc " : "jog ")
       << (object > 0 ? "objeto " + std::to_string(object) : std::string("nenhum")) << " ("
       << PointerShapeName(host_.panel_pointer_code(panel)) << ")\n";
}

void HeadlessPlayer::PrintCurrentLink() {
  const std::int32_t current = game_.links().current;
  if (current < 0) {
    out_ << "link atual: nenhum\n";
  } else {
    out_ << "link atual: " << current << " (" << PointerShapeName(host_.pointer_code()) << ")\n";
  }
}

}  // namespace zunk
