#pragma once
// The progress bar as a screen reader reads it: a progress bar whose value is
// the percentage drawn and whose name is the text printed on it.
class ProgressBar;

// Makes Qt's accessibility ask for the bar's own reading; once is enough.
void install_progress_bar_accessible();
// Tells a listening screen reader that the bar's value and text changed.
void tell_progress_changed(ProgressBar& bar);
