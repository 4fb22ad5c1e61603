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
// "loadCpuSeconds" and "compileCpuSeconds".
void PrintJson(std::ostream& out, const std::vector<TLayoutResult>& results);

}  // namespace tk3d::bench
