// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Reading the card pictures from the `cards` folder. The files come from outside the program, so
// every read is checked: a regular file of bounded size, dimensions before decoding, and a complete
// first image (all a card shows).

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cardfiles/GifRecords.h"
#include "cardfiles/PictureError.h"

namespace korvel {

// Decodes the first image of a GIF into premultiplied ARGB; throws PictureError.
QImage LoadCardPicture(const std::string& path);

// A card picture read for `scale` (see PictureScale). The file at `path` is always read first, with
// every check and error of LoadCardPicture. At scale 2 its "@2x" file is returned instead when it is
// readable and exactly twice the size, marked with a devicePixelRatio of 2; a missing one is passed
// over silently, and an unreadable or wrongly sized one is named on standard error, once in a run,
// and not read again.
// `read`, when given, is the normal file's picture as already read (see StartUpCardReads).
QImage LoadCardPictureAt(const std::string& path, int scale, QImage read = {});

// Reads and decodes one file as LoadCardPicture does, keeping only why it failed.
std::optional<BadPicture> CheckCardPicture(const std::string& path);

// The 53 card files as the start-up reads them, each once and completely: every bad one named, the
// good ones kept decoded (as colour indices, a few kilobytes each) so that the first deal need
// not read them again. Plain reading without the toolkit, so it may run on a thread of its own
// while Qt connects to the display.
class StartUpCardReads {
 public:
  StartUpCardReads();
  ~StartUpCardReads();
  StartUpCardReads(StartUpCardReads&&) noexcept;
  StartUpCardReads& operator=(StartUpCardReads&&) noexcept;

  const std::string& Folder() const { return folder_; }
  const std::vector<BadPicture>& Bad() const { return bad_; }
  // The picture of the file at `path` as read at start-up, handed out once; null for a file not
  // read then, or already handed out.
  QImage Take(const std::string& path);

 private:
  friend StartUpCardReads ReadCardFiles(std::string_view programFolder);
  struct Decoded;
  std::string folder_;
  std::vector<BadPicture> bad_;
  std::unordered_map<std::string, std::unique_ptr<Decoded>> decoded_;
};
StartUpCardReads ReadCardFiles(std::string_view programFolder);

// The French message that names every unreadable file.
std::string PictureErrorText(const std::vector<BadPicture>& bad);

}  // namespace korvel
