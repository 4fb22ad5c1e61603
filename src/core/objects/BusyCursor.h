// The hour-glass cursor around long commands: a nesting counter whose first
// BeginBusy and last EndBusy notify a hook that the application installs.
#pragma once
#include <functional>

namespace tk3d {

// Called with true when the busy state starts and false when it ends.
using TBusyHook = std::function<void(bool busy)>;

void SetBusyHook(TBusyHook hook);
void BeginBusy();
// Never takes the counter below 0.
void EndBusy();
int BusyDepth();

// Begins on construction and ends on destruction, also when a command fails.
class TBusyScope {
public:
    TBusyScope() { BeginBusy(); }
    ~TBusyScope() { EndBusy(); }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;
};

}  // namespace tk3d
