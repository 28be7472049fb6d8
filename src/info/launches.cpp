#include "info/launches.h"

#include "info/web_addresses.h"

namespace {
// Opens the target, yields when asked, and on refusal shows the message.
void launch(Launcher& launcher, UiServices& ui, const std::string& target, bool yield,
            const char* message, const char* title) {
  const bool opened = launcher.open(target);
  if (yield) ui.yield();
  if (!opened) ui.show_error(message, title);
}
}  // namespace

std::string help_page_path(const PlayerState& state) {
  return state.program_folder + kHelpPageName;
}

void launch_audio_settings(Launcher& launcher, UiServices& ui) {
  const bool opened = launcher.open_volume_control();
  ui.yield();
  if (!opened) ui.show_error(kAudioSettingsError, kErrorTitle);
}

void launch_web_link(Launcher& launcher, UiServices& ui, const PlayerState& state) {
  launch(launcher, ui, state.web_link, true, kShellExecuteError, kAppTitle);
}

void launch_software_downloads(Launcher& launcher, UiServices& ui) {
  launch(launcher, ui, kSoftwareDownloadsPage, true, kShellExecuteError, kAppTitle);
}

void launch_help(Launcher& launcher, UiServices& ui, const PlayerState& state) {
  launch(launcher, ui, help_page_path(state), true, kShellExecuteError, kAppTitle);
}

void launch_other_products(Launcher& launcher, UiServices& ui) {
  launch(launcher, ui, kMakerHomePage, false, kBrowserError, kErrorTitle);
}

void launch_product_home(Launcher& launcher, UiServices& ui) {
  launch(launcher, ui, kProductHomePage, true, kShellExecuteError, kAppTitle);
}

void shell_command(Launcher& launcher, UiServices& ui, const std::string& target) {
  launch(launcher, ui, target, false, kBrowserError, kErrorTitle);
}
