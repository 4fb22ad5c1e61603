// The benchmark's table for people and its JSON object for tracking.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "Measure.h"

namespace tk3d::bench {

struct TLayoutResult {
    std::string Name;  // S, M, L
    TMeasures Measures;
};

void PrintTable(std::ostream& out, const std::vector<TLayoutResult>& results);
// {"layouts": [{"name", "pieces", "fileBytes", "readSeconds", "loadSeconds",
// "compileSeconds", "frameSeconds", "vertices", "batches", "peakRssBytes"}]};
// frameSeconds is the slower of the two views, whose own times follow as
// "frameOverviewSeconds" and "frameRotatedSeconds", with "uploadSeconds",
// "loadCpuSeconds", "compileCpuSeconds" and "truncated" (the scene hit its
// size limit, so its times and sizes are those of a part of the layout).
void PrintJson(std::ostream& out, const std::vector<TLayoutResult>& results);

}  // namespace tk3d::bench
