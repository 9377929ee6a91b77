// What the core keeps of the web pages: whether the game's own page has loaded yet, the site
// root, and what each browser's lamp and gauge show.
#pragma once

#include <string>

#include "platform/host.h"

namespace zunk {

// A browser window's lamp Led and gauge G1.
struct BrowserDisplay {
  Lamp lamp = Lamp::Idle;
  int progress = 0;
  int maximum = 100;
  int pages_loaded = 0;  // navigations completed so far
};

struct WebState {
  // False until the game window's own browser has completed a navigation: until then btWeb
  // opens the story page in the pop-up.
  bool game_page_loaded = false;
  // The configured site root (an http or https address ending with "/"); empty: the pages
  // shipped with zunk.
  std::string site_root;
  BrowserDisplay book;   // the game window's Led and G1, for its browser
  BrowserDisplay popup;  // TFm2's Led and G1

  BrowserDisplay& display(Browser browser) { return browser == Browser::Book ? book : popup; }
};

}  // namespace zunk
