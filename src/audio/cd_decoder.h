#pragma once
// A CD-audio entry played from the disc in the drive: the track's PCM as it
// comes off the disc, 44.1 kHz 16-bit stereo.
#include <memory>
#include <string>

#include "audio/decoder.h"

class CdDrive;

// Nothing without a drive, when the entry names no track, or when the disc
// in the drive (answering within half a second) does not hold it.
std::unique_ptr<Decoder> open_cd_decoder(const std::string& path, CdDrive* drive);
