// Types a file into the focused Wayland window with the program's Wayland keyboard, at a chosen
// pacing, for bench/typing_wayland. The file's bytes are Windows-1252 text; CR types Enter.
//
// Usage: wayland_type [--key-interval-us N] FILE
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "typing/wayland/keyboard_wayland.h"

namespace {

// The text as a key string: the characters of the key syntax in braces.
std::string keysFor(const std::string& text) {
    std::string keys;
    for (const char c : text) {
        if (std::string_view("{}^+%~()[]").find(c) != std::string_view::npos) {
            keys += std::string("{") + c + "}";
        } else {
            keys += c;
        }
    }
    return keys;
}

}  // namespace

int main(int argc, char* argv[]) {
    vantorix::WaylandKeyPacing pacing;
    int next = 1;
    if (argc == 4 && std::string_view(argv[1]) == "--key-interval-us") {
        pacing.keyInterval = std::chrono::microseconds(std::atoi(argv[2]));
        next = 3;
    }
    if (next != argc - 1) {
        std::cerr << "usage: wayland_type [--key-interval-us N] FILE\n";
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
    keyboard->SendKeys(keysFor(text), true);
    return 0;
}
