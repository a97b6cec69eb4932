#pragma once
// A page whose operation shows a question or the wait window is still
// reached meanwhile: those run their own event loop, in which the refresh
// timer and a second click arrive. The page marks itself busy for the
// operation, and whatever finds it busy leaves the model alone.

#include <utility>

namespace vidodez::gui {

// Runs `operation` with `busy` set, unless it is set already. `busy` is
// cleared again even if the operation throws.
template <typename Operation>
void RunUnlessBusy(bool& busy, Operation&& operation) {
  if (busy) return;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } const clear{busy};
  busy = true;
  std::forward<Operation>(operation)();
}

}  // namespace vidodez::gui
