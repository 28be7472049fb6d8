#include "mpris/mpris_root_adaptor.h"

#include "mpris/menu_commands.h"

MprisRootAdaptor::MprisRootAdaptor(QObject* owner, MenuCommands& commands)
    : QDBusAbstractAdaptor(owner), commands_(commands) {}

QStringList MprisRootAdaptor::supported_mime_types() const {
  return {QStringLiteral("audio/mpeg"),      QStringLiteral("audio/x-wav"),
          QStringLiteral("audio/wav"),       QStringLiteral("audio/midi"),
          QStringLiteral("audio/x-midi"),    QStringLiteral("audio/flac"),
          QStringLiteral("audio/ogg"),       QStringLiteral("audio/x-vorbis+ogg"),
          QStringLiteral("audio/x-opus+ogg")};
}

void MprisRootAdaptor::Raise() {
  commands_.raise();
}

void MprisRootAdaptor::Quit() {
  commands_.quit();
}
