// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// libFuzzer target for the one input the game does not control: a file in `cards/`. The bytes are
// written to a file and read the way the game reads a card: the start-up check, then the read
// that play does. A picture the game reads must show what giflib's own decoder makes of it.

#include <gif_lib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cardfiles/CardPictures.h"

namespace {

int CardFile()
{
  static const int fd = ::memfd_create("card.gif", MFD_CLOEXEC);
  return fd;
}

const std::string& CardPath()
{
  static const std::string path = "/proc/self/fd/" + std::to_string(CardFile());
  return path;
}

struct Bytes {
  const std::uint8_t* data;
  std::size_t size, at;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int wanted)
{
  auto* in = static_cast<Bytes*>(gif->UserData);
  const std::size_t n = std::min(static_cast<std::size_t>(wanted), in->size - in->at);
  std::memcpy(out, in->data + in->at, n);
  in->at += n;
  return static_cast<int>(n);
}

// The first frame as giflib decodes it, line by line, coloured as a card is: the frame's pixels
// from its palette, the transparent index and indices past the palette transparent. False where
// giflib stops; its decoder lets through some data the game refuses, so only a read both make is
// compared.
bool SameAsGiflib(const std::uint8_t* data, std::size_t size, const QImage& image)
{
  Bytes in{data, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&in, ReadBytes, &error);
  if (gif == nullptr) return true;
  bool same = true;
  int transparent = -1;
  for (GifRecordType type = UNDEFINED_RECORD_TYPE; DGifGetRecordType(gif, &type) == GIF_OK;) {
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) break;
      if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
        transparent = (block[1] & 1) != 0 ? block[4] : -1;
      while (block != nullptr && DGifGetExtensionNext(gif, &block) == GIF_OK) {
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) == GIF_ERROR) break;
    const GifImageDesc& d = gif->Image;
    const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
    constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    std::vector<int> rows;
    for (int pass = 0; pass < (d.Interlace ? 4 : 1); ++pass)
      for (int row = d.Interlace ? start[pass] : 0; row < d.Height; row += d.Interlace ? step[pass] : 1)
        rows.push_back(row);
    std::vector<GifPixelType> line(static_cast<std::size_t>(d.Width));
    for (int row : rows) {
      if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) break;
      for (int x = 0; x < d.Width; ++x) {
        if (d.Left + x >= image.width() || d.Top + row >= image.height()) continue;
        const int i = line[x];
        QRgb want = 0;
        if (map != nullptr && i < map->ColorCount && i != transparent)
          want = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
        same = same && image.pixel(d.Left + x, d.Top + row) == want;
      }
    }
    break;
  }
  DGifCloseFile(gif, &error);
  return same;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const int fd = CardFile();
  if (fd < 0 || ::ftruncate(fd, 0) != 0) std::abort();
  if (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

  const bool good = !korvel::CheckCardPicture(CardPath()).has_value();
  try {
    const QImage image = korvel::LoadCardPicture(CardPath());
    // A file read once reads the same way again, and what it gives fits the limits.
    if (!good || image.isNull() || image.width() > korvel::MaxPictureSide || image.height() > korvel::MaxPictureSide ||
        image.format() != QImage::Format_ARGB32_Premultiplied || !SameAsGiflib(data, size, image))
      std::abort();
  } catch (const korvel::PictureError& error) {
    if (good || error.Bad().File != CardPath() || error.Bad().Reason.empty()) std::abort();
  }
  return 0;
}
