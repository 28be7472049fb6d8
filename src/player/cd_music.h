#pragma once
// A CD-audio entry as music for SDL2_mixer: the track a stub or a "TrackNN.cda"
// name points at, read from the disc in the drive while it plays, as a WAV
// stream. The stream goes with the music: freeing the music ends the reading.
#include <string>

class CdDrive;
struct _Mix_Music;

// Nothing when the entry cannot play: no drive, no disc, another disc, no
// such track, a stub that is no stub. Waits for the drive a moment at most.
_Mix_Music* load_cd_music(const std::string& path, CdDrive& drive);
