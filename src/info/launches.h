#pragma once
// The commands that hand a target to the desktop: the volume control, the
// user's web link, the help page and our web pages. Each opens its target,
// yields once where the user interface should catch up, and tells the user
// when the desktop refused it. Nothing is retried and no state changes.
#include <string>

#include "ground/launcher.h"
#include "ground/ui_services.h"
#include "model/player_state.h"

inline constexpr const char* kAudioSettingsError = "Error Launching Audio Properties!";
inline constexpr const char* kShellExecuteError = "Shell Execute Error. (No default browser?)";
inline constexpr const char* kBrowserError =
    "Error Launching Your Default Browser!\r\rPlease make sure you have a DEFAULT browser "
    "selected and try again.";
inline constexpr const char* kErrorTitle = "Error!";

// The help page that lies beside the program.
inline constexpr const char* kHelpPageName = "help.htm";
std::string help_page_path(const PlayerState& state);

// Tray menu: Audio Settings.
void launch_audio_settings(Launcher& launcher, UiServices& ui);
// Tray menu: the user's own web entry; the link is handed over as typed, even empty.
void launch_web_link(Launcher& launcher, UiServices& ui, const PlayerState& state);
// Tray menu: Software Downloads.
void launch_software_downloads(Launcher& launcher, UiServices& ui);
// Settings window: Help.
void launch_help(Launcher& launcher, UiServices& ui, const PlayerState& state);
// Settings window: Other Davrin Products (does not yield).
void launch_other_products(Launcher& launcher, UiServices& ui);
// About window: the web-site button.
void launch_product_home(Launcher& launcher, UiServices& ui);
// About window: opens any target, without yielding.
void shell_command(Launcher& launcher, UiServices& ui, const std::string& target);
