#include "store/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> all_fields(std::string_view data) {
  FieldReader reader(data);
  std::vector<std::string> fields;
  while (auto field = reader.next()) fields.emplace_back(*field);
  return fields;
}
}  // namespace

TEST(FieldReader, SplitsAtCommasAndLineEnds) {
  EXPECT_EQ(all_fields("a,b\r\nc\nd\re"), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST(FieldReader, QuotedFieldKeepsCommasAndDropsTheRestOfItsField) {
  EXPECT_EQ(all_fields("\"x, y\" garbage,next\r\n\"z\"tail\r\n"),
            (std::vector<std::string>{"x, y", "next", "z"}));
}

TEST(FieldReader, SkipsLeadingBlanksButKeepsTrailingOnesOfPlainFields) {
  EXPECT_EQ(all_fields("   a ,\t \"b\"\r\n  c"), (std::vector<std::string>{"a ", "b", "c"}));
}

TEST(FieldReader, EmptyQuotedAndEmptyCommaFieldsAreFields) {
  EXPECT_EQ(all_fields("\"\",,x"), (std::vector<std::string>{"", "", "x"}));
}

TEST(FieldReader, BlankLinesHoldNoField) {
  EXPECT_EQ(all_fields("a\r\n\r\n  \r\nb,\r\nc\r\n"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FieldReader, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(all_fields("\"abc\r\ndef"), (std::vector<std::string>{"abc\r\ndef"}));
}

TEST(FieldReader, EmptyDataHasNoField) {
  EXPECT_TRUE(all_fields("").empty());
  EXPECT_TRUE(all_fields("\r\n \r\n").empty());
}

TEST(WholeNumber, AcceptsDigitsAndASign) {
  EXPECT_EQ(parse_whole_number("0"), 0);
  EXPECT_EQ(parse_whole_number("30000"), 30000);
  EXPECT_EQ(parse_whole_number("-1"), -1);
  EXPECT_EQ(parse_whole_number("12  "), 12);
  EXPECT_EQ(parse_whole_number("2147483647"), 2147483647);
}

TEST(WholeNumber, RefusesEverythingElse) {
  for (const char* text : {"", " ", "-", "abc", "12abc", "1.5", "+1", "0x10", "2147483648",
                           "99999999999999999999", "1 2"}) {
    EXPECT_FALSE(parse_whole_number(text).has_value()) << '"' << text << '"';
  }
}
