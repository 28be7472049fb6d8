#pragma once
// The never-seen main window: it owns the tray icon and its menu, the
// playback timer and the playback engine, and runs startup and shutdown.
#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>

#include "ground/app_context.h"
#include "player/playback_engine.h"
#include "player/tick_timer.h"
#include "player/tray_view.h"
#include "shell/tray_icon.h"
#include "store/list_box.h"

class frm_main : public QWidget, public TrayView, public TickTimer {
  Q_OBJECT

 public:
  // The windows the main window opens, modally; tests replace them.
  struct Windows {
    std::function<void()> open_settings;
    std::function<void()> open_welcome;
  };

  frm_main(AppContext& ctx, Windows windows, QWidget* parent = nullptr);
  ~frm_main() override;

  // Folders, options and play lists; the web entry of the menu.
  void init_program(const std::string& program_folder, const std::string& playlist_folder);
  // The startup work of the first activation: welcome, active play list, music, timer.
  void activate();
  // The Exit entry: music off, player stopped, options saved, program ends.
  void exit_program();

  // The menu entries by their names (settings, Startmusic, ..., exit).
  QAction* entry(const std::string& name) const;
  QMenu* menu() { return &mymenu_; }
  TrayIcon* tray() { return &TrayX1_; }
  QTimer* timer() { return &Timer1_; }
  PlaybackEngine& engine() { return engine_; }
  void apply_web_entry_rule();
  void on_settings();

  // TrayView
  void set_tooltip(const std::string& text) override;
  void set_music_entries(bool start_enabled, bool stop_enabled) override;
  void set_repeat_checked(bool checked) override;
  // TickTimer: Timer1 runs only while the music is on, from the first activation to exit.
  void set_ticking(bool ticking) override;
  void tick_soon() override;

 signals:
  void exit_requested();

 private:
  QAction* add_entry(const char* name, const char* caption);
  void add_separator(const char* name);
  void build_menu();
  // A tick out of Timer1's turn: for a request, or the end of a track.
  void tick_at_once();

  AppContext& ctx_;
  Windows windows_;
  PlaybackEngine engine_;
  QMenu mymenu_;
  TrayIcon TrayX1_;
  QTimer Timer1_;
  QTimer soon_;          // fires once, as soon as the event loop is free
  MemoryListBox List1_;  // receives the play-list names at start
  std::map<std::string, QAction*> entries_;
  int activated_once_ = 0;
  bool timer_enabled_ = false;
  bool settings_open_ = false;
  bool exiting_ = false;
};
