// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// A GIF image's LZW data, decoded block by block as the blocks come. The data comes from outside
// the program: a code the table cannot hold, or a first code after a clear that is not a colour,
// is refused, and nothing is ever written past the image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvel {

class LzwDecoder {
 public:
  // `minimumCodeSize` as the image gives it (1 to 8 bits are valid), for an image of `pixels` pixels.
  LzwDecoder(int minimumCodeSize, std::size_t pixels);

  bool Valid() const { return valid_; }
  // Every pixel has its colour; what comes after (the end code, padding) is not looked at.
  bool Complete() const { return written_ >= count_; }

  // Decodes a block of compressed bytes; false where the data makes no sense.
  bool Feed(const std::uint8_t* bytes, std::size_t n);

  // The pixels' colour indices; call once, after the last block.
  std::vector<std::uint8_t> Take();

  static constexpr unsigned MaxCodes = 4096;

 private:
  void Clear();
  bool Code(unsigned code);

  bool valid_;
  unsigned clear_;
  unsigned firstWidth_;
  std::size_t count_;
  std::vector<std::uint8_t> out_;
  std::size_t written_ = 0;
  bool done_ = false;
  std::uint32_t bits_ = 0;
  unsigned held_ = 0;
  unsigned width_ = 0, next_ = 0;
  std::size_t previousLength_ = 0;  // 0 before the first code and after a clear
  std::array<std::uint32_t, MaxCodes> start_{};
  std::array<std::uint16_t, MaxCodes> length_{};
};

}  // namespace korvel
