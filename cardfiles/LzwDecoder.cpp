// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "cardfiles/LzwDecoder.h"

#include <cstring>

namespace korvel {

// Every string in the table is a string already written followed by one more byte, so each code is
// copied from where its string was last written rather than walked back link by link.
LzwDecoder::LzwDecoder(int minimumCodeSize, std::size_t pixels)
    : valid_(minimumCodeSize >= 1 && minimumCodeSize <= 8),
      clear_(valid_ ? 1u << minimumCodeSize : 0),
      firstWidth_(static_cast<unsigned>(minimumCodeSize) + 1),
      count_(pixels),
      // A string is at most 4096 long: room past the end lets the last one be written whole.
      out_(pixels + MaxCodes)
{
  Clear();
}

bool LzwDecoder::Feed(const std::uint8_t* bytes, std::size_t n)
{
  for (std::size_t i = 0; i < n && !done_; ++i) {
    bits_ |= static_cast<std::uint32_t>(bytes[i]) << held_;
    held_ += 8;
    while (held_ >= width_ && !done_) {
      const unsigned code = bits_ & ((1u << width_) - 1);
      bits_ >>= width_;
      held_ -= width_;
      if (!Code(code)) return false;
    }
  }
  return true;
}

std::vector<std::uint8_t> LzwDecoder::Take()
{
  out_.resize(count_);
  return std::move(out_);
}

void LzwDecoder::Clear()
{
  width_ = firstWidth_;
  next_ = clear_ + 2;
  previousLength_ = 0;
}

bool LzwDecoder::Code(unsigned code)
{
  if (code == clear_) {
    Clear();
    return true;
  }
  if (code == clear_ + 1) {
    done_ = true;
    return true;
  }
  std::uint8_t* at = out_.data() + written_;
  const std::size_t previousStart = written_ - previousLength_;
  std::size_t length = 1;
  if (code < clear_) {
    *at = static_cast<std::uint8_t>(code);
  } else if (previousLength_ == 0) {
    return false;  // the first code after a clear can only be a colour
  } else if (code < next_) {
    length = length_[code];
    std::memcpy(at, out_.data() + start_[code], length);
  } else if (code == next_) {
    // The string being defined: the previous one, just written, and its own first byte again.
    length = previousLength_ + 1;
    std::memcpy(at, out_.data() + previousStart, previousLength_);
    at[previousLength_] = out_[previousStart];
  } else {
    return false;
  }
  // The previous string and this one's first byte: both lie at the previous string's place.
  if (previousLength_ != 0 && next_ < MaxCodes) {
    start_[next_] = static_cast<std::uint32_t>(previousStart);
    length_[next_] = static_cast<std::uint16_t>(previousLength_ + 1);
    ++next_;
  }
  // Codes widen once the next one to define no longer fits; with a one-bit code size that is
  // already so after the first code.
  if (next_ >= (1u << width_) && width_ < 12) ++width_;
  written_ += length;
  previousLength_ = length;
  if (written_ >= count_) done_ = true;
  return true;
}

}  // namespace korvel
