// The product's name, version and web addresses, written once for the
// windows and the generated pages alike.
#pragma once

namespace resources {

inline constexpr const char* kProductName = "Quillmarsh";
inline constexpr const char* kProductVersion = "1.0";
// The home page, opened from the menu and the about box and linked from the
// gallery pages.
inline constexpr const char* kHomePage = "https://quillmarsh.example.org/";
// Where translators find the language files and their credits.
inline constexpr const char* kTranslationsPage = "https://quillmarsh.example.org/translations/";

}  // namespace resources
