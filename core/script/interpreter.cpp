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

// Inlined into ExecLine, as the switch was before lines were kept.
[[gnu::always_inline]] inline std::int32_t Interpreter::Dispatch(Command command,
                                                                 std::string_view args) {
  Output& out = game_.output();
  World& world = game_.world();
  ReadingUse use;  // a reading for this run only: nothing to keep
  JumpMemo no_memo;
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
      return Arithmetic(command, ReadArithmetic(world, args, use));
    case Command::Inc:
      return IncDec(ReadIncDec(world, args, use), 1);
    case Command::Dec:
      return IncDec(ReadIncDec(world, args, use), -1);
    case Command::Def:
      Def(args);
      break;
    case Command::SeEq:
    case Command::SeNe:
    case Command::SeGt:
    case Command::SeLt: {
      const RegisterFields fields = ReadCompare(world, args, use);
      return Compare(command, fields, fields.label, no_memo);
    }
    case Command::Loop: {
      const RegisterFields fields = ReadLoop(world, args, use);
      return Loop(fields, fields.label, no_memo);
    }
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

std::int32_t Interpreter::ExecLine(std::string_view line) {
  const CommandLine split = SplitCommandLine(line);
  if (!split.runs) return kNextLine;
  return Dispatch(split.command, split.args);
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
  const std::int32_t line = label_lines_.Find(list, label);
  if (line < 0) return;
  counter = line + 1;
  RunLoop(list, counter);
}

std::int32_t Interpreter::RunListLine(const LineList& list, int index, std::string& copy) {
  if (line_reuse_) return RunKeptLine(list, index, ReadingsOf(list), copy);
  // A line that runs from its text is copied first: a nested run may replace the list under it.
  copy = list.Get(index);
  return ExecLine(copy);
}

// Inlined into RunLoop, the loop nearly every line runs in.
[[gnu::always_inline]] inline std::int32_t Interpreter::RunKeptLine(const LineList& list, int index,
                                                                    LineReadings& readings,
                                                                    std::string& copy) {
  // The kept forms below start no run, so they use their reading in place; a line that runs
  // from its text is copied first, as a nested run may replace the list under it.
  World& world = game_.world();
  LineReading& reading = readings.At(list, index, world);
  const RegisterFields& fields = reading.fields;
  std::int32_t& target = world.reg[fields.reg];
  // The register commands as their bodies run them (commands_registers.cpp), fields read.
  switch (reading.form) {
    case LineForm::Nothing:
      return kNextLine;
    case LineForm::LastRegOnly:
      last_reg = fields.reg;
      return kNextLine;
    case LineForm::Set:
      last_reg = fields.reg;
      target = fields.value.Read(world);
      return kNextLine;
    case LineForm::Add: {
      last_reg = fields.reg;
      const std::int32_t value = fields.value.Read(world);
      target = WrapToRegister(std::int64_t{target} + value);
      return kNextLine;
    }
    case LineForm::Sub: {
      last_reg = fields.reg;
      const std::int32_t value = fields.value.Read(world);
      target = WrapToRegister(std::int64_t{target} - value);
      return kNextLine;
    }
    case LineForm::Arithmetic:
      return Arithmetic(reading.command, fields);
    case LineForm::Inc:
      last_reg = fields.reg;
      target = WrapToRegister(std::int64_t{target} + 1);
      return kNextLine;
    case LineForm::Dec:
      last_reg = fields.reg;
      target = WrapToRegister(std::int64_t{target} - 1);
      return kNextLine;
    case LineForm::Compare: {
      last_reg = fields.reg;
      const std::int32_t value = fields.value.Read(world);
      return CompareHolds(reading.command, target, value) ? JumpTo(reading.label, reading.jump)
                                                          : kNextLine;
    }
    case LineForm::Loop:
      last_reg = fields.reg;
      if (target <= 0) return kNextLine;
      --target;
      return JumpTo(reading.label, reading.jump);
    case LineForm::Goto:
      return JumpTo(reading.label, reading.jump);
    case LineForm::Fim:
      return Fim();
    case LineForm::Text:
      break;
  }
  const Command command = reading.command;
  const bool has_args = reading.has_args;
  const std::size_t args_at = reading.args_at;
  copy = list.Get(index);
  return Dispatch(command, has_args ? std::string_view(copy).substr(args_at) : std::string_view());
}

void Interpreter::RunLoop(LineList& list, std::int32_t& counter) {
  DepthGuard guard(run_depth_);
  // These lines are not the periodic timer's, even when a timer line started this run: their
  // jumps and fim work on their own list (the timer's loop marks its next line again).
  timer_context = false;
  std::string line;
  LineReadings& readings = ReadingsOf(list);
  while (counter >= 0 && counter < list.Count()) {
    SpendLine();
    handed_over_ = false;
    const std::int32_t next =
        line_reuse_ ? RunKeptLine(list, counter, readings, line) : RunListLine(list, counter, line);
    counter = next == kNextLine ? counter + 1 : next;
    if (next == kRunReplaced && handed_over_) break;
  }
}

std::int32_t Interpreter::Goto(std::string_view args) {
  if (args.empty()) return kNextLine;
  JumpMemo no_memo;
  return JumpTo(JumpName(args), no_memo);
}

std::int32_t Interpreter::JumpTo(std::string_view name, JumpMemo& memo) {
  const LineList& list = timer_context ? timer_script_lines : script_lines;
  timer_context = false;
  // The first line of a label depends only on the list's lines, which its generation names.
  if (memo.generation == list.generation()) return memo.target;
  memo.target = FindLabel(list, name);
  memo.generation = list.generation();
  return memo.target;
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
