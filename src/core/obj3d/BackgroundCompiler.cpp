#include "obj3d/BackgroundCompiler.h"

#include <utility>

namespace tk3d {

namespace {

// Parts waiting at most; each holds up to 64k calls (2.5 MB).
constexpr size_t kMaxQueuedParts = 4;

}  // namespace

TBackgroundCompiler::TBackgroundCompiler(size_t maxSceneBytes)
    : fCompiler(maxSceneBytes), fThread([this] { Work(); }) {}

TBackgroundCompiler::~TBackgroundCompiler() { Close(); }

void TBackgroundCompiler::Add(TGLList& part) {
    if (fStopped) return;
    std::unique_lock lock(fMutex);
    fPartTaken.wait(lock, [this] { return fParts.size() < kMaxQueuedParts; });
    fParts.push_back(std::move(part));
    part = TGLList();
    if (!fSpares.empty()) {
        part = std::move(fSpares.back());
        fSpares.pop_back();
    }
    fPartQueued.notify_one();
}

TCompiledScene TBackgroundCompiler::Finish() {
    Close();
    if (fError) std::rethrow_exception(fError);
    return fCompiler.Finish();
}

void TBackgroundCompiler::Close() {
    {
        std::lock_guard lock(fMutex);
        fClosed = true;
    }
    fPartQueued.notify_one();
    if (fThread.joinable()) fThread.join();
}

void TBackgroundCompiler::Work() {
    for (;;) {
        TGLList part;
        {
            std::unique_lock lock(fMutex);
            fPartQueued.wait(lock, [this] { return !fParts.empty() || fClosed; });
            if (fParts.empty()) return;
            part = std::move(fParts.front());
            fParts.pop_front();
        }
        fPartTaken.notify_one();
        // Once stopped, parts are taken and dropped, so that the recording
        // never waits for room that would not come.
        if (fStopped) continue;
        try {
            fCompiler.Add(part);
            if (fCompiler.Full()) fStopped = true;
        } catch (...) {
            fError = std::current_exception();
            fStopped = true;
        }
        part.Clear();
        std::lock_guard lock(fMutex);
        if (fSpares.size() < kMaxQueuedParts) fSpares.push_back(std::move(part));
    }
}

}  // namespace tk3d
