#include "common/basic.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace koralin {
namespace {

TEST(Basic, ValTakesTheLeadingNumberAndThrowsOnAnOverflow) {
  const struct { const char* text; double value; } cases[] = {
      {"020.0", 20},   {"12abc", 12}, {"abc", 0},    {"", 0},       {"  7.5", 7.5}, {"-3.25x", -3.25},
      {"+4", 4},       {".5", 0.5},   {"1e3", 1000}, {"2E", 2},     {"1.2.3", 1.2}, {"&HFF", 255}, {"&hff", 255}, {"5h", 5},
      {"\t\r\n9", 9},  {"-", 0},      {"5-", 5},     {"0.000", 0},   {"1e-999", 0},  // too small is zero
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
  EXPECT_THROW(Val("9e999"), RunTimeError);
}

TEST(Basic, RoundHalfEvenSendsTiesToTheEvenNeighbour) {
  const struct { double v; int decimals; double expected; } ties[] = {
      {2.5, 0, 2},      {3.5, 0, 4},     {-2.5, 0, -2}, {0.5, 0, 0},      {1.5, 0, 2},
      {2.6, 0, 3},      {2.675, 2, 2.68}, {2.665, 2, 2.66}, {4807.038, 2, 4807.04},
      {0.125, 2, 0.12}, {359.5, 0, 360},  {-0.4, 0, 0},  {123.45, 1, 123.4}, {9.995, 2, 10},
  };
  for (const auto& c : ties) EXPECT_DOUBLE_EQ(RoundHalfEven(c.v, c.decimals), c.expected) << c.v;
  EXPECT_FLOAT_EQ(RoundHalfEven(0.3048f * 1.0f, 1), 0.3f);
  EXPECT_FLOAT_EQ(RoundHalfEven(2.5f), 2.0f);
}

TEST(Basic, FormatFillsThePatternAsBasicDoes) {
  const struct { double v; const char* pattern; const char* expected; } patterns[] = {
      {90, "000.0", "090.0"},          {5.2, "000.0", "005.2"},          {1234.5, "000.0", "1234.5"},
      {359.96, "000.0", "360.0"},      {0.25, "000.0", "000.2"},         {53.27, "###.0", "53.3"},
      {0.3, "###.0", ".3"},            {359.96, "###.0", "360.0"},       {52.205833, ".00000", "52.20583"},
      {0.5, ".00000", ".50000"},       {-33.8565, ".00000", "-33.85650"}, {235959.6, "000000.000", "235959.600"},
      {12, "000000", "000012"},        {1234567, "000000", "1234567"},    {123456, "00:00:00", "12:34:56"},
      {5, "00:00:00", "00:00:05"},     {-5, "000", "-005"},              {7, "000", "007"},
      {0.4, "000", "000"},             {2.5, "00", "02"},                {-0.001, "0.00", "0.00"},
  };
  for (const auto& c : patterns) EXPECT_EQ(Format(c.v, c.pattern), c.expected) << c.v << " " << c.pattern;
}

// Texts made by the helpers, each beside the text it must be.
TEST(Basic, TheTextHelpersGiveTheTextsBasicGives) {
  const std::pair<std::string, std::string> texts[] = {
      {Format(52.205833f, ".00000"), "52.20583"},  // a Single shows its binary value
      {Format(-151.205667f, ".00000"), "-151.20567"}, {Format(0.1f, "0.000000000"), "0.100000001"},
      {Str(62.0), " 62"}, {Str(-5.0), "-5"}, {Str(0.0), " 0"}, {Str(0.5), " .5"}, {Str(-0.5), "-.5"},
      {Str(1234.5), " 1234.5"}, {Str(1e15), " 1E+15"}, {Str(0.0001), " .0001"}, {Str(0.00001), " 1E-05"},
      {Str(0.1 + 0.2), " .3"}, {Str(62), " 62"}, {Str(0), " 0"}, {Str(-1L), "-1"}, {Str(0.3f), " .3"}, {NumText(-12), "-12"},
      {Hex(0x0E), "E"}, {Hex(0), "0"}, {Hex(0xABCDEF), "ABCDEF"},
      {UCase("abc,\xE9z"), "ABC,\xC9Z"}, {LCase("ABC\xC9"), "abc\xE9"},
      {UCase("\xF7"), "\xF7"},  // the division sign has no case
  };
  for (std::size_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(texts[i].first, texts[i].second) << "row " << i;
}

}  // namespace
}  // namespace koralin
