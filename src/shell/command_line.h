#pragma once
// The command-line options: --help and --version print and end, --autostart
// on|off turns the start at login on or off and ends; --play-pause, --play,
// --pause, --stop, --next and --previous pass the media control to the
// running copy and end (--play with no copy running starts the player). They
// are read before anything else, so they touch no options, no lock and no play
// list, and work while another copy runs.
#include <optional>

// The exit code when the command line asks the program to end at once;
// nothing when it should start as usual.
std::optional<int> run_command_line(int argc, char** argv);
