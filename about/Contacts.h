#pragma once
// The maker's contact details shown on the about window. Each clickable
// address acts on the very text it shows.
namespace velmora::contacts {

inline constexpr char kMakerName[] = "Velmora Software";
inline constexpr char kMakerMail[] = "info@velmora.example";
inline constexpr char kMakerWeb[] = "https://velmora.example";
inline constexpr char kProgramWeb[] = "https://velmora.example/support";
inline constexpr char kSupportMail[] = "support@velmora.example";
// Digit groups separated by " - "; the digits alone go to the clipboard.
inline constexpr char kSupportNumber[] = "555 - 010 - 2026";

}  // namespace velmora::contacts
