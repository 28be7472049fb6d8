#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

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
  return std::nullopt;
}
