// Line dispatch and the run loops.
#include "script/interpreter.h"

#include "game/game.h"
#include "screen/links.h"
#include "screen/screen_commands.h"
#include "script/command_table.h"
#include "script/navigation_commands.h"
#include "script/object_commands.h"
#include "script/operands.h"
#include "script/script_codec.h"
#include "script/script_fault.h"
#include "script/timer_commands.h"
#include "web/web_pages.h"

namespace zunk {

namespace {

// Core text is CP1252.
std::string TooDeepMessage() {
  return "Execu\xE7\xE3o interrompida: mais de " + std::to_string(kMaxRunDepth) +
         " scripts aninhados (um script que chama a si mesmo?).";
}

}  // namespace

class Interpreter::DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) {
    if (depth_ >= kMaxRunDepth) throw ScriptFault(TooDeepMessage());
    ++depth_;
  }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

void Interpreter::CheckRoomForRun() const {
  if (run_depth_ >= kMaxRunDepth) throw ScriptFault(TooDeepMessage());
}

void Interpreter::SpendLine() {
  if (!budget_on_) return;
  if (line_budget_ == 0)
    throw ScriptFault("Execu\xE7\xE3o interrompida: limite de linhas atingido.");
  --line_budget_;
}

Interpreter::Interpreter(Game& game) : game_(game) {}

std::int32_t Interpreter::ExecLine(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && line[start] == ' ') ++start;
  if (start == line.size()) return kNextLine;
  const char first = line[start];
  if (first == ':' || first == '/' || first == ';') return kNextLine;
  std::size_t blank = start;
  while (blank < line.size() && line[blank] != ' ') ++blank;
  const std::string_view word = line.substr(start, blank - start);
  const std::string_view args = blank == line.size() ? std::string_view() : line.substr(blank + 1);

  Output& out = game_.output();
  World& world = game_.world();
  const Command command = FindCommand(word);
  switch (command) {
    case Command::MsgShow:
      out.ShowMessage(std::string(args));
      break;
    case Command::MsgAdd:
      out.AddMessageLine(std::string(args));
      break;
    case Command::MsgExtend:
      MsgExtend(args);
      break;

    case Command::Reg:
    case Command::Rnd:
    case Command::Add:
    case Command::Sub:
    case Command::Mul:
    case Command::Div:
      return RegisterCommand(static_cast<int>(command), args);
    case Command::Inc:
      return IncDec(args, 1);
    case Command::Dec:
      return IncDec(args, -1);
    case Command::Def:
      Def(args);
      break;
    case Command::SeEq:
    case Command::SeNe:
    case Command::SeGt:
    case Command::SeLt:
      return Compare(static_cast<int>(command), args);
    case Command::Loop:
      return Loop(args);
    case Command::IfArq:
      return IfArq(args);
    case Command::Verifica:
      Verifica(args);
      break;
    case Command::Script:
      return Script(args);
    case Command::Fim:
      return Fim();

    case Command::DefMsg:
      DefMsg(args);
      break;
    case Command::StrSet:
      world.str_reg = std::string(args);
      break;
    case Command::StrAppend:
      StrAppend(args);
      break;
    case Command::StrShow:
      StrShow();
      break;
    case Command::List:
      List(args);
      break;
    case Command::SgtCaption:
      SgtCaption(args);
      break;
    case Command::SgtScript:
      SgtScript(args);
      break;
    case Command::SgtClear:
      SgtClear(args);
      break;

    case Command::Goto:
      return Goto(args);

    case Command::Refresh:
      RefreshScreen(game_);
      break;
    case Command::Efeito:
      EffectCommand(game_, args);
      break;
    case Command::Clear:
      ClearCommand(game_, args);
      break;
    case Command::Tela:
      TelaCommand(game_, args);
      break;
    case Command::TFont:
      FontCommand(game_, args, game_.screen().buffer_font);
      break;
    case Command::MFont:
      FontCommand(game_, args, game_.screen().message_font);
      break;
    case Command::Print:
      PrintCommand(game_, args);
      break;
    case Command::Display:
      DisplayCommand(game_, args);
      break;
    case Command::Sombra:
      SombraCommand(game_, args);
      break;
    case Command::Shape:
      ShapeCommand(game_, args);
      break;
    case Command::Frame:
      FrameCommand(game_, args);
      break;
    case Command::Hud:
      HudCommand(game_, args);
      break;
    case Command::TelMod:
      TelmodCommand(game_, args);
      break;
    case Command::BufX:
      BufferCommand(game_, game_.screen().buffer_x, args);
      break;
    case Command::BufY:
      BufferCommand(game_, game_.screen().buffer_y, args);
      break;

    case Command::Link:
      LinkCommand(game_, args);
      break;
    case Command::ZeraLinks:
      game_.links().DeactivateAll();
      break;

    case Command::IfLocEq:
    case Command::IfLocNe:
    case Command::IrPara:
    case Command::IfGo:
    case Command::Norte:
    case Command::Sul:
    case Command::Leste:
    case Command::Oeste:
    case Command::LocalSet:
    case Command::Reload:
      return NavigationCommand(game_, command, args);

    case Command::Web:
      WebCommand(game_, args);
      break;

    case Command::Url:
    case Command::Download:
    case Command::FncDef:
    case Command::TimerSet:
    case Command::Runtime:
    case Command::Restart:
    case Command::Pausa:
    case Command::Delay:
      return TimerCommand(game_, command, args);

    case Command::Conta:
    case Command::Objs:
    case Command::IfOLoc:
    case Command::IfODnt:
    case Command::IfOJog:
    case Command::IfOExt:
    case Command::IfObj1:
    case Command::IfObj2:
    case Command::Pega:
    case Command::Pegue:
    case Command::Pegar:
    case Command::Solta:
    case Command::Soltar:
    case Command::Solte:
    case Command::XPeg:
    case Command::XPoe:
    case Command::XSlt:
    case Command::Crie:
    case Command::Criar:
    case Command::DefObj:
    case Command::PosObj:
    case Command::SetBit:
    case Command::ResBit:
    case Command::IfBit:
      return ObjectCommand(game_, command, args);

    case Command::Play:
      game_.media().PlayCommand(args);
      break;
    case Command::Stop:
      game_.media().StopCommand(args);
      break;

    // Recognised words whose bodies come with the web subsystem; until then they do nothing.
    default:
      break;
  }
  return kNextLine;
}

