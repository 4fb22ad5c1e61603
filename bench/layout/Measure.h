// What the layout benchmark measures of one layout file, in this process.
#pragma once
#include <cstdint>
#include <string>

namespace tk3d::bench {

struct TMeasures {
    int64_t FileBytes = 0;
    double ReadSeconds = 0;     // reading the file's bytes, nothing else
    double LoadSeconds = 0;     // header, settings and document, completed
    double CompileSeconds = 0;  // bounds, recording and flattening into batches
    // The processor time (user and system) of the same: on a busy machine
    // the wall-clock times above include waiting for a processor.
    double LoadCpuSeconds = 0;
    double CompileCpuSeconds = 0;
    double UploadSeconds = 0;  // into vertex buffers
    double FrameOverviewSeconds = 0;
    double FrameRotatedSeconds = 0;
    int64_t Vertices = 0;
    int64_t Batches = 0;
    int64_t OpenPeakRssBytes = 0;  // after load and compile, before GL exists
    int64_t PeakRssBytes = 0;      // the whole run, GL driver included
    int32_t Pieces = 0;            // objects in the document
    bool Truncated = false;        // the scene reached its size limit: the rest is not drawn
};

// Read and load are the median of a few runs, compile of three, each frame
// time the median of `frames` frames of 1600 x 1200 off-screen. Raises the
// reader's errors.
TMeasures MeasureLayout(const std::string& path, int frames);

// One line of numbers, for the parent process to read back.
std::string FormatMeasures(const TMeasures& m);
bool ParseMeasures(const std::string& line, TMeasures& m);

}  // namespace tk3d::bench
