#include "DemoLayout.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "WriteObjects.h"

namespace tk3d::test {

namespace {

using tk3dw::WLine;
using tk3dw::WRailObject;

WRailObject Part(int32_t number, double x, double y, double height, uint32_t colour, int32_t width,
                 std::vector<WLine> lines) {
    WRailObject o;
    o.number = number;
    o.x = x;
    o.y = y;
    o.height = height;
    o.color = colour;
    o.lineWidth = width;
    o.lines = std::move(lines);
    return o;
}

WLine Straight(double x1, double y1, double x2, double y2) {
    WLine l;
    l.x1 = x1;
    l.y1 = y1;
    l.x2 = x2;
    l.y2 = y2;
    return l;
}

}  // namespace

std::vector<uint8_t> DemoLayoutBytes() {
    WLine circle;
    circle.kind = WLine::Circle;
    circle.radius = 400;
    WLine arc;  // from (0, -400) heading east, half a turn round (0, 0)
    arc.kind = WLine::Arc;
    arc.x1 = 0;
    arc.y1 = -400;
    arc.x2 = 0;
    arc.y2 = 400;
    arc.radius = 400;
    arc.sweep = M_PI;
    arc.startAngle = 0;

    tk3dw::WDocument d;
    d.objects = {
        tk3dw::RailObjectWriter(Part(2, 0, 0, 0, kBoardColour, 0,
                                     {Straight(0, 0, 3000, 0), Straight(3000, 0, 3000, -1500),
                                      Straight(3000, -1500, 0, -1500), Straight(0, -1500, 0, 0)})),
        tk3dw::RailObjectWriter(Part(3, 800, -700, 100, kCircleColour, 3, {circle})),
        tk3dw::RailObjectWriter(Part(4, 2000, -750, 300, kArcColour, 3, {arc})),
        tk3dw::RailObjectWriter(
            Part(5, 2700, -300, 50, kCrossColour, 2, {Straight(0, 0, 200, -200), Straight(0, -200, 200, 0)})),
    };
    return tk3dw::LayoutFile(d);
}

std::string WriteDemoLayout(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / ("tk3d-render-" + name + ".tkl");
    const std::vector<uint8_t> bytes = DemoLayoutBytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path.string();
}

}  // namespace tk3d::test
