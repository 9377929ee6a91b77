// Register names and their lookup index.
#include "game/world/register_names.h"

namespace zunk {
namespace {
std::uint64_t next_version = 0;  // one thread: no atomics needed
}  // namespace

RegisterNames::RegisterNames() {
  NewVersion();
}

RegisterNames::RegisterNames(const RegisterNames& other)
    : names_(other.names_), version_(other.version_) {}

RegisterNames& RegisterNames::operator=(const RegisterNames& other) {
  if (this == &other) return *this;
  names_ = other.names_;
  version_ = other.version_;
  index_stale_ = true;
  return *this;
}

void RegisterNames::NewVersion() {
  version_ = ++next_version;
}

void RegisterNames::Set(int index, std::string name) {
  if (index < 0 || index > kCount) return;
  // Register 0's name is never looked up, and an unchanged name changes no lookup.
  if (index > 0 && names_[index] != name) {
    index_stale_ = true;
    NewVersion();
  }
  names_[index] = std::move(name);
}

void RegisterNames::ClearScriptNames() {
  for (int i = 1; i <= kCount; ++i) names_[i].clear();
  index_stale_ = true;
  NewVersion();
}

const RegisterNames::Entry* RegisterNames::Lookup(std::string_view name) const {
  if (name.empty()) return nullptr;
  if (index_stale_) {
    for (auto& bucket : index_) bucket.clear();
    for (int i = 1; i <= kCount; ++i) {
      if (names_[i].empty()) continue;
      auto& bucket = index_[static_cast<unsigned char>(names_[i][0])];
      Entry* same = nullptr;
      for (Entry& entry : bucket) {
        if (entry.name == names_[i]) same = &entry;
      }
      if (same != nullptr) {
        same->last = i;
      } else {
        bucket.push_back(Entry{names_[i], i, i});
      }
    }
    index_stale_ = false;
  }
  for (const Entry& entry : index_[static_cast<unsigned char>(name[0])]) {
    if (entry.name.size() == name.size() && entry.name == name) return &entry;
  }
  return nullptr;
}

int RegisterNames::FindFirst(std::string_view name) const {
  const Entry* entry = Lookup(name);
  return entry == nullptr ? 0 : entry->first;
}

int RegisterNames::FindLast(std::string_view name) const {
  const Entry* entry = Lookup(name);
  return entry == nullptr ? 0 : entry->last;
}

}  // namespace zunk
