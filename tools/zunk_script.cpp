// zunk-script: converts scripts between the encoded ".scpt" form and plain text, so authors
// can keep scripts under version control; also converts UTF-8 data files to the games' CP1252.
//   zunk-script decode FILE.scpt [OUT.txt]   plain text (UTF-8) to OUT or standard output
//   zunk-script encode FILE.txt OUT.scpt     encodes a UTF-8 text; empty lines are dropped
//   zunk-script cp1252 FILE.txt OUT          UTF-8 text to CP1252 with CR LF line ends
#include <iostream>
#include <string>

#include "game/world/line_list.h"
#include "platform/cp1252.h"
#include "platform/game_folder.h"
#include "script/script_codec.h"

namespace {

constexpr const char* kUsage =
    "uso: zunk-script decode ARQUIVO.scpt [SAIDA.txt]\n"
    "     zunk-script encode ARQUIVO.txt SAIDA.scpt\n"
    "     zunk-script cp1252 ARQUIVO.txt SAIDA\n";

int Fail(const std::string& message) {
  std::cerr << "zunk-script: " << message << '\n';
  return 1;
}

bool Write(const std::string& path, const std::string& bytes) {
  return zunk::WriteFileAtomic(std::filesystem::absolute(path), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return std::cerr << kUsage, 2;
  const std::string mode = argv[1];
  const auto input = zunk::ReadWholeFile(argv[2]);
  if (!input) return Fail(std::string("não foi possível ler ") + argv[2]);

  if (mode == "decode") {
    const zunk::DecodedScript decoded = zunk::DecodeScript(*input);
    std::string text;
    for (const std::string& line : decoded.lines) text += zunk::Cp1252ToUtf8(line) + "\n";
    if (argc >= 4) {
      if (!Write(argv[3], text)) return Fail(std::string("não foi possível gravar ") + argv[3]);
    } else {
      std::cout << text;
    }
    if (!decoded.complete) return Fail("dígitos hexadecimais inválidos; decodificação interrompida");
    return 0;
  }
  if (argc < 4) return std::cerr << kUsage, 2;
  const std::vector<std::string> lines = zunk::SplitLines(zunk::Utf8ToCp1252(*input));
  std::string output;
  if (mode == "encode") {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
      if (!line.empty()) kept.push_back(line);
    }
    output = zunk::EncodeScript(kept);
  } else if (mode == "cp1252") {
    output = zunk::LineList(lines).Text();
  } else {
    return std::cerr << kUsage, 2;
  }
  if (!Write(argv[3], output)) return Fail(std::string("não foi possível gravar ") + argv[3]);
  return 0;
}
