// Loading the web module (libzunk_web.so) on first use, and the folders its confined schemes
// serve: the game folder of the window shown now, and the pages shipped with zunk.
#pragma once

#include <filesystem>
#include <memory>

#include "browser_view.h"
#include "platform/game_folder.h"

namespace zunk {

// The module, loaded the first time it is asked for: ZUNK_WEB_MODULE when set, else beside the
// program, else lib/zunk beside its bin folder. Nothing when it cannot be loaded (the windows
// then show no pages).
WebModule* WebModuleInstance();

// The folder of zunk's own pages: ZUNK_SITE_DIR when set, else share/zunk/site beside the
// program's bin folder.
std::filesystem::path FindSiteFolder();

// The game folder zunk-jogo: serves; nothing served while none is set.
void SetServedGameFolder(const GameFolder* folder);

// A browser in a window, or nothing when the module could not be loaded.
std::unique_ptr<BrowserView> MakeBrowser(QWidget* parent, BrowserEvents events);

}  // namespace zunk
