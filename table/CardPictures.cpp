// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/CardPictures.h"

#include <gif_lib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "table/Card.h"

namespace korvel {

PictureError::PictureError(BadPicture bad)
    : std::runtime_error(bad.File + " : " + bad.Reason), bad_(std::move(bad))
{
}

namespace {

constexpr const char* kMissing = "fichier introuvable";
constexpr const char* kUnreadable = "fichier illisible";
constexpr const char* kNotGif = "ce n'est pas une image GIF";
constexpr const char* kTooBig = "fichier trop volumineux";
constexpr const char* kBadSize = "dimensions invalides";
constexpr const char* kTruncated = "image incomplète";
constexpr const char* kCorrupt = "image endommagée";

[[noreturn]] void Fail(const std::string& path, const char* reason)
{
  throw PictureError({path, reason});
}

const char* OpenFailure(int error) { return error == ENOENT || error == ENOTDIR ? kMissing : kUnreadable; }

bool SaneSize(int width, int height)
{
  return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide;
}

// Some writers leave the screen size at zero; the first frame then gives the picture its size.
bool SaneScreen(int width, int height)
{
  return (width == 0 && height == 0) || SaneSize(width, height);
}

class FileHandle {
 public:
  explicit FileHandle(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~FileHandle()
  {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Reads up to `size` bytes; fewer only at the end of the file.
bool ReadFully(int fd, unsigned char* buffer, std::size_t size, std::size_t& got)
{
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, buffer + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path)
{
  FileHandle file(path);
  if (file.fd() < 0) Fail(path, OpenFailure(errno));
  struct stat st {};
  if (::fstat(file.fd(), &st) != 0 || !S_ISREG(st.st_mode)) Fail(path, kUnreadable);
  if (st.st_size > MaxPictureFileBytes) Fail(path, kTooBig);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  if (!ReadFully(file.fd(), bytes.data(), bytes.size(), got)) Fail(path, kUnreadable);
  bytes.resize(got);
  return bytes;
}

struct MemoryReader {
  const unsigned char* data;
  std::size_t size;
  std::size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted)
{
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const std::size_t n = std::min(static_cast<std::size_t>(wanted), reader->size - reader->pos);
  std::memcpy(out, reader->data + reader->pos, n);
  reader->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const
  {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// The first frame's pixels as colour indices, with what is needed to colour them.
struct Frame0 {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<GifPixelType> pixels;
  const ColorMapObject* colours = nullptr;
  int transparent = -1;
};

void ReadFramePixels(GifFileType* gif, Frame0& frame, const std::string& path)
{
  const GifImageDesc& desc = gif->Image;
  frame.pixels.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
  auto readRow = [&](int row) {
    if (DGifGetLine(gif, frame.pixels.data() + static_cast<std::size_t>(row) * frame.width,
                    frame.width) == GIF_ERROR)
      Fail(path, kTruncated);
  };
  if (desc.Interlace) {
    constexpr int start[] = {0, 4, 2, 1};
    constexpr int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int row = start[pass]; row < frame.height; row += step[pass]) readRow(row);
  } else {
    for (int row = 0; row < frame.height; ++row) readRow(row);
  }
}

void SkipFramePixels(GifFileType* gif, const std::string& path)
{
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) Fail(path, kTruncated);
  while (block != nullptr)
    if (DGifGetCodeNext(gif, &block) == GIF_ERROR) Fail(path, kTruncated);
}

QImage Colour(const GifFileType* gif, const Frame0& frame)
{
  const bool noScreen = gif->SWidth == 0;
  const int width = noScreen ? frame.left + frame.width : gif->SWidth;
  const int height = noScreen ? frame.top + frame.height : gif->SHeight;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const int count = frame.colours->ColorCount;
  const GifColorType* palette = frame.colours->Colors;
  const int x0 = std::max(frame.left, 0);
  const int x1 = std::min(frame.left + frame.width, width);
  const int y1 = std::min(frame.top + frame.height, height);
  for (int y = std::max(frame.top, 0); y < y1; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const GifPixelType* src = frame.pixels.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
    for (int x = x0; x < x1; ++x) {
      const int index = src[x - frame.left];
      if (index == frame.transparent || index >= count) continue;
      const GifColorType& c = palette[index];
      line[x] = qRgb(c.Red, c.Green, c.Blue);
    }
  }
  return image;
}

}  // namespace

QImage LoadCardPicture(const std::string& path)
{
  const std::vector<unsigned char> bytes = ReadWholeFile(path);
  MemoryReader reader{bytes.data(), bytes.size(), 0};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &error));
  if (!gif) Fail(path, error == D_GIF_ERR_NOT_GIF_FILE ? kNotGif : kTruncated);
  if (!SaneScreen(gif->SWidth, gif->SHeight)) Fail(path, kBadSize);

