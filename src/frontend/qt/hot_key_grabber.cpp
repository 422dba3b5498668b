#include "frontend/qt/hot_key_grabber.h"

#ifdef VANTORIX_HAVE_X11_HOT_KEYS
#include <QGuiApplication>

#include "platform/x11/hot_keys_x11.h"
#endif

namespace vantorix {

std::unique_ptr<HotKeyGrabber> makeHotKeyGrabber() {
#ifdef VANTORIX_HAVE_X11_HOT_KEYS
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
            if (x11->display() != nullptr && x11->connection() != nullptr) {
                return std::make_unique<X11HotKeyGrabber>(x11->display(), x11->connection());
            }
        }
    }
#endif
    return std::make_unique<NullHotKeyGrabber>();
}

}  // namespace vantorix
