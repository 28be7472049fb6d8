#include "mpris/cover_art.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <string_view>

namespace {
// The names beside a track, in the order they are preferred.
const char* const kBesideNames[] = {"cover.jpg",  "cover.png", "folder.jpg",
                                    "folder.png", "front.jpg", "front.png"};

QString url_of(const QString& file) {
  return QString::fromUtf8(QUrl::fromLocalFile(file).toEncoded());
}

// Tags often name the type loosely ("image/jpg", nothing at all): the
// picture's own first bytes say best what it is.
QString extension_of(const std::string& picture, const std::string& mime) {
  const auto starts = [&picture](std::string_view magic, size_t at = 0) {
    return picture.size() >= at + magic.size() && picture.compare(at, magic.size(), magic) == 0;
  };
  if (starts("\xFF\xD8\xFF")) return QStringLiteral(".jpg");
  if (starts("\x89PNG")) return QStringLiteral(".png");
  if (starts("GIF8")) return QStringLiteral(".gif");
  if (starts("RIFF") && starts("WEBP", 8)) return QStringLiteral(".webp");
  const QString type = QString::fromStdString(mime).toLower().section(QLatin1Char('/'), 1);
  for (const QChar c : type) {
    if (!c.isLetterOrNumber() || c.unicode() > 127) return QStringLiteral(".img");
  }
  return type.isEmpty() || type.size() > 8 ? QStringLiteral(".img") : QLatin1Char('.') + type;
}

QString cached_picture(const std::string& picture, const std::string& mime,
                       const QString& cache_folder) {
  if (cache_folder.isEmpty() || !QDir().mkpath(cache_folder)) return {};
  const QByteArray bytes = QByteArray::fromRawData(picture.data(), qsizetype(picture.size()));
  const QString name =
      QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()) +
      extension_of(picture, mime);
  const QString file = QDir(cache_folder).filePath(name);
  // Written once: a later track with the same picture finds it there.
  if (QFileInfo(file).size() == qint64(picture.size())) return file;
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
    return {};
  return file;
}

QString picture_beside(const std::string& track_path) {
  const QFileInfo track(QString::fromStdString(track_path));
  // A CD track named by the play list alone (D:\Track03.cda) has no folder.
  if (!track.isAbsolute() || !track.exists()) return {};
  const QDir folder = track.absoluteDir();
  QStringList patterns;
  for (const char* n : kBesideNames) patterns << QString::fromLatin1(n);
  // Without QDir::CaseSensitive the names match in any letter case.
  const QStringList found = folder.entryList(patterns, QDir::Files | QDir::Readable, QDir::Name);
  for (const QString& wanted : patterns) {
    for (const QString& f : found) {
      if (f.compare(wanted, Qt::CaseInsensitive) == 0) return folder.filePath(f);
    }
  }
  return {};
}
}  // namespace

QString cover_cache_folder() {
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  return cache.isEmpty() ? QString() : cache + QStringLiteral("/covers");
}

QString cover_art_url(const std::string& track_path, const std::string& picture,
                      const std::string& mime, const QString& cache_folder) {
  if (track_path.empty()) return {};
  if (!picture.empty()) {
    const QString file = cached_picture(picture, mime, cache_folder);
    return file.isEmpty() ? QString() : url_of(file);
  }
  const QString beside = picture_beside(track_path);
  return beside.isEmpty() ? QString() : url_of(beside);
}
