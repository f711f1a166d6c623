#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace quillfen {

inline constexpr const char* kSettingsFileName = "Quillfen.set";

// The four CSV option buttons of the Options tab, as checked or not.
struct CsvButtons {
  bool decimalComma = true;
  bool decimalPeriod = false;
  bool fieldSemicolon = true;
  bool fieldTab = false;

  bool operator==(const CsvButtons&) const = default;
};

// What the settings file holds; a value that could not be read stays empty so
// the window keeps its built-in default for it.
struct StoredSettings {
  std::optional<std::string> depositText;     // the deposit in the general number form
  std::array<std::optional<bool>, 4> checks;  // comma, period, semicolon, tab
};

// Reads "Quillfen.set" in the directory, no more than its five lines of at
// most 1023 bytes each; nothing when it cannot be opened. A check line other
// than "1" or "0" (line end aside) leaves that check empty.
std::optional<StoredSettings> ReadSettingsFile(const std::filesystem::path& directory);

// Writes the deposit text as typed and the four check states; false when the
// file cannot be written (the old one then stays as it was).
bool WriteSettingsFile(const std::filesystem::path& directory, const std::string& depositText,
                       const CsvButtons& choices);

// Sets the buttons in file order; checking one button of a pair unchecks the other.
void ApplyStoredChecks(const StoredSettings& stored, CsvButtons& choices);

}  // namespace quillfen
