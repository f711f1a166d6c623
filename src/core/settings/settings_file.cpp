#include "settings/settings_file.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "io/replacing_file.h"
#include "text/bounded_line.h"
#include "text/number_format.h"

namespace quillfen {

namespace {

// The deposit is scanned as "%f" into a float would scan it, in the C locale
// whatever the user's locale, so 1000.1 comes back as 1000.09997558594.
std::optional<std::string> ScanDeposit(const std::string& line) {
  std::size_t start = line.find_first_not_of(" \t\r\n\v\f");
  if (start == std::string::npos) return std::nullopt;
  if (line[start] == '+') ++start;
  float value = 0;
  auto [end, ec] = std::from_chars(line.data() + start, line.data() + line.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return FormatGeneral(static_cast<double>(value));
}

// A line without its line end, LF or CR LF.
bool ReadLine(std::istream& in, std::string& line) {
  if (!ReadBoundedLine(in, kFileLineLimit, line)) return false;
  if (line.back() == '\n') line.pop_back();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// The file writes a check state as "1" or "0"; any other line is no state at all.
std::optional<bool> ScanCheck(const std::string& line) {
  if (line == "1") return true;
  if (line == "0") return false;
  return std::nullopt;
}

}  // namespace

std::optional<StoredSettings> ReadSettingsFile(const std::filesystem::path& directory) {
  std::ifstream in(directory / kSettingsFileName, std::ios::binary);
  if (!in) return std::nullopt;
  StoredSettings stored;
  std::string line;
  if (!ReadLine(in, line)) return stored;
  stored.depositText = ScanDeposit(line);
  for (auto& check : stored.checks) {
    if (!ReadLine(in, line)) break;
    check = ScanCheck(line);
  }
  return stored;
}

bool WriteSettingsFile(const std::filesystem::path& directory, const std::string& depositText,
                       const CsvButtons& choices) {
  std::string content = depositText + "\r\n";
  for (bool checked :
       {choices.decimalComma, choices.decimalPeriod, choices.fieldSemicolon, choices.fieldTab}) {
    content += checked ? "1\r\n" : "0\r\n";
  }
  return WriteWholeFile((directory / kSettingsFileName).string(), content);
}

void ApplyStoredChecks(const StoredSettings& stored, CsvButtons& choices) {
  bool* buttons[4] = {&choices.decimalComma, &choices.decimalPeriod, &choices.fieldSemicolon,
                      &choices.fieldTab};
  for (int k = 0; k < 4; ++k) {
    if (!stored.checks[k]) continue;
    *buttons[k] = *stored.checks[k];
    if (*stored.checks[k]) *buttons[k ^ 1] = false;
  }
}

}  // namespace quillfen
