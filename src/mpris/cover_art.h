#pragma once
// The cover the desktop's media controls show for a track: the picture inside
// the file, written once to the per-user cache (named by its bytes, so that
// every track of an album shares one file), else a cover, folder or front
// picture beside the track.
#include <QString>
#include <string>

// The per-user cache folder the pictures inside the files go to.
QString cover_cache_folder();

// The cover of the track at track_path as a file:// URL, "" for none.
// picture and mime: the picture inside the file, empty bytes for none. A
// picture that cannot be written to cache_folder gives "", and nothing is said.
QString cover_art_url(const std::string& track_path, const std::string& picture,
                      const std::string& mime, const QString& cache_folder);
