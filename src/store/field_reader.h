#pragma once
// Reads the comma- or line-separated fields of a play-list file.
//
// A field starts after any leading blanks. A field that starts with a double
// quote runs to the next double quote and is taken without the quotes; what
// follows it up to the next comma or line end is dropped. Any other field runs
// to the next comma or line end. A line end is CR LF, a bare LF or a bare CR.
// Empty lines hold no field, so a blank line between two fields is skipped.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data) {}

  // The next field, or nothing when the data is exhausted. The view points
  // into the data given to the constructor.
  std::optional<std::string_view> next();

  // Bytes not yet read.
  size_t remaining() const { return data_.size() - pos_; }

 private:
  bool at_line_end() const;
  void skip_line_end();
  void skip_to_separator();

  std::string_view data_;
  size_t pos_ = 0;
};

// A field as a whole number: decimal digits with an optional leading '-',
// trailing blanks allowed, nothing else, within the 32-bit range.
std::optional<int32_t> parse_whole_number(std::string_view text);
