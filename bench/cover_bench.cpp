// What a track change costs the media controls: the file's tags read with
// TagLib and its cover found, for a FLAC carrying a 1 MB picture whose copy
// is already in the cache (every track change but an album's first), for the
// first time that picture is written, and for a WAV with cover.jpg beside it.
// Run by hand: build/bench/davrin_bench_cover
#include <benchmark/benchmark.h>
#include <taglib/flacfile.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <random>

#include "audio/file_tags.h"
#include "mpris/cover_art.h"

namespace {
struct Album {
  QTemporaryDir dir;
  std::string flac, wav, picture;

  Album() {
    const std::string d = dir.path().toStdString();
    flac = d + "/tone.flac";
    wav = d + "/beside/tone.wav";
    QDir().mkpath(dir.path() + "/beside");
    const std::string sox = "sox -n -r 44100 -c 2 -b 16 ";
    if (std::system((sox + "'" + flac + "' synth 240 sine 440").c_str()) != 0 ||
        std::system((sox + "'" + wav + "' synth 240 sine 440").c_str()) != 0)
      std::abort();
    std::ofstream(d + "/beside/cover.jpg") << "\xFF\xD8\xFF";
    std::mt19937 random(1);
    picture = "\xFF\xD8\xFF";
    while (picture.size() < (1 << 20)) picture.push_back(char(random()));
    TagLib::FLAC::File f(flac.c_str());
    auto* p = new TagLib::FLAC::Picture;
    p->setType(TagLib::FLAC::Picture::FrontCover);
    p->setMimeType("image/jpeg");
    p->setData(TagLib::ByteVector(picture.data(), unsigned(picture.size())));
    f.addPicture(p);
    f.save();
  }
  QString cache() const { return dir.path() + "/cache"; }
};

Album& album() {
  static Album a;
  return a;
}

void change_to(const std::string& path, const QString& cache) {
  const FileTags tags = read_file_tags(path);
  benchmark::DoNotOptimize(cover_art_url(path, tags.picture, tags.picture_mime, cache));
}

void BM_TrackChangeCachedPicture(benchmark::State& state) {
  change_to(album().flac, album().cache());
  for (auto _ : state) change_to(album().flac, album().cache());
}
BENCHMARK(BM_TrackChangeCachedPicture)->Unit(benchmark::kMillisecond);

void BM_TrackChangeFirstWriteOfPicture(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    QDir(album().cache()).removeRecursively();
    state.ResumeTiming();
    change_to(album().flac, album().cache());
  }
}
BENCHMARK(BM_TrackChangeFirstWriteOfPicture)->Unit(benchmark::kMillisecond);

void BM_TrackChangePictureBeside(benchmark::State& state) {
  for (auto _ : state) change_to(album().wav, album().cache());
}
BENCHMARK(BM_TrackChangePictureBeside)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
