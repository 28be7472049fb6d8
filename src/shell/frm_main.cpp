#include "shell/frm_main.h"

#include <QApplication>

#include "info/launches.h"
#include "qt_base/artwork.h"
#include "shell/program_folder.h"
#include "store/play_list_files.h"
#include "store/settings.h"

frm_main::frm_main(AppContext& ctx, Windows windows, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      windows_(std::move(windows)),
      engine_(ctx.state, ctx.ui, ctx.player, *this, this),
      mymenu_(QStringLiteral("Davrin Audio Player")) {
  setObjectName(QStringLiteral("frm_main"));
  setWindowTitle(QStringLiteral("Davrin Audio Player - Davrin Software"));
  setWindowIcon(player_icon());
  mymenu_.setObjectName(QStringLiteral("mymenu"));
  build_menu();
  TrayX1_.setObjectName(QStringLiteral("TrayX1"));
  TrayX1_.setIcon(QIcon(player_icon_pixmap(16)));
  TrayX1_.setContextMenu(&mymenu_);
  Timer1_.setObjectName(QStringLiteral("Timer1"));
  Timer1_.setInterval(1000);
  connect(&Timer1_, &QTimer::timeout, this, [this] { engine_.tick(); });
  soon_.setSingleShot(true);
  soon_.setInterval(0);
  connect(&soon_, &QTimer::timeout, this, &frm_main::tick_at_once);
  // The player tells of the end of a track, and of going on into the queued
  // one, on its own thread: the tick steps on in the user-interface thread's
  // next turn.
  auto notice = [this] {
    QMetaObject::invokeMethod(this, &frm_main::tick_at_once, Qt::QueuedConnection);
  };
  ctx_.player.set_end_notice(notice);
  ctx_.player.set_moved_on_notice(notice);
}

frm_main::~frm_main() {
  ctx_.player.set_end_notice({});
  ctx_.player.set_moved_on_notice({});
  TrayX1_.hide();
}

QAction* frm_main::add_entry(const char* name, const char* caption) {
  QAction* a = mymenu_.addAction(QString::fromLatin1(caption));
  a->setObjectName(QString::fromLatin1(name));
  entries_[name] = a;
  return a;
}

void frm_main::add_separator(const char* name) {
  QAction* a = mymenu_.addSeparator();
  a->setObjectName(QString::fromLatin1(name));
  entries_[name] = a;
}

void frm_main::build_menu() {
  PlaybackEngine& e = engine_;
  connect(add_entry("settings", "Settings"), &QAction::triggered, this, &frm_main::on_settings);
  add_separator("track");
  connect(add_entry("Startmusic", "Start Music"), &QAction::triggered, this,
          [&e] { e.on_start_music(); });
  connect(add_entry("Stopmusic", "Stop Music"), &QAction::triggered, this,
          [&e] { e.on_stop_music(); });
  add_separator("empty1");
  connect(add_entry("track_forward", "Next Track"), &QAction::triggered, this,
          [&e] { e.on_track_forward(); });
  connect(add_entry("track_backward", "Previous Track"), &QAction::triggered, this,
          [&e] { e.on_track_backward(); });
  connect(add_entry("track_random", "Random Track"), &QAction::triggered, this,
          [&e] { e.on_track_random(); });
  QAction* repeat = add_entry("repeat_track", "Repeat Current Track");
  repeat->setCheckable(true);
  // The engine owns the switch; the check mark only follows it.
  connect(repeat, &QAction::triggered, this, [&e] { e.on_repeat_track(); });
  add_separator("playlist");
  connect(add_entry("list_forward", "Next Play List"), &QAction::triggered, this,
          [&e] { e.on_list_forward(); });
  connect(add_entry("list_backward", "Previous Play List"), &QAction::triggered, this,
          [&e] { e.on_list_backward(); });
  connect(add_entry("list_random", "Random Play List"), &QAction::triggered, this,
          [&e] { e.on_list_random(); });
  add_separator("line1");
  connect(add_entry("audio_settings", "Audio Settings"), &QAction::triggered, this,
          [this] { launch_audio_settings(ctx_.launcher, ctx_.ui); });
  add_separator("line2");
  connect(add_entry("audio_web_site", "Audio Web Site"), &QAction::triggered, this,
          [this] { launch_web_link(ctx_.launcher, ctx_.ui, ctx_.state); });
  connect(add_entry("software_downloads", "Software Downloads"), &QAction::triggered, this,
          [this] { launch_software_downloads(ctx_.launcher, ctx_.ui); });
  add_separator("line4");
  connect(add_entry("exit", "Exit Davrin Audio Player"), &QAction::triggered, this,
          &frm_main::exit_program);
}

QAction* frm_main::entry(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : it->second;
}

void frm_main::apply_web_entry_rule() {
  QAction* web = entry("audio_web_site");
  if (!ctx_.state.web_description.empty()) {
    web->setText(QString::fromStdString(ctx_.state.web_description));
    web->setEnabled(true);
  } else {
    web->setText(QStringLiteral("Audio Web Link"));
    web->setEnabled(false);
  }
}

void frm_main::init_program(const std::string& program_folder, const std::string& playlist_folder) {
  PlayerState& s = ctx_.state;
  s.playlist_folder = with_trailing_separator(playlist_folder);
  s.program_folder = with_trailing_separator(program_folder);
  s.picker_folder = s.playlist_folder;
  s.editor_folder = s.playlist_folder;
  s.current_list_index = 0;
  s.current_track = 0;
  load_settings(s, ctx_.store);
  list_play_lists(s, ctx_.ui, List1_);
  apply_web_entry_rule();
  TrayX1_.show();
  activated_once_ = 0;
}

void frm_main::activate() {
  if (activated_once_ != 0) return;
  activated_once_ = 1;
  PlayerState& s = ctx_.state;
  if (s.welcome == 1 && windows_.open_welcome) windows_.open_welcome();
  if (exiting_) return;
  load_play_list(s, ctx_.ui, s.active_collection, true);
  timer_enabled_ = true;  // Timer1 from now on, and a first tick at once
  engine_.start_music();
  Timer1_.start();
  ctx_.ui.yield();
  if (!exiting_ && s.active_collection.empty()) on_settings();
}

void frm_main::on_settings() {
  // The tray menu stays usable while the settings window is open; one is enough.
  if (settings_open_ || exiting_) return;
  settings_open_ = true;
  engine_.stop_music();
  if (windows_.open_settings) windows_.open_settings();
  settings_open_ = false;
  if (exiting_) return;
  apply_web_entry_rule();
  engine_.start_music();
}

void frm_main::exit_program() {
  if (exiting_) return;
  exiting_ = true;
  ctx_.state.music_stopped = 1;
  timer_enabled_ = false;
  Timer1_.stop();
  soon_.stop();
  stop_player(ctx_.player, ctx_.ui);  // a failing stop must not keep the options from being saved
  save_settings(ctx_.state, ctx_.store);
  TrayX1_.hide();
  emit exit_requested();
}

void frm_main::set_tooltip(const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (TrayX1_.toolTip() != t) TrayX1_.setToolTip(t);
}

void frm_main::set_music_entries(bool start_enabled, bool stop_enabled) {
  entry("Startmusic")->setEnabled(start_enabled);
  entry("Stopmusic")->setEnabled(stop_enabled);
}

void frm_main::set_repeat_checked(bool checked) {
  entry("repeat_track")->setChecked(checked);
}

void frm_main::set_ticking(bool ticking) {
  if (!ticking) {
    Timer1_.stop();
  } else if (timer_enabled_ && !Timer1_.isActive()) {
    Timer1_.start();
  }
}

void frm_main::tick_soon() {
  if (timer_enabled_ && !soon_.isActive()) soon_.start();
}

void frm_main::tick_at_once() {
  if (!timer_enabled_) return;
  engine_.tick_at_once();
  // Timer1's next tick comes a whole second after this one: a track just
  // started has that second to get going, and tracks that never do are
  // passed over one a second, never faster.
  if (Timer1_.isActive()) Timer1_.start();
}
