#include "app/font_preload.h"

#include <fontconfig/fontconfig.h>

namespace orbisca {

// FcInit loads the default configuration and makes it current, once per
// process: fontconfig keeps it in an atomic pointer, and a later FcInit (Qt's
// font database calls it) finds it there.
FontConfigPreload::FontConfigPreload() : thread_([] { FcInit(); }) {}

FontConfigPreload::~FontConfigPreload() { Wait(); }

void FontConfigPreload::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace orbisca
