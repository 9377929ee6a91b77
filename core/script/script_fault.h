// A fault that a command body does not handle: it ends the current run and every run it was
// nested in, and the host's error display shows its message.
#pragma once

#include <stdexcept>
#include <string>

namespace zunk {

class ScriptFault : public std::runtime_error {
 public:
  explicit ScriptFault(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zunk

namespace zunk {

// Thrown by a host's event pump when the program is ending (its window was closed while a run
// waited): it ends every run at once without being shown. It is not a fault: entry points let
// it through, and the host's event handlers catch it.
class RunsEnded {};

}  // namespace zunk
