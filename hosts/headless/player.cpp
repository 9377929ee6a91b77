// Console commands and the transcript format of the headless player.
#include "player.h"

#include "picture_commands.h"
#include "platform/cp1252.h"
#include "script/operands.h"

namespace zunk {

HeadlessPlayer::HeadlessPlayer(HeadlessHost& host, Game& game, std::ostream& out)
    : host_(host), game_(game), out_(out) {}

void HeadlessPlayer::Print(const std::string& cp1252_line) {
  out_ << Cp1252ToUtf8(cp1252_line) << '\n';
}

void HeadlessPlayer::Start() {
  out_ << "*** início\n";
  game_.Activate();
  EndTurn();
}

void HeadlessPlayer::HandleLine(const std::string& utf8_line) {
  std::string line = utf8_line;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  out_ << "> " << line << '\n';
  if (!line.empty() && line[0] == '!') {
    // The command word is ASCII; the argument is kept in both encodings: game text in
    // CP1252, file paths of the console user in UTF-8 as typed.
    const std::size_t blank = line.find(' ');
    const std::string command =
        line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
    const std::string argument =
        blank == std::string::npos ? std::string() : line.substr(blank + 1);
    RunConsoleCommand(Utf8ToCp1252(command), Utf8ToCp1252(argument), argument);
  } else {
    out_ << "aviso: frases ainda não são interpretadas\n";
  }
  EndTurn();
}

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
  } else if (!RunPictureCommand(game_, command, utf8_argument, out_)) {
    out_ << "aviso: comando desconhecido: !" << Cp1252ToUtf8(command) << '\n';
  }
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

void HeadlessPlayer::EndTurn() {
  for (const std::string& error : host_.TakeErrors()) Print("erro: " + error);
  const Output& output = game_.output();
  for (const std::string& line : output.lines()) Print("| " + line);
  Print("status: " + output.status());
  for (int i = 0; i < 3; ++i) {
    const Suggestion& s = output.suggestions[i];
    if (!s.caption.empty() || !s.script.empty()) {
      out_ << "sugestão " << (i + 1) << ": ";
      Print(s.caption + " -> " + s.script);
    }
  }
  out_ << '\n';
  out_.flush();
}

}  // namespace zunk