  Frame0 frame;
  bool haveFrame = false;
  int pendingTransparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) Fail(path, kTruncated);
    if (type == TERMINATE_RECORD_TYPE) break;
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif.get()) == GIF_ERROR) Fail(path, kTruncated);
      const GifImageDesc& desc = gif->Image;
      if (!SaneSize(desc.Width, desc.Height)) Fail(path, kBadSize);
      if (gif->SWidth == 0 && !SaneSize(desc.Left + desc.Width, desc.Top + desc.Height)) Fail(path, kBadSize);
      if (haveFrame) {
        SkipFramePixels(gif.get(), path);  // later frames only have to be complete
        continue;
      }
      frame.left = desc.Left;
      frame.top = desc.Top;
      frame.width = desc.Width;
      frame.height = desc.Height;
      frame.colours = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
      frame.transparent = pendingTransparent;
      if (frame.colours == nullptr) Fail(path, kCorrupt);
      ReadFramePixels(gif.get(), frame, path);
      haveFrame = true;
    } else if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) Fail(path, kTruncated);
      if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4 && !haveFrame)
        pendingTransparent = (block[1] & 0x01) != 0 ? block[4] : -1;
      while (block != nullptr)
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) Fail(path, kTruncated);
    } else {
      Fail(path, kCorrupt);
    }
  }
  if (!haveFrame) Fail(path, kCorrupt);
  return Colour(gif.get(), frame);
}

std::vector<BadPicture> CheckCardPictures(std::string_view programFolder)
{
  std::vector<BadPicture> bad;
  std::string path(programFolder);
  path += "/cards/";
  const std::size_t folderLength = path.size();
  for (const std::string& name : CardPictureNames()) {
    path.resize(folderLength);
    path += name;
    FileHandle file(path);
    if (file.fd() < 0) {
      bad.push_back({path, OpenFailure(errno)});
      continue;
    }
    unsigned char header[10];
    std::size_t got = 0;
    if (!ReadFully(file.fd(), header, sizeof header, got)) {
      bad.push_back({path, kUnreadable});
    } else if (got < sizeof header || (std::memcmp(header, "GIF87a", 6) != 0 &&
                                       std::memcmp(header, "GIF89a", 6) != 0)) {
      bad.push_back({path, kNotGif});
    } else if (!SaneScreen(header[6] | header[7] << 8, header[8] | header[9] << 8)) {
      bad.push_back({path, kBadSize});
    }
  }
  return bad;
}

std::string PictureErrorText(const std::vector<BadPicture>& bad)
{
  // A missing folder makes all 53 files bad: name a dozen, count the rest.
  constexpr std::size_t kListed = 12;
  std::string text = bad.size() == 1 ? "Impossible de lire l'image de carte suivante :\n\n"
                                     : "Impossible de lire les images de cartes suivantes :\n\n";
  for (std::size_t i = 0; i < bad.size() && i < kListed; ++i)
    text += bad[i].File + " : " + bad[i].Reason + "\n";
  if (bad.size() > kListed)
    text += "... et " + std::to_string(bad.size() - kListed) + " autres fichiers.\n";
  text += "\nLe jeu Korvel Solitaire doit se fermer.";
  return text;
}

}  // namespace korvel
