#include "app/event_loop_win.h"

#include "app/main_window_win.h"
#include "app/status_bar_win.h"
#include "platform/message_loop_win.h"

namespace quillet {
namespace {

void RefreshBeforeDispatch(const MSG&) { RefreshStatusBar(TheMainWindow()); }

// The outermost loop: it runs until WM_QUIT and opens the context menu.
class MainLoop final : public LoopOwner {
public:
    bool KeepsRunning() const override { return true; }
    void AfterDispatch(const MSG& message) override { OpenContextMenuOnRightButton(TheMainWindow(), message); }
    bool PassesQuitOn() const override { return false; }
};

}  // namespace

void InstallStatusBarRefresh() { SetBeforeDispatch(RefreshBeforeDispatch); }

void RunEventLoop() {
    MainLoop loop;
    RunMessageLoop(loop);
}

}  // namespace quillet
