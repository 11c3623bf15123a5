#include "app/font_preload.h"

#include <QAccessible>
#include <fontconfig/fontconfig.h>

#include "ui/fonts.h"
#include "ui/spare_core.h"

namespace orbisca {

// FcInit loads the default configuration and makes it current, once per
// process: fontconfig keeps it in an atomic pointer, and a later FcInit (Qt's
// font database calls it) finds it there.
FontConfigPreload::FontConfigPreload() : thread_(ui::StartBeside([] { FcInit(); })) {}

FontConfigPreload::~FontConfigPreload() { Wait(); }

void FontConfigPreload::Wait() {
  if (thread_.joinable()) thread_.join();
}

void ConnectAccessibilityWhileFontsLoad() {
  // Qt's font database is shared by every thread under its own lock; the font
  // engine the other thread makes is its own, but the families and the
  // fallbacks found stay for the main thread.
  std::thread fonts = ui::StartBeside([] { ui::UiFontFamily(); });
  QAccessible::isActive();  // makes the bridge, as the first label would
  fonts.join();
}

}  // namespace orbisca
