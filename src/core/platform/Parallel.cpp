#include "platform/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace tk3d {

namespace {

std::atomic<unsigned> gPartsSet{0};

}  // namespace

unsigned ParallelParts() {
    if (const unsigned set = gPartsSet) return set;
    // Asking the system costs a file read: once is enough.
    static const unsigned processors = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    return processors;
}

void SetParallelParts(unsigned parts) { gPartsSet = parts; }

void RunParts(unsigned parts, const std::function<void(unsigned)>& part) {
    std::vector<std::exception_ptr> errors(parts);
    auto run = [&](unsigned p) {
        try {
            part(p);
        } catch (...) {
            errors[p] = std::current_exception();
        }
    };
    // A part whose thread cannot be started runs on the calling thread,
    // after part 0.
    std::vector<std::thread> threads;
    std::vector<unsigned> here;
    for (unsigned p = 1; p < parts; ++p) {
        try {
            threads.emplace_back(run, p);
        } catch (const std::system_error&) {
            here.push_back(p);
        }
    }
    if (parts > 0) run(0);
    for (unsigned p : here) run(p);
    for (std::thread& t : threads) t.join();
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
}

void ParallelRanges(size_t count, size_t minCount, const std::function<void(size_t, size_t)>& body) {
    const unsigned parts = count < minCount ? 1 : ParallelParts();
    RunParts(parts, [&](unsigned p) { body(count * p / parts, count * (p + 1) / parts); });
}

}  // namespace tk3d
