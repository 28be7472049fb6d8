#pragma once
// The current track as desktop media controls describe it (xesam and mpris
// keys of the media-player interface).
#include <QVariantMap>
#include <string>

#include "audio/file_tags.h"
#include "player/media_player.h"

struct PlayerState;

// The object path that names position p to the controls.
QString track_id_of(int p);
// path: the file at the current position, "" for none; info: what is known
// of it; the play list's name stands in for a missing album; art_url: its
// cover as a file:// URL, "" for none.
QVariantMap track_metadata(const PlayerState& state, const std::string& path, const TrackInfo& info,
                           const QString& art_url);
// What the decoder told of a file, with its tags as TagLib reads them: the
// tags win where they say something (every ID3 version and text encoding),
// the decoder's length where it knows one (it is the length that plays).
TrackInfo with_file_tags(TrackInfo decoder, const FileTags& tags);
