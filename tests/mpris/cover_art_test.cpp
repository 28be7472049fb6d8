// The cover the media controls are given: the picture inside the file, read
// by TagLib from every format that carries one and written once to the cache,
// else a picture beside the track, else none.
#include "mpris/cover_art.h"

#include <gtest/gtest.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>

#include <QDir>
#include <QUrl>

#include "audio/file_tags.h"
#include "audio_files.h"
#include "temp_dir.h"

namespace {

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "a small cover";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "another cover";

TagLib::FLAC::Picture* flac_picture(const std::string& bytes) {
  auto* p = new TagLib::FLAC::Picture;
  p->setType(TagLib::FLAC::Picture::FrontCover);
  p->setMimeType("image/png");
  p->setData(TagLib::ByteVector(bytes.data(), static_cast<unsigned>(bytes.size())));
  return p;
}

// Puts a picture into a file as the taggers of each format do.
bool embed(const std::string& path, const std::string& bytes) {
  const TagLib::ByteVector data(bytes.data(), static_cast<unsigned>(bytes.size()));
  const std::string ext = path.substr(path.rfind('.'));
  if (ext == ".mp3") {
    TagLib::MPEG::File f(path.c_str());
    auto* apic = new TagLib::ID3v2::AttachedPictureFrame;
    apic->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    apic->setMimeType("image/png");
    apic->setPicture(data);
    f.ID3v2Tag(true)->addFrame(apic);
    return f.save();
  }
  if (ext == ".flac") {
    TagLib::FLAC::File f(path.c_str());
    f.addPicture(flac_picture(bytes));
    return f.save();
  }
  if (ext == ".ogg") {
    TagLib::Ogg::Vorbis::File f(path.c_str());
    f.tag()->addPicture(flac_picture(bytes));
    return f.save();
  }
  TagLib::Ogg::Opus::File f(path.c_str());
  f.tag()->addPicture(flac_picture(bytes));
  return f.save();
}

QString local_file_of(const QString& url) {
  return QUrl(url).toLocalFile();
}

TEST(FileTags, ReadThePictureAndTagsOfEveryFormatThatCarriesThem) {
  TempDir dir;
  for (const char* name : {"a.mp3", "a.flac", "a.ogg", "a.opus"}) {
    const std::string path = dir.folder() + name;
    const bool made = std::string(name) == "a.mp3"
                          ? write_mp3(path, 1.0)
                          : write_tagged_tone(path, 1.0, 440, {"Morning", "Ann", "Dawn"});
    ASSERT_TRUE(made) << name;
    ASSERT_TRUE(embed(path, kPng)) << name;
    const FileTags tags = read_file_tags(path);
    EXPECT_EQ(tags.picture, kPng) << name;
    EXPECT_EQ(tags.picture_mime, "image/png") << name;
    EXPECT_NEAR(double(tags.length_us), 1e6, 1.5e5) << name;
    if (std::string(name) != "a.mp3") {
      EXPECT_EQ(tags.title + "|" + tags.artist + "|" + tags.album, "Morning|Ann|Dawn") << name;
    }
  }
  EXPECT_TRUE(read_file_tags(dir.folder() + "missing.mp3").picture.empty());
  ASSERT_TRUE(write_midi(dir.folder() + "a.mid", 0.5));
  EXPECT_EQ(read_file_tags(dir.folder() + "a.mid").length_us, -1);  // TagLib knows no MIDI
}

TEST(CoverArt, ThePictureInsideIsWrittenOnceAndWinsOverOneBeside) {
  TempDir dir;
  const QString cache = QString::fromStdString(dir.folder() + "cache/covers");
  const std::string one = dir.write("album/01.flac", "");
  const std::string two = dir.write("album/02.flac", "");
  dir.write("album/cover.jpg", kJpeg);

  const QString url = cover_art_url(one, kPng, "image/png", cache);
  ASSERT_TRUE(url.startsWith("file:///")) << url.toStdString();
  EXPECT_TRUE(url.endsWith(".png"));
  EXPECT_EQ(read_file_bytes(local_file_of(url).toStdString()), kPng);
  // Another track of the album with the same picture: the same file. A type
  // named loosely by the tag is told by the picture's bytes.
  EXPECT_EQ(cover_art_url(two, kPng, "image/jpg", cache), url);
  const QString other = cover_art_url(two, kJpeg, "", cache);
  EXPECT_TRUE(other.endsWith(".jpg")) << other.toStdString();
  EXPECT_EQ(QDir(cache).entryList(QDir::Files).size(), 2);
}

TEST(CoverArt, APictureBesideIsFoundInAnyLetterCaseInItsOrder) {
  TempDir dir;
  const QString cache = QString::fromStdString(dir.folder() + "cache");
  const std::string track = dir.write("Album/track.mp3", "");
  EXPECT_EQ(cover_art_url(track, "", "", cache), "");  // nothing: no key
  dir.write("Album/FRONT.JPG", kJpeg);
  dir.write("Album/cover.gif", "GIF8");  // not a name the controls are given
  EXPECT_TRUE(cover_art_url(track, "", "", cache).endsWith("/Album/FRONT.JPG"));
  dir.write("Album/Folder.Png", kPng);
  EXPECT_TRUE(cover_art_url(track, "", "", cache).endsWith("/Album/Folder.Png"));
  dir.write("Album/Cover.jpg", kJpeg);
  EXPECT_TRUE(cover_art_url(track, "", "", cache).endsWith("/Album/Cover.jpg"));
  EXPECT_FALSE(QDir(cache).exists());  // a picture beside is not copied
}

TEST(CoverArt, ACacheThatCannotBeWrittenGivesNoCover) {
  TempDir dir;
  const std::string track = dir.write("track.mp3", "");
  dir.write("cover.jpg", kJpeg);
  // A file where the cache folder should be: no folder can be made there.
  const std::string blocked = dir.write("cache", "a file");
  EXPECT_EQ(cover_art_url(track, kPng, "image/png", QString::fromStdString(blocked + "/covers")),
            "");
}

}  // namespace
