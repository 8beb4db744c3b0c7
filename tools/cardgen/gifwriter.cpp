// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "gifwriter.h"

#include "palette.h"

#include <gif_lib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace korvel::cardgen {

namespace {

// GIF colour tables hold a power of two entries, 2 at the least.
int tableSize(int colours)
{
  int size = 2;
  while (size < colours) size *= 2;
  return size;
}

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::unique_ptr<ColorMapObject, MapDeleter> colourMap(const QImage& indexed)
{
  const QList<QRgb> table = indexed.colorTable();
  std::vector<GifColorType> colours(size_t(tableSize(int(table.size()))), GifColorType{0, 0, 0});
  for (int i = 0; i < int(table.size()); ++i)
    colours[size_t(i)] = {GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])), GifByteType(qBlue(table[i]))};
  return std::unique_ptr<ColorMapObject, MapDeleter>(GifMakeMapObject(int(colours.size()), colours.data()));
}

QString gifError(int code)
{
  const char* text = GifErrorString(code);
  return text ? QString::fromLatin1(text) : QStringLiteral("giflib error %1").arg(code);
}

bool writeFrame(GifFileType* gif, const QImage& indexed, ColorMapObject* map)
{
  const int w = indexed.width();
  const int h = indexed.height();
  const int clear = transparentIndex(indexed);
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, w, h, 8, clear >= 0 ? clear : 0, map) == GIF_ERROR) return false;

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSAL_UNSPECIFIED;
  control.UserInputFlag = false;
  control.DelayTime = 0;
  control.TransparentColor = clear >= 0 ? clear : NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR) return false;

  if (EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_ERROR) return false;
  std::vector<GifPixelType> row(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    const uchar* src = indexed.constScanLine(y);
    row.assign(src, src + w);
    if (EGifPutLine(gif, row.data(), w) == GIF_ERROR) return false;
  }
  return true;
}

}  // namespace

bool writeGif(const QImage& image, const QString& path, QString* error)
{
  const QImage indexed = toIndexed(image, 255);
  auto map = colourMap(indexed);
  if (!map) {
    *error = QStringLiteral("%1: cannot build a colour map").arg(path);
    return false;
  }

  // giflib would create the file readable by its owner only; the cards are read by whoever plays.
  const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ::fchmod(fd, 0644) != 0) {
    *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    if (fd >= 0) ::close(fd);
    return false;
  }
  int code = 0;
  GifFileType* gif = EGifOpenFileHandle(fd, &code);
  if (!gif) {
    ::close(fd);
    *error = QStringLiteral("%1: %2").arg(path, gifError(code));
    return false;
  }
  const bool written = writeFrame(gif, indexed, map.get());
  const int frameError = gif->Error;
  if (EGifCloseFile(gif, &code) == GIF_ERROR || !written) {
    *error = QStringLiteral("%1: %2").arg(path, gifError(written ? code : frameError));
    return false;
  }
  return true;
}

}  // namespace korvel::cardgen
