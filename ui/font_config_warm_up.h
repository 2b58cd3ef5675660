#pragma once

// The first text the window lays out makes Qt read the system's font
// configuration: fontconfig parses every file under /etc/fonts, the largest
// single cost of bringing the window up. Reading it needs no display, so main
// starts it on a thread of its own before connecting to the display and waits
// for it just before the window is built: the two overlap on any machine with
// a second core instead of following each other. Qt then finds the
// configuration loaded and uses it as it is.
//
//   FontConfigWarmUp warmUp;           // starts reading
//   QApplication application(...);     // meanwhile: display, platform plugin
//   warmUp.wait();                     // configuration ready
//   Form1 window;
//
// When no thread can be started, nothing is read ahead and Qt reads the
// configuration itself, as it would without the warm-up.

#include <thread>

namespace vintrelle::ui {

class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();

    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Returns once the configuration has been read. Safe to call more than once.
    void wait();

private:
    std::thread reader;
};

} // namespace vintrelle::ui
