#include "mpris/menu_commands.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QWidget>

QAction* MenuCommands::entry(const char* name) const {
  return menu_.findChild<QAction*>(QString::fromLatin1(name));
}

void MenuCommands::trigger(const char* name) const {
  // A disabled entry ignores the trigger, as it ignores a click.
  if (QAction* a = entry(name)) a->trigger();
}

void MenuCommands::next_track() {
  trigger("track_forward");
}

void MenuCommands::previous_track() {
  trigger("track_backward");
}

void MenuCommands::start_music() {
  trigger("Startmusic");
}

void MenuCommands::stop_music() {
  trigger("Stopmusic");
}

void MenuCommands::play_pause() {
  QAction* stop = entry("Stopmusic");
  trigger(stop != nullptr && stop->isEnabled() ? "Stopmusic" : "Startmusic");
}

bool MenuCommands::repeat_checked() const {
  QAction* a = entry("repeat_track");
  return a != nullptr && a->isChecked();
}

void MenuCommands::set_repeat(bool on) {
  if (repeat_checked() != on) trigger("repeat_track");
}

void MenuCommands::show_play_order(bool random) {
  const QString name = random ? QStringLiteral("Option2_1") : QStringLiteral("Option2_0");
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != QLatin1String("frm_settings")) continue;
    if (auto* option = window->findChild<QAbstractButton*>(name)) option->setChecked(true);
  }
}

void MenuCommands::raise() {
  QTimer::singleShot(0, &menu_, [this] {
    // The welcome or the settings window, or a box, already waits for the user.
    if (QWidget* w = QApplication::activeModalWidget()) {
      w->raise();
      w->activateWindow();
      return;
    }
    trigger("settings");
  });
}

void MenuCommands::quit() {
  QTimer::singleShot(0, &menu_, [this] { trigger("exit"); });
}
