// Finding and loading the web module; the pages its schemes serve.
#include "web_module.h"

#include <QLibrary>
#include <cstdlib>
#include <iostream>

#include "web/page_scheme.h"

namespace zunk {
namespace {

const GameFolder* served_game_folder = nullptr;

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

const GameFolder& SiteFolder() {
  static const GameFolder folder(FindSiteFolder());
  return folder;
}

bool ReadPage(const QString& scheme, const QByteArray& encoded_path, QByteArray& bytes,
              QByteArray& mime_type) {
  const GameFolder* folder = nullptr;
  if (scheme == QLatin1String(kGameScheme)) {
    folder = served_game_folder;
  } else if (scheme == QLatin1String(kSiteScheme)) {
    folder = &SiteFolder();
  }
  if (folder == nullptr) return false;
  const auto page = ServePage(
      *folder,
      std::string_view(encoded_path.constData(), static_cast<std::size_t>(encoded_path.size())));
  if (!page) return false;
  bytes = QByteArray(page->bytes.data(), static_cast<qsizetype>(page->bytes.size()));
  mime_type = QByteArray::fromStdString(page->mime_type);
  return true;
}

WebModule* Load() {
  std::vector<std::filesystem::path> candidates;
  if (const char* path = std::getenv("ZUNK_WEB_MODULE"); path != nullptr && *path != '\0') {
    candidates.emplace_back(path);
  } else {
    const auto folder = ProgramFolder();
    candidates.push_back(folder / kWebModuleFile);
    candidates.push_back(folder.parent_path() / "lib" / "zunk" / kWebModuleFile);
  }
  for (const auto& candidate : candidates) {
    if (!std::filesystem::exists(candidate)) continue;
    // Never unloaded: the engine's threads live as long as the process.
    QLibrary library(QString::fromStdString(candidate.string()));
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto factory = reinterpret_cast<WebModuleFactory>(library.resolve(kWebModuleFactory));
    if (factory == nullptr) {
      std::cerr << "zunk: m\u00f3dulo web inv\u00e1lido: " << library.errorString().toStdString()
                << '\n';
      continue;
    }
    static const PageReader reader = ReadPage;
    return factory(&reader);
  }
  std::cerr << "zunk: m\u00f3dulo web n\u00e3o encontrado (" << kWebModuleFile << ")\n";
  return nullptr;
}

}  // namespace

WebModule* WebModuleInstance() {
  static WebModule* module = Load();
  return module;
}

std::filesystem::path FindSiteFolder() {
  if (const char* dir = std::getenv("ZUNK_SITE_DIR"); dir != nullptr && *dir != '\0') return dir;
  return ProgramFolder().parent_path() / "share" / "zunk" / "site";
}

void SetServedGameFolder(const GameFolder* folder) {
  served_game_folder = folder;
}

std::unique_ptr<BrowserView> MakeBrowser(QWidget* parent, BrowserEvents events) {
  WebModule* module = WebModuleInstance();
  if (module == nullptr) return nullptr;
  return module->CreateView(parent, std::move(events));
}

}  // namespace zunk
