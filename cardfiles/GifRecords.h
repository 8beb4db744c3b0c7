// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The walk over a GIF file's records up to its first image: the screen, the extensions before the
// image (the transparent colour), the image's descriptor, palette and pixels. Only the first image
// is shown, so the walk stops there: what follows it cannot change the picture.

#include <QRgb>

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// Largest picture side accepted; a card is 73 x 97, so this leaves room for any real card set.
inline constexpr int MaxPictureSide = 1024;

// The first image's pixels as colour indices, with their palette.
struct Frame0 {
  int screenWidth = 0, screenHeight = 0;  // the picture's size
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // width x height, rows in order
  std::vector<QRgb> palette;
  int transparent = -1;
};

// Reads the file at `path` up to the end of its first image; throws PictureError.
Frame0 ReadFirstFrame(const std::string& path);

}  // namespace korvel
