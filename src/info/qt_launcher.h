#pragma once
// Opens targets with the desktop's default handler and starts the volume
// control of the desktop in use.
#include <QUrl>
#include <functional>
#include <string>

#include "ground/launcher.h"

class QtLauncher : public Launcher {
 public:
  // Whatever finally opens an address; the desktop's default handler unless
  // a test puts a recorder in its place.
  using UrlOpener = std::function<bool(const QUrl&)>;

  QtLauncher();
  explicit QtLauncher(UrlOpener opener);

  // A web address, a file: address or an absolute local path (which must exist).
  // Anything else is handed to the desktop as given. Empty: refused.
  bool open(const std::string& target) override;
  // The desktop's own sound panel or mixer, else the first common mixer found
  // on PATH, started on its own.
  bool open_volume_control() override;

 private:
  UrlOpener opener_;
};
