// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The LZW decoder on its own, code by code: each case is a code stream written with the widths the
// format gives, and what the decoder must make of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "cardfiles/LzwDecoder.h"

namespace korvel {
namespace {

struct Code {
  unsigned value, bits;
};

// Codes packed least significant bit first, as GIF writes them.
std::vector<std::uint8_t> Pack(const std::vector<Code>& codes)
{
  std::vector<std::uint8_t> bytes;
  std::uint32_t held = 0;
  unsigned count = 0;
  for (const Code& code : codes) {
    held |= code.value << count;
    count += code.bits;
    for (; count >= 8; count -= 8, held >>= 8) bytes.push_back(static_cast<std::uint8_t>(held));
  }
  if (count > 0) bytes.push_back(static_cast<std::uint8_t>(held));
  return bytes;
}

struct Outcome {
  bool fed;  // no code was refused
  bool complete;
  std::vector<std::uint8_t> pixels;
  friend bool operator==(const Outcome&, const Outcome&) = default;
};

// The stream fed whole and one byte at a time: blocks may split a code anywhere.
std::pair<Outcome, Outcome> Decode(int codeSize, std::size_t pixels, const std::vector<Code>& codes)
{
  const std::vector<std::uint8_t> bytes = Pack(codes);
  LzwDecoder whole(codeSize, pixels), bytewise(codeSize, pixels);
  Outcome a{whole.Feed(bytes.data(), bytes.size()), whole.Complete(), {}};
  bool fed = true;
  for (std::uint8_t byte : bytes) fed = fed && bytewise.Feed(&byte, 1);
  Outcome b{fed, bytewise.Complete(), {}};
  if (a.fed && a.complete) a.pixels = whole.Take();
  if (b.fed && b.complete) b.pixels = bytewise.Take();
  return {a, b};
}

TEST(LzwDecoder, AcceptsCodeSizesOneToEight)
{
  for (const auto& [size, valid] : {std::pair{0, false}, {1, true}, {2, true}, {8, true}, {9, false}, {12, false}})
    EXPECT_EQ(LzwDecoder(size, 1).Valid(), valid) << size;
}

TEST(LzwDecoder, DecodesAndRefusesCodeStreams)
{
  // With a code size of 2: colours 0-3, clear 4, end 5, the table from 6, codes of 3 bits first.
  struct Case {
    const char* what;
    int codeSize;
    std::size_t pixels;
    std::vector<Code> codes;
    Outcome expected;
  };
  const Case cases[] = {
      {"colours", 2, 2, {{4, 3}, {1, 3}, {2, 3}, {5, 3}}, {true, true, {1, 2}}},
      {"no clear first", 2, 2, {{1, 3}, {2, 3}}, {true, true, {1, 2}}},
      {"a code from the table", 2, 4, {{4, 3}, {1, 3}, {2, 3}, {6, 3}}, {true, true, {1, 2, 1, 2}}},
      {"the code being defined", 2, 3, {{4, 3}, {1, 3}, {6, 3}}, {true, true, {1, 1, 1}}},
      {"a string cut at the image's end", 2, 3, {{4, 3}, {1, 3}, {2, 3}, {6, 3}}, {true, true, {1, 2, 1}}},
      {"nothing after the last pixel is read", 2, 1, {{4, 3}, {3, 3}, {7, 3}}, {true, true, {3}}},
      {"a code past the table", 2, 3, {{4, 3}, {1, 3}, {7, 3}}, {false, false, {}}},
      {"a table code first", 2, 2, {{4, 3}, {6, 3}}, {false, false, {}}},
      {"a table code first in the stream", 2, 2, {{6, 3}}, {false, false, {}}},
      {"a clear empties the table", 2, 4, {{4, 3}, {1, 3}, {2, 3}, {4, 3}, {6, 3}}, {false, false, {}}},
      {"the end before the last pixel", 2, 3, {{4, 3}, {1, 3}, {5, 3}, {2, 3}}, {true, false, {}}},
      {"the data ends before the last pixel", 2, 3, {{4, 3}, {1, 3}}, {true, false, {}}},
      // Code 8 makes the next definition need 4 bits: the codes widen after the third.
      {"codes widen to 4 bits",
       2,
       6,
       {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {7, 4}, {5, 4}},
       {true, true, {0, 1, 2, 3, 1, 2}}},
      // One bit: clear 2, end 3, the table from 4, which already needs 3 bits after the first code.
      {"one-bit colours", 1, 3, {{2, 2}, {1, 2}, {0, 3}, {4, 3}, {3, 3}}, {true, true, {1, 0, 1}}},
      // Eight bits: clear 256, end 257, codes of 9 bits.
      {"eight-bit colours", 8, 3, {{256, 9}, {255, 9}, {0, 9}, {258, 9}, {257, 9}}, {true, true, {255, 0, 255}}},
  };
  for (const Case& c : cases) {
    const auto [whole, bytewise] = Decode(c.codeSize, c.pixels, c.codes);
    EXPECT_EQ(whole, c.expected) << c.what;
    EXPECT_EQ(bytewise, c.expected) << c.what << ", one byte at a time";
  }
}

TEST(LzwDecoder, AFullTableStaysAtTwelveBitsAndDefinesNoMore)
{
  // Code size 2, colour 0 again and again: each code after the first defines one, from 6 to 4095.
  // The widths the format gives: 3 codes of 3 bits, then 2^(w-1) codes of w bits up to 11, then 12.
  std::vector<Code> codes{{4, 3}};
  const std::pair<unsigned, unsigned> widths[] = {{3, 3},   {4, 8},   {5, 16},   {6, 32},   {7, 64},
                                                  {8, 128}, {9, 256}, {10, 512}, {11, 1024}};
  for (const auto& [bits, count] : widths) codes.insert(codes.end(), count, Code{0, bits});
  const std::size_t colours = codes.size() - 1;              // 2043, defining 6 to 2047
  while (codes.size() - 1 < 4091) codes.push_back({0, 12});  // up to 4095, the last code there is
  // 4095 is "0 0"; with the table full nothing more is defined and the codes stay 12 bits wide.
  codes.insert(codes.end(), {{4095, 12}, {4095, 12}});
  const std::size_t pixels = 4091 + 2 + 2;
  ASSERT_EQ(colours, 2043u);
  const auto [whole, bytewise] = Decode(2, pixels, codes);
  EXPECT_EQ(whole, (Outcome{true, true, std::vector<std::uint8_t>(pixels, 0)}));
  EXPECT_EQ(bytewise, whole);
}

}  // namespace
}  // namespace korvel
