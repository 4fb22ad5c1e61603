// A small layout for rendering tests: a 3000 x 1500 mm board outline with a
// circle, an arc and a cross of straight lines at different positions and
// heights, each in its own colour.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk3d::test {

// Colours of the parts (0x00BBGGRR).
constexpr uint32_t kBoardColour = 0x000000;
constexpr uint32_t kCircleColour = 0x0080FF;  // orange, height 100
constexpr uint32_t kArcColour = 0xFF0000;     // blue, height 300, right of the middle
constexpr uint32_t kCrossColour = 0x00AA00;   // green, height 50

std::vector<uint8_t> DemoLayoutBytes();
// Writes the layout into the test's temporary folder; returns the path.
std::string WriteDemoLayout(const std::string& name);

}  // namespace tk3d::test
