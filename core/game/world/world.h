// The world model: everything a running game knows. Data files are held as line lists and
// interpreted only when a field is needed; registers, the location, the exits, the special
// script names and the player's name live beside them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/world/line_list.h"
#include "game/world/register_names.h"

namespace zunk {

inline constexpr int kRegisterCount = 250;  // script registers 1..250; 0 is scratch
inline constexpr int kObjectRecordLines = 10;
inline constexpr int kSpecialScripts = 10;  // FncDef[1..10]
inline constexpr const char* kDefaultIgnoredWords = "A:O:UM:UMA";
inline constexpr const char* kDefaultStartScript = "inicio";
inline constexpr const char* kPlayerName = "jog1";

// Lines of an object record.
enum ObjectField : int {
  kPlvr = 0,  // word
  kDscr,      // description
  kLoc,       // location, the player's name, or a container's word
  kFlags,     // state characters
  kPso,       // weight
  kTmh,       // size
  kShp,       // panel picture
  kPrg,       // what a double click starts
  kUdp,       // module channel port
  kVago,      // start condition and arguments of a program
};

// Registers with fixed roles.
enum FixedRegister : int {
  kRegCarryLimit = 2,
  kRegCarried = 3,
  kRegCountUp = 7,    // while nonzero, +1 at every sentence
  kRegCountDown = 8,  // while nonzero, -1 at every sentence; FncDef[2] runs at 0
  kRegMinutes = 11,
  kRegHours = 12,
  kRegDays = 13,
  kRegCountdown = 14,   // seconds; FncDef[10] runs at every clock tick while it is 0
  kRegMoved = 15,       // 0 on every move
  kRegSinceMove = 16,   // sentences since the last move
  kRegSinceStart = 19,  // sentences since the game started
  kRegSeconds = 21,
  kRegLinkX = 24,  // the last press on the screen, relative to its link
  kRegLinkY = 25,
  kRegPointerX = 26,  // the last press on the screen
  kRegPointerY = 27,
  kRegPanelX = 28,  // the last press on an object panel, in the panel
  kRegPanelY = 29,
  kRegSentenceObject = 30,
  kRegVerb = 31,
  kRegWord1 = 32,
  kRegWord2 = 33,
  kRegFirstListWord = 34,  // further objects of a list sentence, up to kRegLastListWord
  kRegLastListWord = 38,
};

struct World {
  LineList ignored_words;  // .ign
  LineList word_list;      // .plr
  LineList verb_list;      // .vrb
  LineList message_list;   // .msg
  LineList object_list;    // .obj

  std::array<std::int32_t, kRegisterCount + 1> reg{};
  RegisterNames reg_name;
  std::string str_reg;

  std::string local;
  std::string norte, sul, leste, oeste;
  std::array<std::string, kSpecialScripts + 1> fncdef{};  // index 0 unused
  std::string nick = kPlayerName;

  // Number of object records; a partial last record counts.
  int ObjectCount() const;
  bool HasObject(int record) const { return record >= 0 && record < ObjectCount(); }
  // A line of record r (from 0); the missing lines of a partial record read as empty.
  const std::string& ObjectLine(int record, int field) const;
  // Writes a line of record r; a partial record is first completed with empty lines.
  void SetObjectLine(int record, int field, std::string text);

  // Object number (from 1) of the first record whose word equals WordList line w (from 1),
  // 0 when none; stores the result in Reg[30].
  int FindObjectByWordCode(std::int32_t word_code);

  // Message n (line n of MessageList, from 0), or nothing outside the table.
  const std::string* Message(std::int64_t n) const;

  void ClearRegisters();
};

}  // namespace zunk
