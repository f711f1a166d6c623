#pragma once

namespace quillfen {

// The program's name and version as its captions and exported pages show them.
inline constexpr const char* kProgramName = "Quillfen";
inline constexpr const char* kMajorVersion = "4";
inline constexpr const char* kMinorVersion = "0";
inline constexpr const char* kCaptionPrefix = "Quillfen 4.0 - ";
// A reserved example domain until the project has an address of its own.
inline constexpr const char* kWebSite = "https://www.example.com/quillfen/";

}  // namespace quillfen
