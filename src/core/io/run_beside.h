#pragma once

#include <exception>
#include <new>
#include <system_error>
#include <thread>

namespace quillfen {

// Runs aside on a second thread while here runs on this one, and returns once
// both have ended. When here fails, stopAside is called first so that aside
// cannot wait forever for it. A failure of either reaches the caller, and a
// second thread that cannot be had as std::bad_alloc.
template <class Aside, class Here, class StopAside>
void RunBeside(Aside&& aside, Here&& here, StopAside&& stopAside) {
  std::exception_ptr asideFailure;
  auto run = [&] {
    try {
      aside();
    } catch (...) {
      asideFailure = std::current_exception();
    }
  };
  std::thread second;
  try {
    second = std::thread(run);
  } catch (const std::system_error& e) {
    // No room for the thread's stack is a shortage of memory like any other.
    if (e.code() == std::errc::resource_unavailable_try_again) throw std::bad_alloc();
    throw;
  }
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
