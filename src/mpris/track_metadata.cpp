#include "mpris/track_metadata.h"

#include <QDBusObjectPath>
#include <QStringList>
#include <QUrl>

#include "model/player_state.h"
#include "store/play_list_files.h"

QString track_id_of(int p) {
  return QStringLiteral("/com/davrin_software/AudioPlayer/track/%1").arg(p);
}

QVariantMap track_metadata(const PlayerState& state, const std::string& path, const TrackInfo& info,
                           const QString& art_url) {
  QVariantMap m;
  if (path.empty()) {
    m.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack")));
    return m;
  }
  m.insert(QStringLiteral("mpris:trackid"),
           QVariant::fromValue(QDBusObjectPath(track_id_of(state.current_track))));
  m.insert(QStringLiteral("xesam:url"),
           QString::fromUtf8(QUrl::fromLocalFile(QString::fromStdString(path)).toEncoded()));
  // The file name as the tooltip shows it, where the file carries no title.
  const std::string title = info.title.empty() ? file_title_of(path) : info.title;
  m.insert(QStringLiteral("xesam:title"), QString::fromStdString(title));
  if (!info.artist.empty()) {
    m.insert(QStringLiteral("xesam:artist"), QStringList{QString::fromStdString(info.artist)});
  }
  const std::string& album = info.album.empty() ? state.current_list_name : info.album;
  if (!album.empty()) m.insert(QStringLiteral("xesam:album"), QString::fromStdString(album));
  if (info.duration_us > 0) {
    m.insert(QStringLiteral("mpris:length"), static_cast<qlonglong>(info.duration_us));
  }
  if (!art_url.isEmpty()) m.insert(QStringLiteral("mpris:artUrl"), art_url);
  return m;
}

TrackInfo with_file_tags(TrackInfo decoder, const FileTags& tags) {
  if (!tags.title.empty()) decoder.title = tags.title;
  if (!tags.artist.empty()) decoder.artist = tags.artist;
  if (!tags.album.empty()) decoder.album = tags.album;
  if (decoder.duration_us <= 0) decoder.duration_us = tags.length_us;
  return decoder;
}
