#pragma once
// A later start of the program passes a media-control command (Play, Pause,
// PlayPause, Stop, Next, Previous) to the running copy over the session bus,
// exactly as the desktop's media controls send it.
#include <QString>

enum class RemoteAnswer {
  kDone,      // the running copy took the command
  kNoCopy,    // no copy serves the media controls on this session bus
  kNoAnswer,  // a copy is there but did not answer in time, or refused
};

RemoteAnswer send_to_running_copy(const QString& player_method, int timeout_ms);
