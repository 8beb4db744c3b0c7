// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// A card file opened for reading. The files come from outside the program: the open never blocks
// (a FIFO in `cards/` would otherwise hold the start forever), only a regular file within the size
// limit is read, and never more than the limit, so a file that grows while it is read costs no
// more than one of the limit's size. Memory stays at the buffer whatever the file holds.

#include <array>
#include <cstddef>
#include <string>

namespace korvel {

// Largest file read into memory.
inline constexpr long MaxPictureFileBytes = 8L * 1024 * 1024;

class CardFile {
 public:
  // Throws PictureError: missing, unreadable, not a regular file, or too big.
  explicit CardFile(const std::string& path);
  ~CardFile();
  CardFile(const CardFile&) = delete;
  CardFile& operator=(const CardFile&) = delete;

  // Copies up to `wanted` bytes to `out`; fewer only where the file ended or could not be read.
  std::size_t Read(unsigned char* out, std::size_t wanted);
  // The file's first bytes agree with a GIF signature as far as they go (giflib would call a short
  // file of any content cut short).
  bool StartsLikeGif();
  // Whether a read ever asked for more than was there to give.
  bool RanShort() const { return ranShort_; }
  // Why a read ran short: the file could not be read, or its bytes ended.
  const char* ShortReason() const;

 private:
  bool Refill();

  int fd_;
  std::array<unsigned char, 16 * 1024> buffer_;
  std::size_t pos_ = 0, end_ = 0, total_ = 0;
  bool readError_ = false;
  bool ranShort_ = false;
};

}  // namespace korvel
