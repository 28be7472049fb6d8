#pragma once
// The kinds of music file the media player plays, told by the file name's
// extension in any letter case.
#include <string_view>

// .mp3, .wav, .mid, .rmi, .cda, .flac, .ogg, .oga, .opus
bool is_music_file(std::string_view path);
