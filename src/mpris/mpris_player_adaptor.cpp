#include "mpris/mpris_player_adaptor.h"

#include "mpris/menu_commands.h"
#include "mpris/mpris_service.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QString MprisPlayerAdaptor::playback_status() const {
  return service_.playback_status();
}

QString MprisPlayerAdaptor::loop_status() const {
  return service_.loop_status();
}

void MprisPlayerAdaptor::set_loop_status(const QString& status) {
  service_.set_loop_status(status);
}

bool MprisPlayerAdaptor::shuffle() const {
  return service_.shuffle();
}

void MprisPlayerAdaptor::set_shuffle(bool on) {
  service_.set_shuffle(on);
}

QVariantMap MprisPlayerAdaptor::metadata() const {
  return service_.metadata();
}

qlonglong MprisPlayerAdaptor::position() const {
  return service_.position();
}

void MprisPlayerAdaptor::Next() {
  service_.commands().next_track();
}

void MprisPlayerAdaptor::Previous() {
  service_.commands().previous_track();
}

void MprisPlayerAdaptor::Pause() {
  service_.pause();
}

void MprisPlayerAdaptor::PlayPause() {
  service_.play_pause();
}

void MprisPlayerAdaptor::Stop() {
  service_.stop();
}

void MprisPlayerAdaptor::Play() {
  service_.commands().start_music();
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
  service_.seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
  service_.set_position(TrackId.path(), Position);
}

double MprisPlayerAdaptor::volume() const {
  return service_.volume();
}

void MprisPlayerAdaptor::set_volume(double volume) {
  service_.set_volume(volume);
}

bool MprisPlayerAdaptor::can_seek() const {
  return service_.can_seek();
}

void MprisPlayerAdaptor::OpenUri(const QString&, const QDBusMessage& message) {
  message.setDelayedReply(true);
  service_.bus().send(message.createErrorReply(
      QDBusError::NotSupported, QStringLiteral("Davrin Audio Player plays its play lists only")));
}
