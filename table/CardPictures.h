// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Reading the card pictures from the `cards` folder. The files come from outside the program, so
// every read is checked: a regular file of bounded size, dimensions before decoding, and a complete
// file (up to its trailer).

#include <QImage>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// Largest picture side accepted; a card is 73 x 97, so this leaves room for any real card set.
inline constexpr int MaxPictureSide = 1024;
// Largest file read into memory.
inline constexpr long MaxPictureFileBytes = 8L * 1024 * 1024;

// The reason given for a file that is not there (an optional picture may be absent).
inline constexpr const char* MissingPictureReason = "fichier introuvable";

struct BadPicture {
  std::string File;
  std::string Reason;  // French, for the player
};

class PictureError : public std::runtime_error {
 public:
  explicit PictureError(BadPicture bad);
  const BadPicture& Bad() const { return bad_; }

 private:
  BadPicture bad_;
};

// Decodes the first frame of a GIF into premultiplied ARGB; throws PictureError.
QImage LoadCardPicture(const std::string& path);

// A card picture read for `scale` (see PictureScale). The file at `path` is always read first, with
// every check and error of LoadCardPicture. At scale 2 its "@2x" file is returned instead when it is
// readable and exactly twice the size, marked with a devicePixelRatio of 2; a missing one is passed
// over silently, and an unreadable or wrongly sized one is named on standard error, once in a run,
// and not read again.
QImage LoadCardPictureAt(const std::string& path, int scale);

// Reads and decodes one file as LoadCardPicture does, keeping only why it failed.
std::optional<BadPicture> CheckCardPicture(const std::string& path);

// The start-up check: all 53 files read and decoded completely, every bad one reported.
std::vector<BadPicture> CheckCardPictures(std::string_view programFolder);

// The French message that names every unreadable file.
std::string PictureErrorText(const std::vector<BadPicture>& bad);

}  // namespace korvel
