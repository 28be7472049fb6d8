#include "audio/file_tags.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/tdebuglistener.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <exception>

namespace {
// TagLib writes its complaints about odd files to standard error; a player
// meets odd files every day and says nothing.
class QuietListener : public TagLib::DebugListener {
 public:
  void printMessage(const TagLib::String&) override {}
};

std::string text_of(const TagLib::String& s) {
  return s.stripWhiteSpace().to8Bit(true);
}

void take(FileTags& tags, const TagLib::ByteVector& data, const TagLib::String& mime) {
  tags.picture.assign(data.data(), data.size());
  tags.picture_mime = mime.to8Bit(true);
}

void take_id3(FileTags& tags, TagLib::ID3v2::Tag* id3) {
  if (id3 == nullptr) return;
  TagLib::ID3v2::AttachedPictureFrame* chosen = nullptr;
  for (TagLib::ID3v2::Frame* f : id3->frameListMap()["APIC"]) {
    auto* p = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(f);
    if (p == nullptr || p->picture().isEmpty()) continue;
    if (chosen == nullptr || (p->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover &&
                              chosen->type() != TagLib::ID3v2::AttachedPictureFrame::FrontCover))
      chosen = p;
  }
  if (chosen != nullptr) take(tags, chosen->picture(), chosen->mimeType());
}

void take_flac(FileTags& tags, const TagLib::List<TagLib::FLAC::Picture*>& pictures) {
  const TagLib::FLAC::Picture* chosen = nullptr;
  for (const TagLib::FLAC::Picture* p : pictures) {
    if (p == nullptr || p->data().isEmpty()) continue;
    if (chosen == nullptr || (p->type() == TagLib::FLAC::Picture::FrontCover &&
                              chosen->type() != TagLib::FLAC::Picture::FrontCover))
      chosen = p;
  }
  if (chosen != nullptr) take(tags, chosen->data(), chosen->mimeType());
}

void take_xiph(FileTags& tags, TagLib::Ogg::XiphComment* comment) {
  if (comment != nullptr) take_flac(tags, comment->pictureList());
}

void read_picture(FileTags& tags, TagLib::File* file) {
  if (auto* mp3 = dynamic_cast<TagLib::MPEG::File*>(file)) {
    take_id3(tags, mp3->ID3v2Tag());
  } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
    take_flac(tags, flac->pictureList());
    if (tags.picture.empty()) take_id3(tags, flac->ID3v2Tag());
  } else if (auto* vorbis = dynamic_cast<TagLib::Ogg::Vorbis::File*>(file)) {
    take_xiph(tags, vorbis->tag());
  } else if (auto* opus = dynamic_cast<TagLib::Ogg::Opus::File*>(file)) {
    take_xiph(tags, opus->tag());
  } else if (auto* ogg_flac = dynamic_cast<TagLib::Ogg::FLAC::File*>(file)) {
    take_xiph(tags, ogg_flac->tag());
  } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
    if (wav->hasID3v2Tag()) take_id3(tags, wav->ID3v2Tag());
  }
}
}  // namespace

FileTags read_file_tags(const std::string& path) {
  static QuietListener quiet;
  TagLib::setDebugListener(&quiet);
  FileTags tags;
  try {
    const TagLib::FileRef ref(path.c_str(), true, TagLib::AudioProperties::Fast);
    if (ref.isNull()) return tags;
    if (const TagLib::Tag* t = ref.tag()) {
      tags.title = text_of(t->title());
      tags.artist = text_of(t->artist());
      tags.album = text_of(t->album());
    }
    if (const TagLib::AudioProperties* a = ref.audioProperties()) {
      if (a->lengthInMilliseconds() > 0) tags.length_us = int64_t{a->lengthInMilliseconds()} * 1000;
    }
    read_picture(tags, ref.file());
  } catch (const std::exception&) {
    return FileTags{};
  }
  return tags;
}
