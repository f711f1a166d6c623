#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillfen {

// Where the core's few messages for the user go: the GUI shows them in its
// message dialog, the command line collects them.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(std::string_view text) = 0;
};

class MessageList final : public Messages {
 public:
  void Show(std::string_view text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

}  // namespace quillfen
