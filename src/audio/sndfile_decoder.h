#pragma once
// WAV, FLAC, Ogg Vorbis, Opus, MP3 and the other formats libsndfile reads.
#include <memory>
#include <string>

#include "audio/decoder.h"

// Nothing when libsndfile does not open the file or it has more than eight
// channels.
std::unique_ptr<Decoder> open_sndfile_decoder(const std::string& path);
