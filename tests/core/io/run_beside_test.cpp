#include "io/run_beside.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace quillfen {
namespace {

TEST(RunBeside, RunsAsideOnASecondThreadAndReturnsWhenBothEnded) {
  std::thread::id asideThread;
  int asideResult = 0;
  int hereResult = 0;
  RunBeside(
      [&] {
        asideThread = std::this_thread::get_id();
        asideResult = 1;
      },
      [&] { hereResult = 2; }, [] { ADD_FAILURE() << "nothing failed"; });
  EXPECT_NE(asideThread, std::this_thread::get_id());
  EXPECT_EQ(asideResult, 1);
  EXPECT_EQ(hereResult, 2);
}

// When here fails, aside may be waiting for it: stopAside releases it before
// the join, or the call would never return.
TEST(RunBeside, AFailureOfEitherSideReachesTheCaller) {
  bool hereEnded = false;
  try {
    RunBeside([] { throw std::runtime_error("aside"); }, [&] { hereEnded = true; }, [] {});
    ADD_FAILURE() << "no failure came through";
  } catch (const std::runtime_error& failure) {
    EXPECT_EQ(std::string(failure.what()), "aside");
  }
  EXPECT_TRUE(hereEnded);

  std::mutex mutex;
  std::condition_variable changed;
  bool stopped = false;
  bool asideEnded = false;
  try {
    RunBeside(
        [&] {
          std::unique_lock lock(mutex);
          changed.wait(lock, [&] { return stopped; });
          asideEnded = true;
        },
        [] { throw std::runtime_error("here"); },
        [&] {
          std::lock_guard lock(mutex);
          stopped = true;
          changed.notify_all();
        });
    ADD_FAILURE() << "no failure came through";
  } catch (const std::runtime_error& failure) {
    EXPECT_EQ(std::string(failure.what()), "here");
  }
  EXPECT_TRUE(asideEnded);
}

}  // namespace
}  // namespace quillfen
