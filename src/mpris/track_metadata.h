#pragma once
// The current track as desktop media controls describe it (xesam and mpris
// keys of the media-player interface).
#include <QVariantMap>
#include <string>

#include "player/media_player.h"

struct PlayerState;

// The object path that names position p to the controls.
QString track_id_of(int p);
// path: the file at the current position, "" for none; info: what the
// decoder told of it; the play list's name stands in for a missing album.
QVariantMap track_metadata(const PlayerState& state, const std::string& path,
                           const TrackInfo& info);
