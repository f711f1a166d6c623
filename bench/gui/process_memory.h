#pragma once

#include <cstdio>
#include <cstring>

// A line of /proc/self/status in megabytes: "VmHWM" the peak resident size of
// this process so far, "VmRSS" the present one. Child processes (the web
// view's) are not counted.
inline double ProcessMegabytes(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  long kilobytes = 0;
  const std::size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
      std::sscanf(line + n + 1, "%ld", &kilobytes);
      break;
    }
  }
  std::fclose(status);
  return static_cast<double>(kilobytes) / 1024.0;
}
