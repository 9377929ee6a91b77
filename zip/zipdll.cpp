// The zip module: archive functions exported by name, over libzip. One archive is open at a
// time. Texts and bytes handed back live in the module and stay valid until the next call
// that hands back the same kind of result, zipFecharArq or zipLimparMem.
//
//   void zipCarregarArq(const char* path)
//       Opens the archive at path (closing the one open before); a path that cannot be opened
//       leaves no archive open.
//   const char* zipListarArqs(void)
//       The entry names, one per line ("\r\n" after each), UTF-8, with "/" turned into "\", so
//       folder entries end in "\". Empty when no archive is open.
//   const unsigned char* zipLerArquivo(const char* name, uint32_t* length)
//       The uncompressed bytes of the named entry ("\" or "/" separators) and their count in
//       *length; null (length 0) when the entry is missing, unreadable, or larger than
//       kMaxEntryBytes, whatever its header claims.
//   void zipFecharArq(void)
//       Closes the archive and frees what the calls above handed back.
//   const char* zipLerArqAtual(void)
//       The path of the open archive, empty when none.
//   const char* zipLerNomeArqContem(const char* text)
//       The first entry name (as listed) that contains text, empty when none.
//   void zipLimparMem(void)
//       Frees what the calls handed back; the archive stays open.
//   const unsigned char* zipLerTodoArqContem(const char* text, uint32_t* length)
//       As zipLerArquivo for the first entry whose name contains text.
//   int32_t zipArquivoExiste(const char* name)
//       1 when the open archive has the named entry, else 0.
#include <zip.h>

#include <cstdint>
#include <string>
#include <vector>

#define ZIP_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The largest entry handed out, declared or actual.
constexpr std::uint64_t kMaxEntryBytes = 64ULL * 1024 * 1024;

// Set once the module's state is gone (the program is ending, or the module is being
// unloaded). A plain flag, never destroyed: calls that come later (a game ended by an exit
// handler after ours ran) find it and do nothing instead of touching freed memory.
bool module_ended = false;

struct ModuleState {
  zip_t* archive = nullptr;
  std::string archive_path;
  std::string list;
  std::string found_name;
  std::vector<unsigned char> entry;

  ~ModuleState() {
    if (archive) zip_discard(archive);
    module_ended = true;
  }
};

ModuleState& State() {
  static ModuleState state;
  return state;
}

constexpr char kNoText[] = "";

void FreeResults() {
  ModuleState& s = State();
  std::string().swap(s.list);
  std::string().swap(s.found_name);
  std::vector<unsigned char>().swap(s.entry);
}

void CloseArchive() {
  ModuleState& s = State();
  if (s.archive) zip_discard(s.archive);  // opened read-only: nothing to write back
  s.archive = nullptr;
  s.archive_path.clear();
  FreeResults();
}

// The entry's name as listed, or nothing for names a line cannot hold.
bool ListedName(zip_uint64_t index, std::string& listed) {
  const char* name = zip_get_name(State().archive, index, ZIP_FL_ENC_GUESS);
  if (!name) return false;
  listed = name;
  if (listed.empty() || listed.find_first_of("\r\n") != std::string::npos) return false;
  for (char& c : listed) {
    if (c == '/') c = '\\';
  }
  return true;
}

zip_int64_t Locate(const char* name) {
  zip_t* archive = State().archive;
  if (!archive || !name) return -1;
  zip_int64_t index = zip_name_locate(archive, name, ZIP_FL_ENC_GUESS);
  if (index >= 0) return index;
  std::string slashed = name;
  for (char& c : slashed) {
    if (c == '\\') c = '/';
  }
  return zip_name_locate(archive, slashed.c_str(), ZIP_FL_ENC_GUESS);
}

