#include "common/basic.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace koralin {
namespace {

TEST(Val, TakesTheLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"020.0", 20},   {"12abc", 12}, {"abc", 0},    {"", 0},       {"  7.5", 7.5}, {"-3.25x", -3.25},
      {"+4", 4},       {".5", 0.5},   {"1e3", 1000}, {"2E", 2},     {"1.2.3", 1.2}, {"&HFF", 255},
      {"\t\r\n9", 9},  {"-", 0},      {"5-", 5},     {"0.000", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
}

TEST(Val, HugeExponentIsAnOverflowError) {
  try {
    Val("9e999");
    FAIL();
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const struct {
    double v;
    int decimals;
    double expected;
  } cases[] = {
      {2.5, 0, 2},      {3.5, 0, 4},     {-2.5, 0, -2}, {0.5, 0, 0},      {1.5, 0, 2},
      {2.6, 0, 3},      {2.675, 2, 2.68}, {2.665, 2, 2.66}, {4807.038, 2, 4807.04},
      {0.125, 2, 0.12}, {359.5, 0, 360},  {-0.4, 0, 0},  {123.45, 1, 123.4}, {9.995, 2, 10},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundHalfEven(c.v, c.decimals), c.expected) << c.v;
  EXPECT_FLOAT_EQ(RoundHalfEven(0.3048f * 1.0f, 1), 0.3f);
  EXPECT_FLOAT_EQ(RoundHalfEven(2.5f), 2.0f);
}

TEST(CIntAndCLng, RoundAndCheckTheirRange) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(-32768.0), -32768);
  EXPECT_EQ(CLng(100000.5), 100000);
  EXPECT_THROW(CInt(32768.0), RunTimeError);
  EXPECT_THROW(CLng(3e9), RunTimeError);
}

TEST(Format, FollowsThePattern) {
  const struct {
    double v;
    const char* pattern;
    const char* expected;
  } cases[] = {
      {90, "000.0", "090.0"},          {5.2, "000.0", "005.2"},          {1234.5, "000.0", "1234.5"},
      {359.96, "000.0", "360.0"},      {0.25, "000.0", "000.2"},         {53.27, "###.0", "53.3"},
      {0.3, "###.0", ".3"},            {359.96, "###.0", "360.0"},       {52.205833, ".00000", "52.20583"},
      {0.5, ".00000", ".50000"},       {-33.8565, ".00000", "-33.85650"}, {235959.6, "000000.000", "235959.600"},
      {12, "000000", "000012"},        {1234567, "000000", "1234567"},    {123456, "00:00:00", "12:34:56"},
      {5, "00:00:00", "00:00:05"},     {-5, "000", "-005"},              {7, "000", "007"},
      {0.4, "000", "000"},             {2.5, "00", "02"},                {-0.001, "0.00", "0.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.v, c.pattern), c.expected) << c.v << " " << c.pattern;
}

TEST(Format, SingleShowsItsBinaryValue) {
  EXPECT_EQ(Format(52.205833f, ".00000"), "52.20583");
  EXPECT_EQ(Format(-151.205667f, ".00000"), "-151.20567");
  EXPECT_EQ(Format(0.1f, "0.000000000"), "0.100000001");
}

TEST(Str, LeadingBlankForNonNegative) {
  const struct {
    double v;
    const char* expected;
  } cases[] = {
      {62, " 62"},  {-5, "-5"}, {0, " 0"},       {0.5, " .5"},          {-0.5, "-.5"}, {1234.5, " 1234.5"},
      {1e15, " 1E+15"}, {0.0001, " .0001"}, {0.00001, " 1E-05"}, {0.1 + 0.2, " .3"},
  };
  for (const auto& c : cases) EXPECT_EQ(Str(c.v), c.expected) << c.v;
  EXPECT_EQ(Str(62), " 62");
  EXPECT_EQ(Str(-1L), "-1");
  EXPECT_EQ(Str(0.3f), " .3");
  EXPECT_EQ(NumText(-12), "-12");
}

TEST(Hex, UpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(Hex(0x0E), "E");
  EXPECT_EQ(Hex(0x68), "68");
  EXPECT_EQ(Hex(0), "0");
  EXPECT_EQ(Hex(0xABCDEF), "ABCDEF");
}

TEST(Texts, PositionsCountFromOne) {
  EXPECT_EQ(InStr("abcabc", "c"), 3u);
  EXPECT_EQ(InStr(4, "abcabc", "c"), 6u);
  EXPECT_EQ(InStr(7, "abcabc", "c"), 0u);
  EXPECT_EQ(InStr(99, "abc", "a"), 0u);
  EXPECT_EQ(InStr("abc", "x"), 0u);
  EXPECT_EQ(InStrRev("a$b$c", "$"), 4u);
  EXPECT_EQ(InStrRev("a$b$c", "$", 3), 2u);
  EXPECT_EQ(InStrRev("abc", "$"), 0u);
  EXPECT_EQ(InStrRev("", "$"), 0u);
  EXPECT_EQ(Mid("hello", 2, 3), "ell");
  EXPECT_EQ(Mid("hello", 4), "lo");
  EXPECT_EQ(Mid("hello", 9, 2), "");
  EXPECT_EQ(Left("hello", 9), "hello");
  EXPECT_EQ(Right("hello", 2), "lo");
  EXPECT_EQ(Right("hi", 5), "hi");
}

TEST(Texts, CaseFoldingCoversLatin1) {
  EXPECT_EQ(UCase("abc,\xE9z"), "ABC,\xC9Z");
  EXPECT_EQ(LCase("ABC\xC9"), "abc\xE9");
  EXPECT_EQ(UCase("\xF7"), "\xF7");  // the division sign has no case
  EXPECT_EQ(Replace("1,5,6", ",", "."), "1.5.6");
  EXPECT_EQ(Trim("  a b  "), "a b");
}

}  // namespace
}  // namespace koralin
