// Types a file into the focused Wayland window with the program's Wayland keyboard, at a chosen
// pacing, for bench/typing_wayland. The file's bytes are Windows-1252 text; CR types Enter.
//
// Usage: wayland_type [--key-interval-us N] [--settle-ms N] FILE
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/key_translation.h"
#include "typing/wayland/keyboard_wayland.h"

int main(int argc, char* argv[]) {
    vantorix::WaylandKeyPacing pacing;
    int next = 1;
    for (; next + 2 < argc + 1 && next + 1 < argc; next += 2) {
        const std::string_view option = argv[next];
        if (option == "--key-interval-us") {
            pacing.keyInterval = std::chrono::microseconds(std::atoi(argv[next + 1]));
        } else if (option == "--settle-ms") {
            pacing.settleTime = std::chrono::milliseconds(std::atoi(argv[next + 1]));
        } else {
            break;
        }
    }
    if (next != argc - 1) {
        std::cerr << "usage: wayland_type [--key-interval-us N] [--settle-ms N] FILE\n";
        return 2;
    }
    std::ifstream file(argv[next], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    std::string problem;
    const auto keyboard = vantorix::openWaylandKeyboard(problem, pacing);
    if (!keyboard) {
        std::cerr << problem << "\n";
        return 1;
    }
    std::string keys = text;
    vantorix::escapeKeySyntax(keys);
    keyboard->SendKeys(keys, true);
    return 0;
}
