#pragma once
// What a music file says of itself in its tags: title, artist, album, length
// and the picture it carries (ID3 APIC, FLAC PICTURE, the pictures of Vorbis
// and Opus comments). Read with TagLib; plain C++.
#include <cstdint>
#include <string>

struct FileTags {
  std::string title;  // UTF-8; empty where the file tells nothing
  std::string artist;
  std::string album;
  int64_t length_us = -1;  // -1 where unknown
  // The front cover, else the first picture; empty bytes for none.
  std::string picture;
  std::string picture_mime;  // as the tag gives it, may be empty
};

// Reads path's tags; an unreadable file or one TagLib does not know (MIDI, a
// CD track file) gives empty tags. Never throws.
FileTags read_file_tags(const std::string& path);
