// Object record access and the lookups shared by the parser and the interpreter.
#include "game/world/world.h"

namespace zunk {
namespace {
const std::string kEmpty;
}

int World::ObjectCount() const {
  return (object_list.Count() + kObjectRecordLines - 1) / kObjectRecordLines;
}

const std::string& World::ObjectLine(int record, int field) const {
  if (!HasObject(record) || field < 0 || field >= kObjectRecordLines) return kEmpty;
  return object_list.Get(record * kObjectRecordLines + field);
}

void World::SetObjectLine(int record, int field, std::string text) {
  if (!HasObject(record) || field < 0 || field >= kObjectRecordLines) return;
  while (object_list.Count() < (record + 1) * kObjectRecordLines) object_list.Append("");
  object_list.Set(record * kObjectRecordLines + field, std::move(text));
}

int World::FindObjectByWordCode(std::int32_t word_code) {
  int found = 0;
  if (word_code >= 1 && word_code <= word_list.Count()) {
    const std::string& word = word_list.Get(word_code - 1);
    const int count = ObjectCount();
    for (int r = 0; r < count; ++r) {
      if (ObjectLine(r, kPlvr) == word) {
        found = r + 1;
        break;
      }
    }
  }
  reg[kRegSentenceObject] = found;
  return found;
}

const std::string* World::Message(std::int64_t n) const {
  if (n < 0 || n >= message_list.Count()) return nullptr;
  return &message_list.Get(static_cast<int>(n));
}

void World::ClearRegisters() {
  for (int i = 1; i <= kRegisterCount; ++i) reg[i] = 0;
  reg_name.ClearScriptNames();
}

}  // namespace zunk
