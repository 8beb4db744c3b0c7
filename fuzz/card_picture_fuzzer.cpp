// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// libFuzzer target for the one input the game does not control: a file in `cards/`. The bytes are
// written to a file and read the way the game reads a card: the start-up check, then the read
// that play does.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "table/CardPictures.h"

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
        image.format() != QImage::Format_ARGB32_Premultiplied)
      std::abort();
  } catch (const korvel::PictureError& error) {
    if (good || error.Bad().File != CardPath() || error.Bad().Reason.empty()) std::abort();
  }
  return 0;
}
