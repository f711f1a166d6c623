#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillfen {

// What the page viewer spends memory on when it shows a report page: its
// table cells far more than its bytes. (Its rows add nothing once the cells
// are counted.)
struct PageShape {
  std::int64_t bytes = 0;
  std::int64_t cells = 0;  // <td> and <th> tags
};

// Counts the cell tags of a page, in any letter case.
PageShape CountPageShape(std::string_view page);

// The same for a file, read in pieces; nothing when it cannot be read. A file
// beyond the largest shown without asking is not read: its bytes rule it out.
std::optional<PageShape> ReadPageShape(const std::string& path);

// The memory, in megabytes, that all the program's processes reach while the
// page viewer shows such a page, as measured against its renderer.
std::int64_t PageViewerMegabytes(const PageShape& shape);

// The most the program's processes may reach for a page shown without asking.
inline constexpr std::int64_t kPageViewerBudgetMegabytes = 1536;

// Whether the Report tab shows the page by itself or asks first.
bool ShowsPageByItself(const PageShape& shape);

}  // namespace quillfen
