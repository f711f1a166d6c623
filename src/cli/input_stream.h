#pragma once

#include <string>

namespace quillfen::cli {

// The most a stream is read: larger than any report the terminal writes, and
// a bound on what an endless stream can take of the disk.
constexpr long long kStreamLimit = 1LL << 30;

// Whether FILE is read as a stream: "-" for standard input, a pipe, a socket
// or a character device. Such files are copied before they are opened.
bool IsStream(const std::string& path);

// Copies the stream into copyPath, without waiting for a pipe that has no
// writer (it reads as empty). Gives the reason it failed, or nothing.
std::string CopyStream(const std::string& path, const std::string& copyPath,
                       long long limit = kStreamLimit);

}  // namespace quillfen::cli
