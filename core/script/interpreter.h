// The script runner: one line at a time, dispatched on its command word, with the run loops
// over ScriptLines, a label, or the periodic timer's lines. The loops keep what they read of
// each line (line_reading.h) and use it again while the line cannot have changed. Runs nest
// when a command starts another script or an event handler runs during a wait; all runs share
// the lines and counters below.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "game/world/line_list.h"
#include "script/command_table.h"
#include "script/first_line_index.h"
#include "script/line_reading.h"
#include "script/register_fields.h"

namespace zunk {

class Game;

// Deepest nesting of runs (a script handing over to another, a location moving on, an event
// handled during a wait). Deeper runs end with a fault instead of exhausting the stack.
inline constexpr int kMaxRunDepth = 256;

// Next-line results of ExecLine.
inline constexpr std::int32_t kNextLine = -1;
inline constexpr std::int32_t kRunReplaced = 65000;

class Interpreter {
 public:
  explicit Interpreter(Game& game);

  // Executes one line; returns the index of the line to run next (see the constants above,
  // or a label's index, or the line count of the list being run to end it).
  std::int32_t ExecLine(std::string_view line);

  // The main run: loads the named script into ScriptLines and runs it from line 0.
  void RunScript(const std::string& name);
  // The same for a script the caller has just found available (Game::ScriptAvailable): it
  // is not looked up again, so a script on the web is fetched once per run.
  void RunFoundScript(const std::string& name);

  // Runs the lines after the first line equal to label (the whole line, exactly), to the end
  // of list.
  void RunFromLabel(LineList& list, std::string_view label, std::int32_t& counter);

  // Loads the decoded lines of a script; false when it is missing or stops decoding early
  // (the lines decoded before the fault are still stored).
  bool LoadScript(const std::string& name, LineList& into);

  // The jump of goto and of every test whose condition holds: the label's line in the list
  // being run, or kNextLine when there is no such label.
  std::int32_t Goto(std::string_view label);

  // A command that started another run ends the current one: returns kRunReplaced and makes
  // the loop that ran the line stop there.
  std::int32_t HandOver() {
    handed_over_ = true;
    return kRunReplaced;
  }

  // Leaves the current location (its ":saida" section), empties the exits, switches the
  // links off, enters the named location and redraws the panels.
  void GoToLocation(const std::string& name);

  // One tick of the periodic timer over TimerScriptLines or from its label.
  void RunTimerTick();

  LineList script_lines;        // ScriptLines
  std::string cur_script;       // CurScript
  std::int32_t main_line = 0;   // MainLine
  LineList timer_script_lines;  // TimerScriptLines
  std::string timer_script;     // TimerScript
  std::int32_t timer_line = 0;  // TimerLine
  bool timer_context = false;   // TimerContext
  int last_reg = 0;             // LastReg

  int run_depth() const { return run_depth_; }

  // Bounds the lines that runs may still execute, counted over every run from now on; once
  // they are spent, the next line ends the run with a fault. 0 lifts the bound (the default).
  // Tools that run untrusted scripts use it to tell a script's own endless loop from a hang.
  void SetLineBudget(std::uint64_t lines) {
    budget_on_ = lines != 0;
    line_budget_ = lines;
  }

  // A run about to start inside the current one: a fault when the nesting is already at
  // kMaxRunDepth. Checked before a run touches ScriptLines or a line counter, so a refused run
  // leaves the run it interrupted exactly as it was.
  void CheckRoomForRun() const;

  // Counts one line against the line budget.
  void SpendLine();

  // Whether the run loops keep and reuse what they read of each line (the default), or read
  // every line from its text each time it runs. Both run lines alike; the switch lets tests
  // compare them.
  void SetLineReuse(bool on) { line_reuse_ = on; }
  bool line_reuse() const { return line_reuse_; }

 private:
  class DepthGuard;

  void RunAvailableScript(const std::string& name);
  void RunLoop(LineList& list, std::int32_t& counter);
  // Runs line index of list, from its kept reading or (with reuse off) from its text; copy
  // receives the text when the line runs from it.
  std::int32_t RunListLine(const LineList& list, int index, std::string& copy);
  // The same with the reuse on, readings being list's.
  std::int32_t RunKeptLine(const LineList& list, int index, LineReadings& readings,
                           std::string& copy);
  LineReadings& ReadingsOf(const LineList& list) {
    return &list == &timer_script_lines ? timer_readings_ : script_readings_;
  }
  // Runs a command from its argument text.
  std::int32_t Dispatch(Command command, std::string_view args);
  std::int32_t FindLabel(const LineList& list, std::string_view label);
  // The jump to a label name in the list being run; memo keeps where it landed.
  std::int32_t JumpTo(std::string_view name, JumpMemo& memo);

  // Registers and control flow.
  std::int32_t Arithmetic(Command command, const RegisterFields& fields);
  std::int32_t IncDec(const RegisterFields& fields, std::int32_t delta);
  void Def(std::string_view args);
  std::int32_t Compare(Command command, const RegisterFields& fields, std::string_view label,
                       JumpMemo& memo);
  std::int32_t Loop(const RegisterFields& fields, std::string_view label, JumpMemo& memo);
  std::int32_t Fim();
  std::int32_t Script(std::string_view args);
  std::int32_t IfArq(std::string_view args);
  void Verifica(std::string_view args);

  // Messages, text and suggestions.
  void MsgExtend(std::string_view args);
  void DefMsg(std::string_view args);
  void StrAppend(std::string_view args);
  void StrShow();
  void List(std::string_view args);
  void SgtCaption(std::string_view args);
  void SgtScript(std::string_view args);
  void SgtClear(std::string_view args);
  std::string ExpandOperand(std::string_view text);
  std::string ExtendText(std::string_view args);

  Game& game_;
  int run_depth_ = 0;
  bool budget_on_ = false;
  std::uint64_t line_budget_ = 0;  // lines left while budget_on_
  // Set by script once its run is over: the loop that ran that line ends there, however
  // long its list is (a label may sit at line 65000, so the result alone cannot tell).
  bool handed_over_ = false;
  bool line_reuse_ = true;
  LineReadings script_readings_;  // of ScriptLines, and of any other list a run is given
  LineReadings timer_readings_;   // of TimerScriptLines
  FirstLineIndex label_lines_;    // RunFromLabel's

  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  // The first line of each label of a list, rebuilt whenever the list changes.
  struct LabelIndex {
    std::uint64_t generation = 0;
    std::unordered_map<std::string, std::int32_t, TextHash, std::equal_to<>> first_line;
    // The last name looked up and its result: loops jump to the same label again and again.
    std::string last_name;
    std::int32_t last_result = kNextLine;
    bool has_last = false;
  };
  LabelIndex script_labels_;
  LabelIndex timer_labels_;
};

}  // namespace zunk
