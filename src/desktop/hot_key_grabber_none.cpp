#include "desktop/hot_key_grabber.h"

namespace vantorix {

std::unique_ptr<HotKeyGrabber> makeHotKeyGrabber() {
    return std::make_unique<NullHotKeyGrabber>();
}

}  // namespace vantorix
