#pragma once

#include <string>

namespace quillfen {

// Whether the folder named by the history edit holds any "*.hst" file (the
// terminal's price history), matched without regard to letter case.
bool HistoryFolderHasFiles(const std::string& folder);

}  // namespace quillfen
