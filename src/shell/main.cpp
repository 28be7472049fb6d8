// Davrin Audio Player: starts once per user and lives in the notification area.
#include <QApplication>
#include <QTimer>

#include "export/libarchive_zip.h"
#include "info/frm_welcome.h"
#include "info/qt_launcher.h"
#include "mpris/menu_commands.h"
#include "mpris/mpris_service.h"
#include "player/stream_media_player.h"
#include "qt_base/qt_settings_store.h"
#include "qt_base/qt_ui_services.h"
#include "settings/frm_settings.h"
#include "shell/command_line.h"
#include "shell/exit_signals.h"
#include "shell/frm_main.h"
#include "shell/program_folder.h"
#include "shell/single_instance.h"
#include "shell/tray_host_watch.h"
#include "version.h"

int main(int argc, char** argv) {
  // --help, --version and --autostart end here, before the lock or any option is touched.
  if (const auto code = run_command_line(argc, argv)) return *code;
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QString::fromLatin1(kOrganization));
  QApplication::setApplicationName(QStringLiteral("Davrin Audio Player"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
  // The program lives in the tray: closing its last window must not end it.
  QApplication::setQuitOnLastWindowClosed(false);

  // A second copy ends at once, touching nothing; the running copy opens its settings.
  SingleInstance instance;
  if (!instance.acquired()) {
    instance.ask_running_copy();
    return 0;
  }

  PlayerState state;
  QtUiServices ui;
  StreamMediaPlayer player;
  QtSettingsStore store;
  LibarchiveZip zip;
  QtLauncher launcher;
  AppContext ctx{state, ui, player, store, zip, launcher};

  frm_main::Windows windows;
  windows.open_settings = [&ctx] {
    frm_settings window(ctx);
    window.exec();
  };
  windows.open_welcome = [&ctx] {
    frm_welcome window(ctx);
    window.exec();
  };
  frm_main main_window(ctx, windows);
  QObject::connect(&main_window, &frm_main::exit_requested, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  ExitSignals exit_signals([&main_window] { main_window.exit_program(); });

  const std::string program_folder = executable_folder();
  main_window.init_program(help_folder(program_folder), choose_playlist_folder(program_folder));
  player.set_cd_device(state.cd_device);
  // Media keys, desktop media widgets, later starts and a desktop without a
  // tray host all reach the program through the tray menu's entries.
  MenuCommands commands(*main_window.menu());
  MprisService mpris(state, player, main_window.engine(), commands);
  mpris.start();
  instance.listen([&commands] { commands.raise(); });
  TrayHostWatch tray_host_watch([&commands] { commands.raise(); });
  QTimer::singleShot(0, &main_window, &frm_main::activate);
  return app.exec();
}
