// The optional names of the registers. Scripts refer to a register by its name on almost
// every line, so lookups scan short lists of the distinct names in use, grouped by their first
// character and rebuilt only after a name changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zunk {

class RegisterNames {
 public:
  static constexpr int kCount = 250;  // names of registers 1..250; 0 can be set, never found

  RegisterNames();
  // A copy rebuilds its own lookup index (the index points into the names it was built from).
  // Moves copy too, so no set of names is ever left emptied under a version it did not have.
  RegisterNames(const RegisterNames& other);
  RegisterNames& operator=(const RegisterNames& other);

  const std::string& operator[](int index) const { return names_[index]; }
  void Set(int index, std::string name);
  void ClearScriptNames();  // registers 1..250

  // The first (or last) register from 1 to 250 with exactly this name; 0 when none, and for
  // the empty name, which an unnamed register does not have.
  int FindFirst(std::string_view name) const;
  int FindLast(std::string_view name) const;

  // Changes whenever a lookup could give another result; unique across all sets of names, so
  // what was resolved from names stays good while the version stays the same.
  std::uint64_t version() const { return version_; }

 private:
  struct Entry {
    std::string_view name;  // into names_
    int first = 0;
    int last = 0;
  };
  const Entry* Lookup(std::string_view name) const;

  void NewVersion();

  std::array<std::string, kCount + 1> names_{};
  std::uint64_t version_ = 0;
  mutable bool index_stale_ = true;
  mutable std::array<std::vector<Entry>, 256> index_;  // by first character
};

}  // namespace zunk
