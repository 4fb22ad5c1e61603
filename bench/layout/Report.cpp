#include "Report.h"

#include <algorithm>
#include <cstdio>

namespace tk3d::bench {

namespace {

double Mb(int64_t bytes) { return double(bytes) / 1e6; }
double Ms(double seconds) { return seconds * 1000; }
double Throughput(int64_t bytes, double seconds) { return seconds > 0 ? Mb(bytes) / seconds : 0; }

std::string Line(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

}  // namespace

void PrintTable(std::ostream& out, const std::vector<TLayoutResult>& results) {
    out << Line("%-3s %7s %8s | %8s %9s | %8s %9s | %8s %8s %8s | %8s | %8s %8s | %10s %7s | %8s %8s\n", "",
                "pieces", "file MB", "read ms", "read MB/s", "load ms", "load MB/s", "compile", "open ms",
                "open cpu", "upload", "frame ov", "frame rot", "vertices", "batches", "RSS open", "RSS peak");
    for (const TLayoutResult& r : results) {
        const TMeasures& m = r.Measures;
        out << Line(
            "%-3s %7d %8.2f | %8.2f %9.0f | %8.1f %9.1f | %8.1f %8.1f %8.1f | %8.1f | %8.2f %8.2f | %10lld "
            "%7lld | %7.0fM %7.0fM%s\n",
            r.Name.c_str(), m.Pieces, Mb(m.FileBytes), Ms(m.ReadSeconds),
            Throughput(m.FileBytes, m.ReadSeconds), Ms(m.LoadSeconds), Throughput(m.FileBytes, m.LoadSeconds),
            Ms(m.CompileSeconds), Ms(m.LoadSeconds + m.CompileSeconds),
            Ms(m.LoadCpuSeconds + m.CompileCpuSeconds), Ms(m.UploadSeconds), Ms(m.FrameOverviewSeconds),
            Ms(m.FrameRotatedSeconds), (long long)m.Vertices, (long long)m.Batches, Mb(m.OpenPeakRssBytes),
            Mb(m.PeakRssBytes), m.Truncated ? "  TRUNCATED: the scene hit its size limit" : "");
    }
    out << "(times in ms, medians; open = load + compile, open cpu = its processor time; frames 1600x1200 "
           "off-screen, overview and rotated 300,0,20; RSS open = peak before GL exists)\n";
}

void PrintJson(std::ostream& out, const std::vector<TLayoutResult>& results) {
    out << "{\"layouts\": [";
    for (size_t i = 0; i < results.size(); ++i) {
        const TMeasures& m = results[i].Measures;
        out << (i ? ",\n  " : "\n  ")
            << Line(
                   "{\"name\": \"%s\", \"pieces\": %d, \"fileBytes\": %lld, \"readSeconds\": %.6f, "
                   "\"loadSeconds\": %.6f, \"compileSeconds\": %.6f, \"frameSeconds\": %.6f, ",
                   results[i].Name.c_str(), m.Pieces, (long long)m.FileBytes, m.ReadSeconds, m.LoadSeconds,
                   m.CompileSeconds, std::max(m.FrameOverviewSeconds, m.FrameRotatedSeconds))
            << Line(
                   "\"vertices\": %lld, \"batches\": %lld, \"peakRssBytes\": %lld, \"uploadSeconds\": %.6f, "
                   "\"frameOverviewSeconds\": %.6f, \"frameRotatedSeconds\": %.6f, \"loadCpuSeconds\": %.6f, "
                   "\"compileCpuSeconds\": %.6f, \"truncated\": %s}",
                   (long long)m.Vertices, (long long)m.Batches, (long long)m.PeakRssBytes, m.UploadSeconds,
                   m.FrameOverviewSeconds, m.FrameRotatedSeconds, m.LoadCpuSeconds, m.CompileCpuSeconds,
                   m.Truncated ? "true" : "false");
    }
    out << "\n]}\n";
}

}  // namespace tk3d::bench
