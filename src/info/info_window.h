#pragma once
// Building blocks shared by the welcome and About windows: a fixed-size
// dialog frame in the classic 8-point look, text labels and picture boxes
// placed in twips.
#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace info_window {

// Fixed client area, title, close box only (no minimise, maximise or help).
void set_up_dialog(QDialog& dialog, const QString& title, int width_twips, int height_twips);

// Font heights in pixels: 8.25 point text and the 9.75 point version line.
inline constexpr int kTextPixels = 11;
inline constexpr int kLargePixels = 13;

// A plain-text label at its place; texts in boxes taller than a line wrap.
QLabel* add_label(QDialog& dialog, const char* name, const QString& text, int left, int top,
                  int width, int height, bool bold = false, int pixels = kTextPixels);

// A sunken picture box holding a picture, centred.
QLabel* add_picture(QDialog& dialog, const char* name, const QPixmap& picture, int left, int top,
                    int width, int height, bool sunken);

// Whether a label's or button's text shows whole in its box.
bool text_fits(const QWidget& control);

// Desktop fonts run wider than the classic 8-point one, which would cut texts
// off: each text that does not fit gets a condensed face, then a smaller size
// one pixel at a time, down to the smallest.
void fit_texts(QDialog& dialog, int smallest_pixels = 8);

// Centres the dialog's frame on a rectangle (a window or the screen); called
// as the dialog is shown, when its frame is known.
void centre_on(QDialog& dialog, const QRect& area);

}  // namespace info_window
