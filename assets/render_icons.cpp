// Renders the program icon into an icon-theme tree (DIR/<n>x<n>/apps/), one
// PNG per size, from the same drawing the tray shows.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "qt_base/artwork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_icons DIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");  // pictures only, no display needed
  QGuiApplication app(argc, argv);
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder =
        QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (!QDir().mkpath(folder) ||
        !player_icon_pixmap(size).save(folder + QStringLiteral("/davrin-audio-player.png"))) {
      std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
