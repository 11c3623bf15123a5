#pragma once

#include <thread>

namespace orbisca {

// fontconfig's configuration and font cache, loaded while the main thread
// connects to the display and loads Qt's plugins. The first font a window asks
// for loads them otherwise, on the main thread: the configuration files are
// parsed and every cache file is read, 5 to 7 ms here, with the second core
// idle. Qt's font database then finds the configuration already current.
class FontConfigPreload {
 public:
  FontConfigPreload();   // starts the loading
  ~FontConfigPreload();  // waits for it
  FontConfigPreload(const FontConfigPreload&) = delete;
  FontConfigPreload& operator=(const FontConfigPreload&) = delete;

  // Until the configuration is loaded. Call it before the first font is used:
  // a font database populated meanwhile would load a second configuration.
  void Wait();

 private:
  std::thread thread_;
};

}  // namespace orbisca
