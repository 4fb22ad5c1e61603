// Compiles a streamed recording on a thread of its own while the drawing
// goes on, so that recording and compiling a large scene share the time of
// two processors instead of adding up on one.
#pragma once
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "obj3d/CompiledScene.h"

namespace tk3d {

class TBackgroundCompiler {
public:
    explicit TBackgroundCompiler(size_t maxSceneBytes = kMaxSceneBytes);
    // Waits for the thread; a scene not finished is dropped.
    ~TBackgroundCompiler();
    TBackgroundCompiler(const TBackgroundCompiler&) = delete;
    TBackgroundCompiler& operator=(const TBackgroundCompiler&) = delete;

    // Takes the next part and leaves in its place an empty list with the
    // memory of a part compiled already: a large recording then reuses a
    // few parts' memory instead of asking the system for new memory for
    // every part. Waits while a few parts are queued already, so that a fast
    // recording does not pile up its calls.
    void Add(TGLList& part);
    // True once further parts would be left out: the scene holds its limit
    // or compiling failed. The recording may stop.
    bool Full() const { return fStopped; }
    // The scene of every part added; rethrows what compiling threw.
    TCompiledScene Finish();

private:
    void Work();
    void Close();

    TSceneCompiler fCompiler;
    std::mutex fMutex;
    std::condition_variable fPartQueued, fPartTaken;
    std::deque<TGLList> fParts;
    std::vector<TGLList> fSpares;  // compiled parts, emptied
    bool fClosed = false;
    std::atomic<bool> fStopped{false};
    std::exception_ptr fError;
    std::thread fThread;
};

}  // namespace tk3d
