#pragma once
// The order in which play lists are listed: by name without regard to letter
// case, and names that differ only in case by their bytes, so that the order
// is the same on every run whatever order the folder hands them out in.
#include <string_view>

bool play_list_name_before(std::string_view a, std::string_view b);
