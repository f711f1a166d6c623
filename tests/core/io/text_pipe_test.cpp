#include "io/text_pipe.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace quillfen {
namespace {

TEST(TextPipe, HandsEveryByteOverInOrderThenEnds) {
  TextPipe pipe;
  std::string sent;
  std::thread writer([&] {
    for (int i = 0; i < 20000; ++i) {
      std::string block = std::to_string(i) + std::string(static_cast<std::size_t>(i % 700), 'x');
      sent += block;
      EXPECT_TRUE(pipe.Write(block));
    }
    pipe.CloseWriter();
  });
  std::string received;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.Reader()))
    received.append(buffer, n);
  writer.join();
  EXPECT_EQ(received.size(), sent.size());
  EXPECT_TRUE(received == sent);
}

// A reader that gives up must not leave the writer waiting for room forever.
TEST(TextPipe, AReaderThatLeavesReleasesABlockedWriter) {
  TextPipe pipe;
  bool refused = false;
  std::thread writer([&] {
    const std::string block(1 << 16, 'x');
    while (pipe.Write(block)) {
    }
    refused = true;
    pipe.CloseWriter();
  });
  char buffer[16];
  ASSERT_EQ(std::fread(buffer, 1, sizeof buffer, pipe.Reader()), sizeof buffer);
  pipe.CloseReader();
  writer.join();
  EXPECT_TRUE(refused);
}

}  // namespace
}  // namespace quillfen
