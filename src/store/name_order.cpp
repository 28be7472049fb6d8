#include "store/name_order.h"

#include <locale.h>

#include <cstdint>
#include <cwctype>

namespace {
// One character of a name, in capitals. Names are UTF-8; a byte that starts
// no valid character stands for itself, above every character, so that such
// names still sort in one fixed order.
struct Decoder {
  std::string_view text;
  size_t at = 0;

  bool done() const { return at >= text.size(); }

  uint32_t next_upper() {
    const uint32_t c = next();
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    if (c > 0x10FFFF || unicode == locale_t(0)) return c;
    return static_cast<uint32_t>(towupper_l(static_cast<wint_t>(c), unicode));
  }

 private:
  uint32_t next() {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    if (length == 0 || at + length > text.size()) return stray(lead);
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
      const auto byte = static_cast<unsigned char>(text[at + i]);
      if ((byte & 0xC0) != 0x80) return stray(lead);
      c = (c << 6) | (byte & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return stray(lead);
    at += length;
    return c;
  }

  uint32_t stray(unsigned char byte) {
    ++at;
    return 0x110000 + byte;
  }
};
}  // namespace

bool play_list_name_before(std::string_view a, std::string_view b) {
  Decoder x{a};
  Decoder y{b};
  while (!x.done() && !y.done()) {
    const uint32_t cx = x.next_upper();
    const uint32_t cy = y.next_upper();
    if (cx != cy) return cx < cy;
  }
  if (x.done() != y.done()) return x.done();
  return a < b;
}
