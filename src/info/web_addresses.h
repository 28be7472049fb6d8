#pragma once
// The fixed web pages the program opens, kept in one place.

// The product's own page on our site (About window's web-site button).
inline constexpr const char* kProductHomePage = "https://www.davrin-software.com/audio-player/";
// Our home page (settings window's Other Davrin Products).
inline constexpr const char* kMakerHomePage = "https://www.davrin-software.com/";
// The downloads site (tray menu's Software Downloads).
inline constexpr const char* kSoftwareDownloadsPage = "https://downloads.davrin-software.com/";
