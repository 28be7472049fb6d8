#pragma once
// MIDI music rendered by FluidSynth with a General MIDI sound font: standard
// MIDI files, and RMI files (a RIFF "RMID" whose "data" chunk is one).
#include <memory>
#include <string>

#include "audio/decoder.h"

// Nothing for a file that is no complete MIDI file, and when no sound font
// is installed.
std::unique_ptr<Decoder> open_midi_decoder(const std::string& path);
