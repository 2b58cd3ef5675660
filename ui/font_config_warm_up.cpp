#include "ui/font_config_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace vintrelle::ui {

FontConfigWarmUp::FontConfigWarmUp()
{
    try {
        // FcInit loads the configuration and makes it the current one; the
        // library swaps it in atomically, so a reader on another thread that
        // came first would simply keep its own.
        reader = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread: Qt reads the configuration when it first needs it.
    }
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (reader.joinable())
        reader.join();
}

} // namespace vintrelle::ui