void Interpreter::RunScript(const std::string& name) {
  CheckRoomForRun();
  game_.output().ClearSuggestions();
  if (!game_.ScriptAvailable(name)) return;
  RunAvailableScript(name);
}

void Interpreter::RunFoundScript(const std::string& name) {
  CheckRoomForRun();
  game_.output().ClearSuggestions();
  RunAvailableScript(name);
}

void Interpreter::RunAvailableScript(const std::string& name) {
  cur_script = name;
  if (!LoadScript(name, script_lines)) return;
  if (script_lines.Empty()) return;
  main_line = 0;
  RunLoop(script_lines, main_line);
}

bool Interpreter::LoadScript(const std::string& name, LineList& into) {
  const std::string file = name + kScriptExt;
  const auto bytes = game_.ReadGameFile(file);
  if (!bytes) return false;
  DecodedScript decoded = DecodeScript(*bytes);
  bool cut = false;
  for (std::string& line : decoded.lines) cut |= CutLine(line);
  if (cut) game_.ReportCutLines(file);
  into.Assign(std::move(decoded.lines));
  return decoded.complete;
}

void Interpreter::RunFromLabel(LineList& list, std::string_view label, std::int32_t& counter) {
  CheckRoomForRun();
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Get(i) == label) {
      counter = i + 1;
      RunLoop(list, counter);
      return;
    }
  }
}

void Interpreter::RunLoop(LineList& list, std::int32_t& counter) {
  DepthGuard guard(run_depth_);
  // These lines are not the periodic timer's, even when a timer line started this run: their
  // jumps and fim work on their own list (the timer's loop marks its next line again).
  timer_context = false;
  // The line is copied before it runs: a nested run may replace the list under it.
  std::string line;
  while (counter >= 0 && counter < list.Count()) {
    SpendLine();
    line = list.Get(counter);
    handed_over_ = false;
    const std::int32_t next = ExecLine(line);
    counter = next == kNextLine ? counter + 1 : next;
    if (next == kRunReplaced && handed_over_) break;
  }
}

std::int32_t Interpreter::Goto(std::string_view args) {
  if (args.empty()) return kNextLine;
  // The target is the first line equal to ":" + args (a leading ':' of args is the label's
  // own) with the blanks at its end trimmed. Labels are indexed by what follows their ':', so
  // the name is looked up as it stands in args.
  std::string_view name = args;
  if (name.front() == ':') name.remove_prefix(1);
  while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
  if (!timer_context) return FindLabel(script_lines, name);
  timer_context = false;
  return FindLabel(timer_script_lines, name);
}

std::int32_t Interpreter::FindLabel(const LineList& list, std::string_view name) {
  LabelIndex& index = &list == &timer_script_lines ? timer_labels_ : script_labels_;
  if (index.generation != list.generation()) {
    index.first_line.clear();
    for (int i = 0; i < list.Count(); ++i) {
      const std::string& line = list.Get(i);
      // emplace keeps the first line of a label
      if (!line.empty() && line[0] == ':') index.first_line.emplace(line.substr(1), i);
    }
    index.generation = list.generation();
    index.has_last = false;
  }
  if (index.has_last && index.last_name == name) return index.last_result;
  const auto found = index.first_line.find(name);
  index.last_name.assign(name);
  index.last_result = found == index.first_line.end() ? kNextLine : found->second;
  index.has_last = true;
  return index.last_result;
}

}  // namespace zunk
