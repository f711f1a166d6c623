#pragma once

#include <exception>
#include <thread>

namespace quillfen {

// Runs aside on a second thread while here runs on this one, and returns once
// both have ended. When here fails, stopAside is called first so that aside
// cannot wait forever for it. A failure of either reaches the caller.
template <class Aside, class Here, class StopAside>
void RunBeside(Aside&& aside, Here&& here, StopAside&& stopAside) {
  std::exception_ptr asideFailure;
  std::thread second([&] {
    try {
      aside();
    } catch (...) {
      asideFailure = std::current_exception();
    }
  });
  try {
    here();
  } catch (...) {
    stopAside();
    second.join();
    throw;
  }
  second.join();
  if (asideFailure) std::rethrow_exception(asideFailure);
}

}  // namespace quillfen
