#pragma once
// Where desktop media controls find the player on the session bus.
inline constexpr const char* kMprisBusName = "org.mpris.MediaPlayer2.davrin_audio_player";
inline constexpr const char* kMprisObjectPath = "/org/mpris/MediaPlayer2";
inline constexpr const char* kMprisRootInterface = "org.mpris.MediaPlayer2";
inline constexpr const char* kMprisPlayerInterface = "org.mpris.MediaPlayer2.Player";
