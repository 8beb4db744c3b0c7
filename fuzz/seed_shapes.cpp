// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Writes the fuzzer's hand-made seeds: GIF shapes that real card sets may hold and that take the
// reader down its less common paths.
//   korvel_seed_shapes <outdir>

#include <gif_lib.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct Frame {
  int left, top, width, height;
  bool interlace;
  int colours;           // local table size, 0 for none
  int transparent = -1;  // graphics control extension when >= 0
};

int Write(GifFileType* gif, const GifByteType* data, int size)
{
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + size);
  return size;
}

ColorMapObject* Palette(int colours, int shift)
{
  std::vector<GifColorType> c(static_cast<std::size_t>(colours));
  for (int i = 0; i < colours; ++i)
    c[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(i * 37 + shift), static_cast<GifByteType>(i * 11),
                                      static_cast<GifByteType>(255 - i)};
  return GifMakeMapObject(colours, c.data());
}

// A GIF89a of the given screen (global table when `global` > 0) and frames.
Bytes Gif(int width, int height, int global, const std::vector<Frame>& frames, bool comment = false)
{
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, Write, &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* screen = global > 0 ? Palette(global, 0) : nullptr;
  EGifPutScreenDesc(gif, width, height, 8, 0, screen);
  if (comment) {
    EGifPutComment(gif, "Korvel");
    const unsigned char loop[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const unsigned char times[] = {1, 0, 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, sizeof loop, loop);
    EGifPutExtensionBlock(gif, sizeof times, times);
    EGifPutExtensionTrailer(gif);
  }
  int shift = 0;
  for (const Frame& f : frames) {
    if (f.transparent >= 0) {
      const unsigned char gce[4] = {0x05, 10, 0, static_cast<unsigned char>(f.transparent)};
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce);
    }
    ColorMapObject* local = f.colours > 0 ? Palette(f.colours, shift += 50) : nullptr;
    EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local);
    const int count = f.colours > 0 ? f.colours : (global > 0 ? global : 2);
    std::vector<GifPixelType> line(static_cast<std::size_t>(f.width));
    for (int y = 0; y < f.height; ++y) {
      for (int x = 0; x < f.width; ++x) line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((x + y) % count);
      EGifPutLine(gif, line.data(), f.width);
    }
    GifFreeMapObject(local);
  }
  GifFreeMapObject(screen);
  EGifCloseFile(gif, &error);
  return out;
}

void Save(const std::string& folder, const std::string& name, const Bytes& bytes)
{
  std::ofstream(folder + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <outdir>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  const Bytes plain = Gif(16, 20, 4, {{0, 0, 16, 20, false, 0, 3}});
  Save(out, "plain.gif", plain);
  Save(out, "interlaced.gif", Gif(13, 21, 8, {{0, 0, 13, 21, true, 0, 1}}));
  Save(out, "animated.gif",
       Gif(12, 12, 16, {{0, 0, 12, 12, false, 0, 0}, {2, 2, 8, 8, false, 0, 5}, {4, 4, 4, 4, true, 0}}, true));
  Save(out, "local-tables.gif", Gif(10, 10, 0, {{0, 0, 10, 10, false, 4, 2}, {0, 0, 10, 10, false, 16}}));
  Save(out, "no-screen.gif", Gif(0, 0, 2, {{3, 5, 7, 9, false, 0}}));
  Save(out, "frame-outside.gif", Gif(8, 8, 4, {{5, 6, 10, 10, false, 0}}));
  Save(out, "deep.gif", Gif(20, 20, 256, {{0, 0, 20, 20, true, 256, 255}}));
  std::vector<Frame> many(300, Frame{0, 0, 1, 1, false, 2});
  Save(out, "many-frames.gif", Gif(1, 1, 2, many));
  // Cut short: in the header, the colour table, the frame descriptor, the pixels, before the trailer.
  for (std::size_t cut :
       {std::size_t{5}, std::size_t{11}, std::size_t{16}, std::size_t{30}, plain.size() / 2, plain.size() - 1})
    Save(out, "cut-" + std::to_string(cut) + ".gif", Bytes(plain.begin(), plain.begin() + static_cast<long>(cut)));
  return 0;
}