zip_int64_t FirstContaining(const char* text) {
  zip_t* archive = State().archive;
  if (!archive || !text) return -1;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  std::string listed;
  for (zip_int64_t i = 0; i < count; ++i) {
    if (ListedName(static_cast<zip_uint64_t>(i), listed) &&
        listed.find(text) != std::string::npos) {
      return i;
    }
  }
  return -1;
}

bool ReadIndex(zip_int64_t index, std::vector<unsigned char>& out) {
  zip_t* archive = State().archive;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0) return false;
  if ((stat.valid & ZIP_STAT_SIZE) && stat.size > kMaxEntryBytes) return false;
  zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
  if (!file) return false;
  if (stat.valid & ZIP_STAT_SIZE) out.reserve(static_cast<std::size_t>(stat.size));
  unsigned char chunk[65536];
  zip_int64_t n;
  bool ok = true;
  while ((n = zip_fread(file, chunk, sizeof chunk)) > 0) {
    if (out.size() + static_cast<std::uint64_t>(n) > kMaxEntryBytes) {
      ok = false;  // the header understated the size
      break;
    }
    out.insert(out.end(), chunk, chunk + n);
  }
  if (n < 0) ok = false;
  zip_fclose(file);
  return ok;
}

const unsigned char* HandOut(zip_int64_t index, std::uint32_t* length) {
  static const unsigned char kNoBytes = 0;
  ModuleState& s = State();
  if (length) *length = 0;
  std::vector<unsigned char>().swap(s.entry);
  if (index < 0 || !ReadIndex(index, s.entry)) {
    std::vector<unsigned char>().swap(s.entry);
    return nullptr;
  }
  if (length) *length = static_cast<std::uint32_t>(s.entry.size());
  return s.entry.empty() ? &kNoBytes : s.entry.data();
}

}  // namespace

ZIP_EXPORT void zipCarregarArq(const char* path) {
  if (module_ended) return;
  CloseArchive();
  if (!path) return;
  int error = 0;
  ModuleState& s = State();
  s.archive = zip_open(path, ZIP_RDONLY, &error);
  if (s.archive) s.archive_path = path;
}

ZIP_EXPORT const char* zipListarArqs(void) {
  if (module_ended) return kNoText;
  ModuleState& s = State();
  s.list.clear();
  if (!s.archive) return s.list.c_str();
  const zip_int64_t count = zip_get_num_entries(s.archive, 0);
  std::string listed;
  for (zip_int64_t i = 0; i < count; ++i) {
    if (!ListedName(static_cast<zip_uint64_t>(i), listed)) continue;
    s.list += listed;
    s.list += "\r\n";
  }
  return s.list.c_str();
}

ZIP_EXPORT const char* zipLerArqAtual(void) {
  if (module_ended) return kNoText;
  return State().archive_path.c_str();
}

ZIP_EXPORT const unsigned char* zipLerArquivo(const char* name, std::uint32_t* length) {
  if (length) *length = 0;
  if (module_ended) return nullptr;
  return HandOut(Locate(name), length);
}

ZIP_EXPORT const char* zipLerNomeArqContem(const char* text) {
  if (module_ended) return kNoText;
  ModuleState& s = State();
  s.found_name.clear();
  const zip_int64_t index = FirstContaining(text);
  if (index >= 0) ListedName(static_cast<zip_uint64_t>(index), s.found_name);
  return s.found_name.c_str();
}

ZIP_EXPORT void zipFecharArq(void) {
  if (module_ended) return;
  CloseArchive();
}

ZIP_EXPORT void zipLimparMem(void) {
  if (module_ended) return;
  FreeResults();
}

ZIP_EXPORT const unsigned char* zipLerTodoArqContem(const char* text, std::uint32_t* length) {
  if (length) *length = 0;
  if (module_ended) return nullptr;
  return HandOut(FirstContaining(text), length);
}

ZIP_EXPORT std::int32_t zipArquivoExiste(const char* name) {
  if (module_ended) return 0;
  return Locate(name) >= 0 ? 1 : 0;
}
