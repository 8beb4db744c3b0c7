// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "cardfiles/GifRecords.h"

#include <gif_lib.h>

#include <cstring>
#include <memory>

#include "cardfiles/CardFile.h"
#include "cardfiles/LzwDecoder.h"
#include "cardfiles/PictureError.h"

namespace korvel {

namespace {

bool SaneSize(int width, int height)
{
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

// Some writers leave the screen size at zero; the first frame then gives the picture its size.
bool SaneScreen(int width, int height) { return (width == 0 && height == 0) || SaneSize(width, height); }

struct GifCloser {
  void operator()(GifFileType* gif) const
  {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// giflib's input.
int ReadFromCardFile(GifFileType* gif, GifByteType* out, int wanted)
{
  return static_cast<int>(static_cast<CardFile*>(gif->UserData)->Read(out, static_cast<std::size_t>(wanted)));
}

class GifReader {
 public:
  explicit GifReader(std::string path) : path_(std::move(path)), file_(path_)
  {
    if (!file_.StartsLikeGif()) Fail(PictureReason::NotGif);
    int error = 0;
    gif_.reset(DGifOpen(&file_, &ReadFromCardFile, &error));
    if (!gif_) Fail(error == D_GIF_ERR_NOT_GIF_FILE ? PictureReason::NotGif : file_.ShortReason());
    if (!SaneScreen(gif_->SWidth, gif_->SHeight)) Fail(PictureReason::BadSize);
  }

  Frame0 FirstFrame()
  {
    Frame0 frame;
    int transparent = -1;
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (DGifGetRecordType(gif_.get(), &type) == GIF_ERROR) Fail(Failure());
      if (type == IMAGE_DESC_RECORD_TYPE) break;
      // A trailer, or no record of any known kind, before any image.
      if (type != EXTENSION_RECORD_TYPE) Fail(PictureReason::Corrupt);
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR) Fail(Failure());
      if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
        transparent = (block[1] & 0x01) != 0 ? block[4] : -1;
      while (block != nullptr)
        if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR) Fail(Failure());
    }
    ReadDescriptor(frame, transparent);
    ReadPixels(frame);
    // A screen left at 0 x 0 takes the size of what the first frame covers.
    const bool noScreen = gif_->SWidth == 0;
    frame.screenWidth = noScreen ? frame.left + frame.width : gif_->SWidth;
    frame.screenHeight = noScreen ? frame.top + frame.height : gif_->SHeight;
    return frame;
  }

 private:
  [[noreturn]] void Fail(const char* reason) const { FailPicture(path_, reason); }

  // Why giflib stopped: bytes that ran short, or data that makes no sense (codes the compressed
  // image cannot hold, a record of no known kind). Its error code tells neither: it calls an
  // impossible code size a failed read, though every byte was there, and sets no error at all when
  // the code size itself is missing. A read that ran short is the file's end.
  const char* Failure() const { return file_.RanShort() ? file_.ShortReason() : PictureReason::Corrupt; }

  void ReadDescriptor(Frame0& frame, int transparent) const
  {
    if (DGifGetImageDesc(gif_.get()) == GIF_ERROR) Fail(Failure());
    const GifImageDesc& desc = gif_->Image;
    if (!SaneSize(desc.Width, desc.Height)) Fail(PictureReason::BadSize);
    if (gif_->SWidth == 0 && !SaneSize(desc.Left + desc.Width, desc.Top + desc.Height)) Fail(PictureReason::BadSize);
    frame.left = desc.Left;
    frame.top = desc.Top;
    frame.width = desc.Width;
    frame.height = desc.Height;
    frame.transparent = transparent;
    const ColorMapObject* colours = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
    if (colours == nullptr) Fail(PictureReason::Corrupt);
    for (int i = 0; i < colours->ColorCount; ++i) {
      const GifColorType& c = colours->Colors[i];
      frame.palette.push_back(qRgb(c.Red, c.Green, c.Blue));
    }
  }

  // giflib's own decoder walks each code's whole chain back for every code it reads, and took most
  // of the start-up's card check: the compressed blocks are read through giflib and decoded here,
  // up to the image's last block, so that an image cut short is refused.
  void ReadPixels(Frame0& frame) const
  {
    const std::size_t count = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif_.get(), &codeSize, &block) == GIF_ERROR) Fail(Failure());
    LzwDecoder lzw(codeSize, count);
    if (!lzw.Valid()) Fail(PictureReason::Corrupt);
    while (block != nullptr) {
      if (!lzw.Feed(block + 1, block[0])) Fail(PictureReason::Corrupt);
      if (DGifGetCodeNext(gif_.get(), &block) == GIF_ERROR) Fail(Failure());
    }
    // The blocks ended, or the end code came, before every pixel had its colour.
    if (!lzw.Complete()) Fail(PictureReason::Corrupt);
    std::vector<std::uint8_t> pixels = lzw.Take();
    if (!gif_->Image.Interlace) {
      frame.pixels = std::move(pixels);
      return;
    }
    // Interlaced rows come in four passes: every 8th row from 0, every 8th from 4, every 4th from 2,
    // every 2nd from 1.
    frame.pixels.resize(count);
    constexpr int start[] = {0, 4, 2, 1};
    constexpr int step[] = {8, 8, 4, 2};
    const std::uint8_t* in = pixels.data();
    for (int pass = 0; pass < 4; ++pass)
      for (int row = start[pass]; row < frame.height; row += step[pass], in += frame.width)
        std::memcpy(frame.pixels.data() + static_cast<std::size_t>(row) * frame.width, in, frame.width);
  }

  std::string path_;
  CardFile file_;
  std::unique_ptr<GifFileType, GifCloser> gif_;
};

}  // namespace

Frame0 ReadFirstFrame(const std::string& path) { return GifReader(path).FirstFrame(); }

}  // namespace korvel
