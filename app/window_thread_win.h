#pragma once
// Work that reply handlers (network thread) hand to the window thread: window
// changes are only ever made by the thread that owns the windows.
#include <functional>

namespace molan::win {

// Called once on the window thread at start: creates the hidden message
// window that receives the calls.
bool initWindowThread();
bool onWindowThread();
// Runs `fn` on the window thread and returns when it has run. Called on the
// window thread itself it runs at once. The window thread runs such calls
// while it sits in its message loop or in a reply wait.
void runOnWindowThread(const std::function<void()>& fn);

}  // namespace molan::win
