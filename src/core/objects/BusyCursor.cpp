#include "objects/BusyCursor.h"

namespace tk3d {

namespace {
struct TBusyState {
    int depth = 0;
    TBusyHook hook;
};
TBusyState& State() {
    static TBusyState state;
    return state;
}
}  // namespace

void SetBusyHook(TBusyHook hook) { State().hook = std::move(hook); }

void BeginBusy() {
    TBusyState& s = State();
    if (s.depth++ == 0 && s.hook) s.hook(true);
}

void EndBusy() {
    TBusyState& s = State();
    if (s.depth == 0) return;
    if (--s.depth == 0 && s.hook) s.hook(false);
}

int BusyDepth() { return State().depth; }

}  // namespace tk3d
