// Loading the zip module by name and calling its functions. The module's C interface:
//   void zipCarregarArq(const char* path);
//   const char* zipListarArqs(void);
//   const char* zipLerArqAtual(void);
//   const unsigned char* zipLerArquivo(const char* name, uint32_t* length);
//   const char* zipLerNomeArqContem(const char* text);
//   void zipFecharArq(void);
//   void zipLimparMem(void);
//   const unsigned char* zipLerTodoArqContem(const char* text, uint32_t* length);
//   int32_t zipArquivoExiste(const char* name);
// (zip/zipdll.cpp says what each one does.)
#include "platform/zip_library.h"

#include <dlfcn.h>

#include <system_error>

namespace fs = std::filesystem;

namespace zunk {
namespace {

constexpr char kLoadFailure[] = "Falha na inicializa\xE7\xE3o da biblioteca zipdll.dll";

fs::path ProgramFolder() {
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : program.parent_path();
}

void* OpenModule(const fs::path& path) {
  if (!path.empty()) return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  const fs::path folder = ProgramFolder();
  if (!folder.empty()) {
    std::error_code ec;
    const fs::path beside = folder / kZipLibraryFile;
    if (fs::exists(beside, ec)) {
      if (void* handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    }
  }
  return dlopen(kZipLibraryFile, RTLD_NOW | RTLD_LOCAL);
}

template <typename Function>
void LookUp(void* handle, const char* name, Function& function, bool& complete) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  if (!function) complete = false;
}

}  // namespace

struct ZipLibrary::Functions {
  void (*open)(const char*) = nullptr;                                        // zipCarregarArq
  const char* (*list)() = nullptr;                                            // zipListarArqs
  const char* (*current)() = nullptr;                                         // zipLerArqAtual
  const unsigned char* (*read)(const char*, std::uint32_t*) = nullptr;        // zipLerArquivo
  const char* (*find_name)(const char*) = nullptr;                            // zipLerNomeArqContem
  void (*close)() = nullptr;                                                  // zipFecharArq
  void (*free_memory)() = nullptr;                                            // zipLimparMem
  const unsigned char* (*read_match)(const char*, std::uint32_t*) = nullptr;  // zipLerTodoArqContem
  std::int32_t (*exists)(const char*) = nullptr;                              // zipArquivoExiste
};

std::unique_ptr<ZipLibrary> ZipLibrary::Load(const fs::path& path) {
  void* handle = OpenModule(path);
  if (!handle) throw StartupFailure(kLoadFailure);
  auto functions = std::make_unique<Functions>();
  bool complete = true;
  LookUp(handle, "zipCarregarArq", functions->open, complete);
  LookUp(handle, "zipListarArqs", functions->list, complete);
  LookUp(handle, "zipLerArqAtual", functions->current, complete);
  LookUp(handle, "zipLerArquivo", functions->read, complete);
  LookUp(handle, "zipLerNomeArqContem", functions->find_name, complete);
  LookUp(handle, "zipFecharArq", functions->close, complete);
  LookUp(handle, "zipLimparMem", functions->free_memory, complete);
  LookUp(handle, "zipLerTodoArqContem", functions->read_match, complete);
  LookUp(handle, "zipArquivoExiste", functions->exists, complete);
  if (!complete) {
    dlclose(handle);
    throw StartupFailure(kLoadFailure);
  }
  std::unique_ptr<ZipLibrary> library(new ZipLibrary());
  library->handle_ = handle;
  library->functions_ = std::move(functions);
  return library;
}

ZipLibrary::~ZipLibrary() {
  Release();
}

bool ZipLibrary::Release() {
  if (!handle_) return true;
  functions_->close();
  functions_->free_memory();
  const bool released = dlclose(handle_) == 0;
  handle_ = nullptr;
  return released;
}

void ZipLibrary::OpenArchive(const std::string& path) {
  if (handle_) functions_->open(path.c_str());
}

std::string ZipLibrary::ListEntries() {
  if (!handle_) return {};
  const char* list = functions_->list();
  return list ? std::string(list) : std::string();
}

std::optional<std::string> ZipLibrary::ReadEntry(const std::string& name) {
  if (!handle_) return std::nullopt;
  std::uint32_t length = 0;
  const unsigned char* bytes = functions_->read(name.c_str(), &length);
  if (!bytes) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

void ZipLibrary::CloseArchive() {
  if (handle_) functions_->close();
}

}  // namespace zunk
