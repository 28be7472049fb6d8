#pragma once
// Told of what a desktop's media controls show: which track started, and that
// the music, the repeat switch or the position may have changed.
#include <string>

class PlaybackListener {
 public:
  virtual ~PlaybackListener() = default;
  // The player has just been asked to play this file.
  virtual void track_started(const std::string& path) = 0;
  // After a tick, Start or Stop Music, and Repeat Current Track.
  virtual void playback_changed() = 0;
};
