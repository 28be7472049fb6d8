// The reference for the program's own cost: a bare tray icon that plays one
// file through the music engine alone and does nothing else.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "audio/decoder.h"
#include "audio/sdl_output.h"
#include "audio/streamer.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::darkBlue);
  QSystemTrayIcon tray{QIcon(pixmap)};
  tray.setToolTip("davrin bare tray");
  tray.show();

  Streamer streamer([](const std::string& path) { return open_decoder(path, {}); });
  SdlOutput output(streamer);
  if (argc > 1 && streamer.start(argv[1]) && output.open("davrin bare tray")) {
    output.set_paused(false);
  }
  return app.exec();
}
