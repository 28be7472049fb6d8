#include "mpris/mpris_service.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <algorithm>

#include "audio/file_tags.h"
#include "mpris/cover_art.h"
#include "mpris/menu_commands.h"
#include "mpris/mpris_names.h"
#include "mpris/mpris_player_adaptor.h"
#include "mpris/mpris_root_adaptor.h"
#include "mpris/track_metadata.h"

MprisService::MprisService(PlayerState& state, MediaPlayer& player, PlaybackEngine& engine,
                           MenuCommands& commands)
    : state_(state),
      player_(player),
      engine_(engine),
      commands_(commands),
      bus_(QDBusConnection::sessionBus()),
      cover_cache_(cover_cache_folder()) {
  new MprisRootAdaptor(this, commands_);
  player_adaptor_ = new MprisPlayerAdaptor(*this);
}

MprisService::~MprisService() {
  if (!serving_) return;
  engine_.set_listener(nullptr);
  bus_.unregisterObject(QString::fromLatin1(kMprisObjectPath));
  bus_.unregisterService(QString::fromLatin1(kMprisBusName));
}

bool MprisService::start() {
  if (serving_ || !bus_.isConnected()) return serving_;
  QDBusConnectionInterface* names = bus_.interface();
  if (names == nullptr) return false;
  // Queueing behind another owner would make the program answer for a player
  // that is not the one the controls see.
  const auto reply = names->registerService(QString::fromLatin1(kMprisBusName),
                                            QDBusConnectionInterface::DontQueueService,
                                            QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
    return false;
  }
  if (!bus_.registerObject(QString::fromLatin1(kMprisObjectPath), this,
                           QDBusConnection::ExportAdaptors)) {
    bus_.unregisterService(QString::fromLatin1(kMprisBusName));
    return false;
  }
  serving_ = true;
  told_ = changing_properties();
  engine_.set_listener(this);
  return true;
}

QString MprisService::playback_status() const {
  if (engine_.paused()) return QStringLiteral("Paused");
  const bool sounds = state_.music_stopped == 0 && is_playing(player_);
  return sounds ? QStringLiteral("Playing") : QStringLiteral("Stopped");
}

void MprisService::pause() {
  engine_.pause_music();
}

void MprisService::play_pause() {
  if (!engine_.pause_music()) commands_.start_music();
}

void MprisService::stop() {
  // A paused track reads as off in the menu, whose Stop Music is then idle.
  if (engine_.paused()) {
    engine_.on_stop_music();
  } else {
    commands_.stop_music();
  }
}

bool MprisService::can_seek() const {
  return playback_status() != QLatin1String("Stopped");
}

void MprisService::seek(qlonglong offset_us) {
  if (!can_seek()) return;
  const int64_t now = player_.position_us();
  if (now < 0) return;
  const int64_t to = std::max<int64_t>(0, now + offset_us);
  const int64_t length = player_.track_info().duration_us;
  if (length >= 0 && to >= length) {
    commands_.next_track();
    return;
  }
  if (player_.seek_us(to)) emit player_adaptor_->Seeked(player_.position_us());
}

void MprisService::set_position(const QString& track_id, qlonglong position_us) {
  if (!can_seek() || position_us < 0) return;
  // A request meant for a track that has since changed is ignored.
  const QVariant id = metadata().value(QStringLiteral("mpris:trackid"));
  if (id.value<QDBusObjectPath>().path() != track_id) return;
  const int64_t length = player_.track_info().duration_us;
  if (length >= 0 && position_us > length) return;
  if (player_.seek_us(position_us)) emit player_adaptor_->Seeked(player_.position_us());
}

double MprisService::volume() const {
  return player_.volume();
}

void MprisService::set_volume(double volume) {
  state_.volume = std::clamp(volume, 0.0, 1.0);
  player_.set_volume(state_.volume);
  playback_changed();
}

QString MprisService::loop_status() const {
  return state_.repeat_track_on != 0 ? QStringLiteral("Track") : QStringLiteral("Playlist");
}

void MprisService::set_loop_status(const QString& status) {
  if (status == QLatin1String("Track")) {
    commands_.set_repeat(true);
  } else if (status == QLatin1String("None") || status == QLatin1String("Playlist")) {
    commands_.set_repeat(false);
  }
}

bool MprisService::shuffle() const {
  return state_.player_random == 1;
}

void MprisService::set_shuffle(bool on) {
  // Takes effect from the next track played, and is stored at exit.
  state_.player_random = on ? 1 : 0;
  commands_.show_play_order(on);
  playback_changed();
}

QVariantMap MprisService::metadata() const {
  const std::string path = engine_.path_of_position(state_.current_track);
  if (path != info_path_) return track_metadata(state_, path, TrackInfo{}, QString());
  return track_metadata(state_, path, info_, art_url_);
}

qlonglong MprisService::position() const {
  if (!can_seek()) return 0;
  const int64_t p = player_.position_us();
  return p > 0 ? p : 0;
}

void MprisService::track_started(const std::string& path) {
  restarted_ = path == info_path_ && state_.current_track == info_position_;
  // Read now: while the music is off the editor's preview uses the same player.
  info_path_ = path;
  info_position_ = state_.current_track;
  // The file's tags and picture once per track, not at every look of the controls.
  const FileTags tags = read_file_tags(path);
  info_ = with_file_tags(player_.track_info(), tags);
  art_url_ = cover_art_url(path, tags.picture, tags.picture_mime, cover_cache_);
}

QVariantMap MprisService::changing_properties() const {
  return {{QStringLiteral("PlaybackStatus"), playback_status()},
          {QStringLiteral("LoopStatus"), loop_status()},
          {QStringLiteral("Shuffle"), shuffle()},
          {QStringLiteral("Volume"), volume()},
          {QStringLiteral("CanSeek"), can_seek()},
          {QStringLiteral("Metadata"), metadata()}};
}

void MprisService::playback_changed() {
  if (!serving_) return;
  // The same track from its beginning again (Repeat Current Track): the
  // position jumped back while the metadata stayed.
  if (restarted_) {
    restarted_ = false;
    emit player_adaptor_->Seeked(0);
  }
  // Controls only learn of a change from this signal, with the new values.
  const QVariantMap now = changing_properties();
  QVariantMap changed;
  for (auto it = now.begin(); it != now.end(); ++it) {
    if (told_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
  }
  if (changed.isEmpty()) return;
  told_ = now;
  QDBusMessage signal = QDBusMessage::createSignal(
      QString::fromLatin1(kMprisObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << QString::fromLatin1(kMprisPlayerInterface) << changed << QStringList();
  bus_.send(signal);
}
