#include "typing/wayland/mutter_remote_desktop.h"

#include <systemd/sd-bus.h>

#include <cstdlib>
#include <utility>

namespace vantorix::wayland {

namespace {

constexpr const char* kService = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* kPath = "/org/gnome/Mutter/RemoteDesktop";
constexpr const char* kSessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";

sd_bus* openSessionBus() {
    sd_bus* bus = nullptr;
    return sd_bus_open_user(&bus) >= 0 ? bus : nullptr;
}

}  // namespace

bool MutterRemoteDesktop::offered() {
    sd_bus* bus = openSessionBus();
    if (bus == nullptr) {
        return false;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    int hasOwner = 0;
    if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", &error, &reply, "s",
                           kService) >= 0) {
        sd_bus_message_read(reply, "b", &hasOwner);
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    sd_bus_flush_close_unref(bus);
    return hasOwner != 0;
}

std::unique_ptr<MutterRemoteDesktop> MutterRemoteDesktop::start(std::string& problem) {
    sd_bus* bus = openSessionBus();
    if (bus == nullptr) {
        problem = "Cannot connect to the session bus (DBUS_SESSION_BUS_ADDRESS)";
        return nullptr;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    const char* path = nullptr;
    std::string session;
    if (sd_bus_call_method(bus, kService, kPath, kService, "CreateSession", &error, &reply, "") >=
            0 &&
        sd_bus_message_read(reply, "o", &path) >= 0) {
        session = path;
    } else {
        problem = std::string("GNOME refused a remote-desktop session for typing: ") +
                  (error.message != nullptr ? error.message : "no answer");
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    if (session.empty()) {
        sd_bus_flush_close_unref(bus);
        return nullptr;
    }
    std::unique_ptr<MutterRemoteDesktop> desktop(new MutterRemoteDesktop(bus, std::move(session)));
    if (!desktop->call("Start", true)) {
        problem = "GNOME did not start the remote-desktop session for typing";
        return nullptr;
    }
    return desktop;
}

MutterRemoteDesktop::MutterRemoteDesktop(sd_bus* bus, std::string session)
    : bus_(bus), session_(std::move(session)) {}

MutterRemoteDesktop::~MutterRemoteDesktop() {
    // Stopping earlier loses the keys mutter has not handled yet.
    deliver();
    call("Stop", true);
    sd_bus_flush_close_unref(bus_);
}

bool MutterRemoteDesktop::call(const char* method, bool awaitReply, std::uint32_t code,
                               bool pressed) {
    sd_bus_message* message = nullptr;
    int result = sd_bus_message_new_method_call(bus_, &message, kService, session_.c_str(),
                                                kSessionInterface, method);
    if (result >= 0 && code != 0) {
        result = sd_bus_message_append(message, "ub", code, static_cast<int>(pressed));
    }
    if (result >= 0 && awaitReply) {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        result = sd_bus_call(bus_, message, 0, &error, nullptr);
        sd_bus_error_free(&error);
    } else if (result >= 0) {
        result = sd_bus_message_set_expect_reply(message, 0);
        if (result >= 0) {
            result = sd_bus_send(bus_, message, nullptr);
        }
    }
    sd_bus_message_unref(message);
    return result >= 0;
}

bool MutterRemoteDesktop::key(std::uint32_t code, bool pressed) {
    return call("NotifyKeyboardKeycode", false, code, pressed);
}

void MutterRemoteDesktop::flush() {
    sd_bus_flush(bus_);
}

bool MutterRemoteDesktop::deliver() {
    // mutter handles one client's calls and property reads in order: once a
    // read of the session is answered, every key before it was handled.
    sd_bus_error error = SD_BUS_ERROR_NULL;
    char* id = nullptr;
    const int result = sd_bus_get_property_string(bus_, kService, session_.c_str(),
                                                  kSessionInterface, "SessionId", &error, &id);
    std::free(id);
    sd_bus_error_free(&error);
    return result >= 0;
}

}  // namespace vantorix::wayland
