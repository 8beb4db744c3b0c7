// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "cardfiles/CardFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cardfiles/PictureError.h"

namespace korvel {

namespace {

int Open(const std::string& path)
{
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    FailPicture(path, errno == ENOENT || errno == ENOTDIR ? PictureReason::Missing : PictureReason::Unreadable);
  return fd;
}

}  // namespace

CardFile::CardFile(const std::string& path) : fd_(Open(path))
{
  struct stat st = {};
  const char* refusal = nullptr;
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
    refusal = PictureReason::Unreadable;
  else if (st.st_size > MaxPictureFileBytes)
    refusal = PictureReason::TooBig;
  if (refusal != nullptr) {
    ::close(fd_);  // the destructor does not run for a constructor that throws
    FailPicture(path, refusal);
  }
}

CardFile::~CardFile() { ::close(fd_); }

std::size_t CardFile::Read(unsigned char* out, std::size_t wanted)
{
  std::size_t given = 0;
  while (given < wanted) {
    if (pos_ == end_ && !Refill()) {
      ranShort_ = true;
      break;
    }
    const std::size_t n = std::min(wanted - given, end_ - pos_);
    std::memcpy(out + given, buffer_.data() + pos_, n);
    pos_ += n;
    given += n;
  }
  return given;
}

bool CardFile::StartsLikeGif()
{
  if (pos_ == end_) Refill();
  const std::size_t n = std::min<std::size_t>(end_ - pos_, 6);
  const unsigned char* start = buffer_.data() + pos_;
  return std::memcmp(start, "GIF87a", n) == 0 || std::memcmp(start, "GIF89a", n) == 0;
}

const char* CardFile::ShortReason() const { return readError_ ? PictureReason::Unreadable : PictureReason::Truncated; }

bool CardFile::Refill()
{
  const std::size_t room = static_cast<std::size_t>(MaxPictureFileBytes) - total_;
  for (;;) {
    if (room == 0) return false;
    const ssize_t n = ::read(fd_, buffer_.data(), std::min(buffer_.size(), room));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) readError_ = true;
    if (n <= 0) return false;
    pos_ = 0;
    end_ = static_cast<std::size_t>(n);
    total_ += end_;
    return true;
  }
}

}  // namespace korvel
