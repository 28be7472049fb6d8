#include "store/field_reader.h"

#include <charconv>

namespace {
bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
}  // namespace

bool FieldReader::at_line_end() const {
  return pos_ < data_.size() && (data_[pos_] == '\r' || data_[pos_] == '\n');
}

void FieldReader::skip_line_end() {
  if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
  if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
}

void FieldReader::skip_to_separator() {
  while (pos_ < data_.size() && data_[pos_] != ',' && !at_line_end()) ++pos_;
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    skip_line_end();
  }
}

std::optional<std::string_view> FieldReader::next() {
  // Leading blanks and empty lines come before the field.
  for (;;) {
    while (pos_ < data_.size() && is_blank(data_[pos_])) ++pos_;
    if (!at_line_end()) break;
    skip_line_end();
  }
  if (pos_ >= data_.size()) return std::nullopt;

  if (data_[pos_] == '"') {
    const size_t start = pos_ + 1;
    size_t end = data_.find('"', start);
    if (end == std::string_view::npos) end = data_.size();
    pos_ = end < data_.size() ? end + 1 : end;
    skip_to_separator();
    return data_.substr(start, end - start);
  }

  const size_t start = pos_;
  while (pos_ < data_.size() && data_[pos_] != ',' && !at_line_end()) ++pos_;
  const std::string_view field = data_.substr(start, pos_ - start);
  skip_to_separator();
  return field;
}

std::optional<int32_t> parse_whole_number(std::string_view text) {
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  const size_t digits_from = text.front() == '-' ? 1 : 0;
  if (digits_from == text.size()) return std::nullopt;
  for (size_t i = digits_from; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}
