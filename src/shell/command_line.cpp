#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <vector>

#include "mpris/remote_control.h"
#include "shell/autostart.h"
#include "version.h"

namespace {
// Qt's own options of a desktop program (-platform xcb, -style fusion ...):
// the window system reads them later, so here they are known and hidden.
const char* const kQtValueOptions[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",   "display",
    "style",        "stylesheet",         "session",       "geometry", "qwindowgeometry",
    "qwindowtitle", "qwindowicon",        "name",          "title"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The media controls for the running copy: the option, the method of the
// media-player interface it calls, what --help says of it.
struct RemoteOption {
  const char* name;
  const char* method;
  const char* help;
};
const RemoteOption kRemoteOptions[] = {
    {"play-pause", "PlayPause", "Play or pause the music in the running copy, then end."},
    {"play", "Play",
     "Play the music in the running copy, then end; start the player if none runs."},
    {"pause", "Pause", "Pause the music in the running copy, then end."},
    {"stop", "Stop", "Stop the music in the running copy, then end."},
    {"next", "Next", "Go to the next track in the running copy, then end."},
    {"previous", "Previous", "Go back to the previous track in the running copy, then end."},
};
// The running copy answers as soon as the entry has run.
constexpr int kRemoteAnswerMs = 5000;

int say(std::FILE* to, const QString& text, int code) {
  std::fputs(text.toLocal8Bit().constData(), to);
  return code;
}

int fail(const QString& text) {
  return say(
      stderr,
      QStringLiteral("davrin-audio-player: %1\nTry 'davrin-audio-player --help'.\n").arg(text), 2);
}

int set_autostart(const QString& value) {
  if (value == QLatin1String("on")) {
    if (!write_autostart_entry(QCoreApplication::applicationFilePath()))
      return say(stderr, QStringLiteral("Could not write %1\n").arg(autostart_entry_path()), 1);
    return say(
        stdout,
        QStringLiteral("Davrin Audio Player will start at login: %1\n").arg(autostart_entry_path()),
        0);
  }
  if (value == QLatin1String("off")) {
    if (!remove_autostart_entry())
      return say(stderr, QStringLiteral("Could not remove %1\n").arg(autostart_entry_path()), 1);
    return say(stdout, QStringLiteral("Davrin Audio Player will no longer start at login.\n"), 0);
  }
  return fail(QStringLiteral("--autostart takes on or off, not '%1'.").arg(value));
}

std::optional<int> control_running_copy(const RemoteOption& option) {
  const QString name = QLatin1String("--") + QLatin1String(option.name);
  switch (send_to_running_copy(QString::fromLatin1(option.method), kRemoteAnswerMs)) {
    case RemoteAnswer::kDone:
      return 0;
    case RemoteAnswer::kNoCopy:
      // Play without a player: the player starts, and starts its music.
      if (QLatin1String(option.name) == QLatin1String("play")) return std::nullopt;
      return say(stderr,
                 QStringLiteral("davrin-audio-player: %1: Davrin Audio Player is not running.\n")
                     .arg(name),
                 1);
    case RemoteAnswer::kNoAnswer:
      break;
  }
  return say(stderr,
             QStringLiteral("davrin-audio-player: %1: the running Davrin Audio Player did not "
                            "answer.\n")
                 .arg(name),
             1);
}
}  // namespace

std::optional<int> run_command_line(int argc, char** argv) {
  if (argc <= 1) return std::nullopt;
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Davrin Audio Player"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersionText));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A music player that lives in the notification area of the desktop: "
                     "right-click its icon for everything."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Print these options and end."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Print the version and end."));
  parser.addOptions({help, version});
  const QCommandLineOption autostart(
      QStringLiteral("autostart"),
      QStringLiteral("Start the player at login (on) or no longer (off), then end."),
      QStringLiteral("on|off"));
  parser.addOption(autostart);
  std::vector<QCommandLineOption> remote;
  for (const RemoteOption& r : kRemoteOptions) {
    remote.emplace_back(QString::fromLatin1(r.name), QString::fromLatin1(r.help));
    parser.addOption(remote.back());
  }
  for (const char* name : kQtValueOptions) {
    QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
  for (const char* name : kQtFlagOptions) {
    QCommandLineOption qt(QString::fromLatin1(name));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }

  if (!parser.parse(QCoreApplication::arguments())) return fail(parser.errorText());
  if (!parser.positionalArguments().isEmpty())
    return fail(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments()[0]));
  if (parser.isSet(help)) return say(stdout, parser.helpText(), 0);
  if (parser.isSet(version))
    return say(stdout, QStringLiteral("Davrin Audio Player %1\n").arg(QLatin1String(kVersionText)),
               0);
  if (parser.isSet(autostart)) return set_autostart(parser.value(autostart));
  const RemoteOption* chosen = nullptr;
  for (size_t i = 0; i < remote.size(); ++i) {
    if (!parser.isSet(remote[i])) continue;
    if (chosen != nullptr)
      return fail(QStringLiteral("--%1 and --%2 cannot be given together.")
                      .arg(QLatin1String(chosen->name), QLatin1String(kRemoteOptions[i].name)));
    chosen = &kRemoteOptions[i];
  }
  if (chosen != nullptr) return control_running_copy(*chosen);
  return std::nullopt;
}
