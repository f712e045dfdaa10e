// Qt must never see an exception leave a slot: the windows run their
// handlers through this.
#pragma once

#include <functional>

namespace SlotGuard {

// Runs work; an exception it throws is told in an error box instead.
void Run(const std::function<void()>& work);

// A slot that runs handler of object through Run.
template <typename T>
auto Handler(T* object, void (T::*handler)()) {
  return [object, handler] { Run([object, handler] { (object->*handler)(); }); };
}

}  // namespace SlotGuard
