#include "audio_files.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace {

void put_le(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void put_be(std::string& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// MIDI delta times: 7 bits a byte, most significant first.
void put_var(std::string& out, uint32_t value) {
  char buf[5];
  int n = 0;
  buf[n++] = static_cast<char>(value & 0x7F);
  while (value >>= 7) buf[n++] = static_cast<char>((value & 0x7F) | 0x80);
  while (n) out.push_back(buf[--n]);
}

bool save(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

bool write_wav(const std::string& path, double seconds, double freq_hz) {
  const uint32_t rate = 22050;
  const auto samples = static_cast<uint32_t>(seconds * rate);
  std::string data;
  data.reserve(samples * 2);
  for (uint32_t i = 0; i < samples; ++i) {
    double v = std::sin(2.0 * std::numbers::pi * freq_hz * i / rate);
    put_le(data, static_cast<uint16_t>(static_cast<int16_t>(v * 12000)), 2);
  }
  std::string out = "RIFF";
  put_le(out, 36 + static_cast<uint32_t>(data.size()), 4);
  out += "WAVEfmt ";
  put_le(out, 16, 4);
  put_le(out, 1, 2);         // PCM
  put_le(out, 1, 2);         // mono
  put_le(out, rate, 4);      // samples a second
  put_le(out, rate * 2, 4);  // bytes a second
  put_le(out, 2, 2);         // bytes a frame
  put_le(out, 16, 2);        // bits a sample
  out += "data";
  put_le(out, static_cast<uint32_t>(data.size()), 4);
  return save(path, out + data);
}

std::string midi_bytes(double seconds) {
  // 480 ticks a quarter at the default 120 beats a minute: 960 ticks a second.
  const uint32_t note_ticks = 240;
  const auto notes = std::max<uint32_t>(1, static_cast<uint32_t>(seconds * 960 / note_ticks));
  std::string track;
  put_var(track, 0);
  track += "\xC0";  // piano
  track.push_back(0);
  for (uint32_t i = 0; i < notes; ++i) {
    const char key = static_cast<char>(60 + (i % 8));
    put_var(track, 0);
    track += "\x90";
    track.push_back(key);
    track.push_back(100);
    put_var(track, note_ticks);
    track += "\x80";
    track.push_back(key);
    track.push_back(0);
  }
  put_var(track, 0);
  track += "\xFF\x2F";  // end of track
  track.push_back(0);

  std::string out = "MThd";
  put_be(out, 6, 4);
  put_be(out, 0, 2);  // format 0
  put_be(out, 1, 2);  // one track
  put_be(out, 480, 2);
  out += "MTrk";
  put_be(out, static_cast<uint32_t>(track.size()), 4);
  return out + track;
}

bool write_midi(const std::string& path, double seconds) {
  return save(path, midi_bytes(seconds));
}

bool write_rmi(const std::string& path, double seconds) {
  std::string midi = midi_bytes(seconds);
  std::string data_chunk = "data";
  put_le(data_chunk, static_cast<uint32_t>(midi.size()), 4);
  data_chunk += midi;
  if (midi.size() % 2) data_chunk.push_back(0);
  // A small chunk before the music, as real RMI files carry.
  std::string info_chunk = "DISP";
  put_le(info_chunk, 6, 4);
  info_chunk += std::string("\x01\x00\x00\x00", 4) + "x" + std::string(1, '\0');
  std::string out = "RIFF";
  put_le(out, static_cast<uint32_t>(4 + info_chunk.size() + data_chunk.size()), 4);
  out += "RMID";
  return save(path, out + info_chunk + data_chunk);
}

bool write_cda(const std::string& path, int track, uint32_t serial) {
  std::string out = "RIFF";
  put_le(out, 36, 4);
  out += "CDDAfmt ";
  put_le(out, 24, 4);
  put_le(out, 1, 2);  // version
  put_le(out, static_cast<uint32_t>(track), 2);
  put_le(out, serial, 4);
  put_le(out, 0, 4);           // first sector
  put_le(out, 75 * 60, 4);     // length in sectors: one minute
  put_le(out, 0x00020000, 4);  // start as frame, second, minute
  put_le(out, 0x00010000, 4);  // length likewise
  return save(path, out);
}

bool write_mp3(const std::string& path, double seconds, double freq_hz) {
  if (std::system("command -v sox >/dev/null 2>&1") != 0) return false;
  std::string cmd = "sox -q -n -r 44100 -c 2 -t mp3 " + shell_quote(path) + " synth " +
                    std::to_string(seconds) + " sine " + std::to_string(freq_hz) +
                    " >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return false;
  std::error_code ec;
  return std::filesystem::file_size(path, ec) > 0 && !ec;
}

bool write_tagged_tone(const std::string& path, double seconds, double freq_hz,
                       const AudioTags& tags) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool opus = ext == ".opus";
  if (std::system(opus ? "command -v sox >/dev/null 2>&1 && command -v opusenc >/dev/null 2>&1"
                       : "command -v sox >/dev/null 2>&1") != 0) {
    return false;
  }
  const std::string tone = " synth " + std::to_string(seconds) + " sine " + std::to_string(freq_hz);
  std::string cmd;
  if (opus) {
    cmd = "sox -q -n -r 48000 -c 2 -b 16 -t wav -" + tone + " 2>/dev/null | opusenc --quiet";
    if (!tags.title.empty()) cmd += " --title " + shell_quote(tags.title);
    if (!tags.artist.empty()) cmd += " --artist " + shell_quote(tags.artist);
    if (!tags.album.empty()) cmd += " --album " + shell_quote(tags.album);
    cmd += " - " + shell_quote(path);
  } else {
    // sox writes each comment "KEY=value" as a tag of the file.
    const bool flac = ext == ".flac";
    cmd = std::string("sox -q -n -r 44100 -c 2") + (flac ? " -b 16" : "") + " --comment ''";
    if (!tags.title.empty()) cmd += " --add-comment " + shell_quote("TITLE=" + tags.title);
    if (!tags.artist.empty()) cmd += " --add-comment " + shell_quote("ARTIST=" + tags.artist);
    if (!tags.album.empty()) cmd += " --add-comment " + shell_quote("ALBUM=" + tags.album);
    cmd += std::string(flac ? " -t flac " : " -t vorbis ") + shell_quote(path) + tone;
  }
  if (std::system((cmd + " >/dev/null 2>&1").c_str()) != 0) return false;
  std::error_code ec;
  return std::filesystem::file_size(path, ec) > 0 && !ec;
}

bool write_wav_tone(const std::string& path, double seconds, double freq_hz, int rate, int channels,
                    int bits, bool floats) {
  const std::string encoding = floats ? "floating-point" : bits == 8 ? "unsigned" : "signed";
  const std::string cmd =
      "sox -q -n -r " + std::to_string(rate) + " -c " + std::to_string(channels) + " -b " +
      std::to_string(bits) + " -e " + encoding + " -t wav " + shell_quote(path) + " synth " +
      std::to_string(seconds) + " sine " + std::to_string(freq_hz) + " vol 0.5 >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

bool write_lame_mp3(const std::string& path, double seconds, double freq_hz,
                    const AudioTags& tags) {
  if (std::system("command -v sox >/dev/null 2>&1 && command -v lame >/dev/null 2>&1") != 0)
    return false;
  std::string cmd = "sox -q -n -r 44100 -c 2 -b 16 -t wav - synth " + std::to_string(seconds) +
                    " sine " + std::to_string(freq_hz) + " vol 0.5 2>/dev/null | lame --quiet";
  if (!tags.title.empty()) cmd += " --tt " + shell_quote(tags.title);
  if (!tags.artist.empty()) cmd += " --ta " + shell_quote(tags.artist);
  if (!tags.album.empty()) cmd += " --tl " + shell_quote(tags.album);
  cmd += " - " + shell_quote(path) + " >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return false;
  std::error_code ec;
  return std::filesystem::file_size(path, ec) > 0 && !ec;
}
