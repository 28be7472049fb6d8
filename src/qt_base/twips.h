#pragma once
// Window layouts are given in twips; the screen has 15 twips to a pixel.
#include <QRect>

inline constexpr int twips(int t) {
  return (t + 7) / 15;
}
inline QRect twips_rect(int left, int top, int width, int height) {
  return QRect(twips(left), twips(top), twips(width), twips(height));
}
