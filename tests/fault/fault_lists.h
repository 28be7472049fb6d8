#pragma once
// Play lists the fault tests save: a small old one and a large new one.
#include <string>
#include <vector>

#include "fake_ui.h"
#include "ground/ui_services.h"

// n tracks below a folder with non-ASCII letters, as the editor builds them.
inline std::vector<std::string> fault_tracks(int n, const std::string& tag) {
  std::vector<std::string> paths;
  paths.reserve(static_cast<size_t>(n));
  for (int k = 1; k <= n; ++k) {
    paths.push_back("/home/user/Music/Sigur R\xc3\xb3s " + tag + "/Disc 1/track " +
                    std::to_string(k) + ", take " + tag + ".mp3");
  }
  return paths;
}

// True when the only box shown is the save error, exactly as the user sees it.
inline bool shows_only_save_error(const FakeUi& ui) {
  return ui.boxes.size() == 1 && ui.boxes[0].text == "Error saving playlist data!" &&
         ui.boxes[0].title == "Davrin Audio Player" && ui.boxes[0].buttons == MsgButtons::Ok &&
         ui.boxes[0].icon == MsgIcon::None;
}
