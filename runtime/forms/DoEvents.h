#pragma once
// Event processing: dispatches every message waiting in this thread's queue, then returns.
// Safe to call from inside a handler; a WM_QUIT met on the way is posted again so the
// outer loop still sees it.
namespace rt {

void DoEvents();

}  // namespace rt
