#pragma once

#include <thread>

namespace orbisca {

// Two steps of the start that wait, each overlapped with other work.

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

// Connects Qt's accessibility bridge to the session bus while another thread
// populates Qt's font database and finds the program's font family (2 ms
// here). The bridge connects when the first label gets its text, and the main
// thread waits: for the connection and its first call on a desktop, and where
// no bus is named, for libdbus's attempt to launch one (4 ms under Xvfb here).
// Call it once the QApplication exists and fontconfig is loaded.
void ConnectAccessibilityWhileFontsLoad();

}  // namespace orbisca
