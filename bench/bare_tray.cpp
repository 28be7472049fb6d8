// The reference for the program's own cost: a bare tray icon that plays one
// file through SDL2_mixer and does nothing else.
#include <SDL.h>
#include <SDL_mixer.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::darkBlue);
  QSystemTrayIcon tray{QIcon(pixmap)};
  tray.setToolTip("davrin bare tray");
  tray.show();

  // SIGTERM ends this program at once, as it ends the real one.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  Mix_Music* music = nullptr;
  if (argc > 1 && SDL_Init(SDL_INIT_AUDIO) == 0 &&
      Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) == 0) {
    Mix_Init(MIX_INIT_MP3);
    music = Mix_LoadMUS(argv[1]);
    if (music) Mix_PlayMusic(music, 0);
  }
  int rc = app.exec();
  if (music) Mix_FreeMusic(music);
  Mix_CloseAudio();
  SDL_Quit();
  return rc;
}
