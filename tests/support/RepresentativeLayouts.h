// Small whole layout files that together take the reader through every
// header form, both settings layouts, objects of the current and the old
// layouts with labels, lines, fill data, links and docking, the font table
// and the catenary list. The hostile-input sweeps cut and overwrite them,
// and the fuzzing corpus starts from them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tk3dw {

struct WNamedLayout {
    std::string name;  // usable as a file name
    std::vector<uint8_t> bytes;
};

// Every file here loads as a whole.
std::vector<WNamedLayout> RepresentativeLayouts();

// The richest of them (a wide-string file with named layers, layer data
// and a document of every object layout), a few kilobytes long.
WNamedLayout RichLayout();

}  // namespace tk3dw
