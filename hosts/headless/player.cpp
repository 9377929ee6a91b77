// The turn loop of the headless player, its held lines and the end of each turn.
#include "player.h"

#include "platform/cp1252.h"

namespace zunk {

HeadlessPlayer::HeadlessPlayer(HeadlessHost& host, Game& game, std::ostream& out,
                               PlayerInput* input)
    : host_(host),
      game_(game),
      out_(out),
      direct_input_(game),
      input_(input != nullptr ? *input : direct_input_) {
  host_.SetPendingInputHandler([this] { HandleHeldLines(); });
}

HeadlessPlayer::~HeadlessPlayer() {
  host_.SetPendingInputHandler(nullptr);
}

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
  // Held lines wait through the next line that is not itself "!queue"; those its pumps did
  // not take are handled before the line after it.
  if (!holding_) RunHeldLinesAsTurns();
  holding_ = line.rfind("!queue", 0) == 0 && (line.size() == 6 || line[6] == ' ');
  out_ << "> " << line << '\n';
  RunLine(line);
  EndTurn();
}

void HeadlessPlayer::Finish() {
  RunHeldLinesAsTurns();
}

void HeadlessPlayer::RunHeldLinesAsTurns() {
  while (!held_.empty()) {
    const std::string line = std::move(held_.front());
    held_.pop_front();
    out_ << "> " << line << '\n';
    RunLine(line);
    EndTurn();
  }
}

void HeadlessPlayer::HandleHeldLines() {
  // Only the lines held before this pump: a line held by one of them waits for the next.
  // A pump inside one of them takes the following lines, in order.
  for (std::size_t waiting = held_.size(); waiting > 0 && !held_.empty(); --waiting) {
    const std::string line = std::move(held_.front());
    held_.pop_front();
    out_ << "> " << line << " (durante a espera)\n";
    RunLine(line);
  }
}

void HeadlessPlayer::RunLine(const std::string& line) {
  if (!line.empty() && line[0] == '!') {
    // The command word is ASCII; the argument is kept in both encodings: game text in
    // CP1252, file paths of the console user in UTF-8 as typed.
    const std::size_t blank = line.find(' ');
    const std::string command =
        line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
    const std::string argument =
        blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (command == "queue") {
      if (argument.empty()) {
        out_ << "aviso: uso: !queue FRASE|!COMANDO\n";
      } else {
        held_.push_back(argument);
      }
      return;
    }
    RunConsoleCommand(Utf8ToCp1252(command), Utf8ToCp1252(argument), argument);
  } else {
    input_.TypeSentence(Utf8ToCp1252(line));
  }
}

void HeadlessPlayer::EndTurn() {
  // What the media layer reported while the turn ran is handled once the turn is over, as a
  // window handles it after the event.
  host_.DeliverMediaEnds();
  for (const std::string& event : host_.TakeEvents()) Print(event);
  const Output& output = game_.output();
  for (const std::string& line : output.lines()) Print("| " + line);
  if (!game_.frase.empty()) Print("frase: " + game_.frase);
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
