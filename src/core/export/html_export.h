#pragma once

#include <functional>
#include <string>

#include "export/html_page.h"
#include "export/rgb_image.h"
#include "report_options.h"
#include "views/display_list.h"

namespace quillfen {

// Turns a display list into pixels; the core has no painter of its own.
using ChartRenderer = std::function<RgbImage(const DisplayList&)>;

struct HtmlExportRequest {
  std::string pagePath;
  std::string windowTitle;  // the main window's caption, the page's title
  bool detailed = false;    // with the chart picture and the magic/comment lines
};

// The chart picture's path beside the page: in the page's file name, the first
// ".htm" and what follows become ".jpg"; a name without ".htm" has its
// extension (if any) replaced by ".jpg", and never ends up the page's own name.
std::string PictureFileName(const std::string& pagePath);

// Writes the page (and for the detailed page the JPEG chart picture beside it)
// from the grids and figures as they stand, with the given initial deposit.
// Page and picture are replaced together or not at all; false with the reason in *error.
bool WriteHtmlFiles(const HtmlPageSource& source, float deposit, const HtmlExportRequest& request,
                    const ChartRenderer& renderer, std::string* error = nullptr);

// The deposit the page shows: the one of the last computation, or the typed
// one under "Initial deposit".
float PageDeposit(const ReportStatistics& stats, const ReportOptions& options);

}  // namespace quillfen
