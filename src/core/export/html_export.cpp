#include "export/html_export.h"

#include <filesystem>

#include "export/html_page.h"
#include "export/jpeg_encoder.h"
#include "io/replacing_file.h"
#include "text/text_conversions.h"
#include "views/balance_chart.h"

namespace quillfen {

namespace {

constexpr int kJpegQuality = 100;

bool Failed(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

}  // namespace

std::string PictureFileName(const std::string& pagePath) {
  const std::size_t nameStart = pagePath.find_last_of('/') + 1;
  const std::string folder = pagePath.substr(0, nameStart);
  std::string name = pagePath.substr(nameStart);
  const std::size_t htm = name.find(".htm");
  if (htm != std::string::npos) return folder + name.substr(0, htm) + ".jpg";
  const std::size_t dot = name.find_last_of('.');
  std::string picture =
      (dot == std::string::npos || dot == 0 ? name : name.substr(0, dot)) + ".jpg";
  if (picture == name) picture = name + ".jpg";
  return folder + picture;
}

bool WriteHtmlFiles(const HtmlPageSource& source, float deposit, const HtmlExportRequest& request,
                    const ChartRenderer& renderer, std::string* error) {
  ReplacingFile page(request.pagePath);
  if (!page.Open()) return Failed(error, page.Error());
  HtmlPageContent content{request.windowTitle, deposit, request.detailed, {}};
  if (!request.detailed) {
    if (!page.Write(HtmlPageText(source, content)) || !page.Commit())
      return Failed(error, page.Error());
    return true;
  }
  if (!renderer) return Failed(error, "no renderer for the chart picture");
  const std::string picturePath = PictureFileName(request.pagePath);
  const RgbImage image =
      renderer(PaintBalanceChart(source.views, source.stats.initialDeposit, kReportImageWidth,
                                 kReportImageHeight, ChartSurface::reportPicture));
  const std::string jpeg = EncodeJpeg(image, kJpegQuality);
  if (jpeg.empty()) return Failed(error, "the chart picture could not be encoded");
  content.pictureName = std::filesystem::path(picturePath).filename().string();
  // The page and its picture go in together, so an old page never shows a new chart.
  ReplacingFile picture(picturePath);
  const bool written = picture.Open() && picture.Write(jpeg) &&
                       page.Write(HtmlPageText(source, content)) &&
                       CommitTogether({&picture, &page});
  if (written) return true;
  if (!picture.Error().empty()) return Failed(error, picturePath + ": " + picture.Error());
  return Failed(error, page.Error());
}

float PageDeposit(const ReportStatistics& stats, const ReportOptions& options) {
  if (options.deposit == DepositChoice::custom)
    return static_cast<float>(TextToAmount(options.depositText));
  return static_cast<float>(stats.initialDeposit);
}

}  // namespace quillfen
