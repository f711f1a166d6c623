#include "settings/settings_file.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "io/replacing_file.h"
#include "text/number_format.h"

namespace quillfen {

namespace {

constexpr std::size_t kLineLimit = 1023;

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

bool ReadLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

std::optional<StoredSettings> ReadSettingsFile(const std::filesystem::path& directory) {
  std::ifstream in(directory / kSettingsFileName, std::ios::binary);
  if (!in) return std::nullopt;
  StoredSettings stored;
  std::string line;
  if (!ReadLine(in, line)) return stored;
  if (line.size() > kLineLimit) line.resize(kLineLimit);
  stored.depositText = ScanDeposit(line);
  for (auto& check : stored.checks) {
    if (!ReadLine(in, line)) break;
    check = !line.empty() && line[0] == '1';
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
