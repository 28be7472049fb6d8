#pragma once
// A later start of the program asks the running copy, over the session bus,
// to open its settings window. False when no copy answered in time.
bool ask_running_copy_to_raise(int timeout_ms);
