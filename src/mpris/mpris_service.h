#pragma once
// The player on the session bus for media keys and desktop media widgets:
// owns the bus name, serves both interfaces and tells the controls when the
// track, the music, repeat or shuffle change, from wherever they changed.
#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <string>

#include "model/player_state.h"
#include "player/media_player.h"
#include "player/playback_engine.h"
#include "player/playback_listener.h"

class MenuCommands;
class MprisPlayerAdaptor;

class MprisService : public QObject, public PlaybackListener {
  Q_OBJECT

 public:
  MprisService(PlayerState& state, MediaPlayer& player, PlaybackEngine& engine,
               MenuCommands& commands);
  ~MprisService() override;

  // Takes the name and serves the player; false, and nothing else happens,
  // without a session bus or when the name is taken.
  bool start();

  MenuCommands& commands() { return commands_; }
  QDBusConnection& bus() { return bus_; }
  QString playback_status() const;
  QString loop_status() const;
  void set_loop_status(const QString& status);  // "Track" on; "None", "Playlist" off
  bool shuffle() const;
  void set_shuffle(bool on);  // the settings window's random play order
  QVariantMap metadata() const;
  qlonglong position() const;
  // The transport: Pause holds the track at its place, Play and PlayPause go
  // on from there; Stop ends it, so that the next Play starts it again.
  void pause();
  void play_pause();
  void stop();
  // A place in the playing track, told with Seeked; past its end is Next.
  void seek(qlonglong offset_us);
  void set_position(const QString& track_id, qlonglong position_us);
  bool can_seek() const;
  double volume() const;
  void set_volume(double volume);

  // PlaybackListener
  void track_started(const std::string& path) override;
  void playback_changed() override;

 private:
  QVariantMap changing_properties() const;

  PlayerState& state_;
  MediaPlayer& player_;
  PlaybackEngine& engine_;
  MenuCommands& commands_;
  QDBusConnection bus_;
  bool serving_ = false;
  QVariantMap told_;  // the values the controls were last told
  MprisPlayerAdaptor* player_adaptor_;
  // What the decoder and the tags tell of the file that played last, its
  // cover, which file and at which position that was.
  std::string info_path_;
  int32_t info_position_ = 0;
  TrackInfo info_;
  QString art_url_;
  QString cover_cache_;
  bool restarted_ = false;  // the last track started was the one before it again
};
