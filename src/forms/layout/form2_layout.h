#pragma once

#include <array>

#include "forms/layout/window_layout.h"

namespace vantorix {

inline constexpr FontSpec kArial1575Bold{.points = 15.75, .bold = true};

// The About window: the program's name and version, and a link to its
// manual. The background label lies behind everything and covers the whole
// window; the mouse on it is off the link.
inline constexpr auto kForm2Controls = std::to_array<ControlLayout>({
    label("Label6", {0, 0, 6600, 3120}, "", kArial1575Bold),
    picture("Image1", {240, 240, 1680, 1200}),
    label("Label1", {2160, 300, 3000, 480}, "VANTORIX", kArial1575Bold),
    label("Label2", {2160, 900, 3000, 375}, "Version: " VANTORIX_VERSION,
          {.points = 12, .bold = true}),
    link("LinkLabel1", {240, 1680, 6120, 375}, "Vantorix user manual",
         {.points = 12, .underline = true}),
    button("Command1", {2692, 2280, 1215, 495}, "OK", kArial975),
});

inline constexpr WindowLayout kForm2Layout{
    .name = "Form2",
    .caption = "About VANTORIX",
    .clientWidth = 6600,
    .clientHeight = 3120,
    .controls = kForm2Controls,
};

}  // namespace vantorix
