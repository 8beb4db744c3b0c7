// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "cardfiles/CardPictures.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <unordered_set>

#include "Identity.h"
#include "deck/Card.h"
#include "deck/PictureScale.h"

namespace korvel {

namespace {

// The frame's colour indices turned into premultiplied ARGB pixels, transparent where it has none.
QImage ToPicture(const Frame0& frame, const std::string& path)
{
  QImage image(frame.screenWidth, frame.screenHeight, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) FailPicture(path, PictureReason::TooBig);
  // Every index's pixel, worked out once: opaque palette colours, transparent for the transparent
  // index and for indices past the palette.
  std::array<QRgb, 256> pixel{};
  for (std::size_t i = 0; i < frame.palette.size() && i < pixel.size(); ++i)
    if (static_cast<int>(i) != frame.transparent) pixel[i] = frame.palette[i];
  const int x1 = std::min(frame.left + frame.width, frame.screenWidth);
  const int y1 = std::min(frame.top + frame.height, frame.screenHeight);
  // Only a frame that leaves part of the picture uncovered needs the rest made transparent.
  if (frame.left > 0 || frame.top > 0 || x1 < frame.screenWidth || y1 < frame.screenHeight) image.fill(Qt::transparent);
  for (int y = frame.top; y < y1; ++y) {
    QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y)) + frame.left;
    const std::uint8_t* src = frame.pixels.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
    for (int x = 0; x < x1 - frame.left; ++x) out[x] = pixel[src[x]];
  }
  return image;
}

}  // namespace

QImage LoadCardPicture(const std::string& path) { return ToPicture(ReadFirstFrame(path), path); }

namespace {

// Twice-size files already found bad in this run; pictures may be read on two threads at once.
std::mutex badTwiceSizeLock;
std::unordered_set<std::string>& BadTwiceSizeFiles()
{
  static std::unordered_set<std::string> bad;
  return bad;
}

bool KnownBadTwiceSize(const std::string& path)
{
  const std::lock_guard<std::mutex> hold(badTwiceSizeLock);
  return BadTwiceSizeFiles().contains(path);
}

void ReportBadTwiceSize(const std::string& path, const std::string& reason)
{
  const std::lock_guard<std::mutex> hold(badTwiceSizeLock);
  if (!BadTwiceSizeFiles().insert(path).second) return;
  std::fprintf(stderr, "%s : %s : %s ; l'image normale est utilisée à sa place.\n", ProductName, path.c_str(),
               reason.c_str());
}

}  // namespace

QImage LoadCardPictureAt(const std::string& path, int scale, QImage read)
{
  // The normal file keeps its every check, and gives the size the twice-size one must have.
  QImage picture = read.isNull() ? LoadCardPicture(path) : std::move(read);
  if (scale < 2) return picture;
  const std::string twicePath = TwiceSizePath(path);
  if (KnownBadTwiceSize(twicePath)) return picture;
  try {
    QImage twice = LoadCardPicture(twicePath);
    if (twice.size() != picture.size() * 2) {
      ReportBadTwiceSize(twicePath, "dimensions invalides (" + std::to_string(picture.width() * 2) + " x " +
                                        std::to_string(picture.height() * 2) + " attendues)");
      return picture;
    }
    twice.setDevicePixelRatio(2);
    return twice;
  } catch (const PictureError& error) {
    if (error.Bad().Reason != MissingPictureReason) ReportBadTwiceSize(twicePath, error.Bad().Reason);
    return picture;
  }
}

std::optional<BadPicture> CheckCardPicture(const std::string& path)
{
  try {
    ReadFirstFrame(path);  // what can fail; colouring only turns its indices into pixels
  } catch (const PictureError& error) {
    return error.Bad();
  }
  return std::nullopt;
}

struct StartUpCardReads::Decoded {
  Frame0 frame;
};

StartUpCardReads::StartUpCardReads() = default;
StartUpCardReads::~StartUpCardReads() = default;
StartUpCardReads::StartUpCardReads(StartUpCardReads&&) noexcept = default;
StartUpCardReads& StartUpCardReads::operator=(StartUpCardReads&&) noexcept = default;

QImage StartUpCardReads::Take(const std::string& path)
{
  const auto it = decoded_.find(path);
  if (it == decoded_.end()) return {};
  const std::unique_ptr<Decoded> decoded = std::move(it->second);
  decoded_.erase(it);
  return ToPicture(decoded->frame, path);
}

StartUpCardReads ReadCardFiles(std::string_view programFolder)
{
  StartUpCardReads reads;
  reads.folder_ = std::string(programFolder);
  std::string path(programFolder);
  path += "/cards/";
  const std::size_t folderLength = path.size();
  for (const std::string& name : CardPictureNames()) {
    path.resize(folderLength);
    path += name;
    try {
      auto decoded = std::make_unique<StartUpCardReads::Decoded>();
      decoded->frame = ReadFirstFrame(path);
      reads.decoded_.emplace(path, std::move(decoded));
    } catch (const PictureError& error) {
      reads.bad_.push_back(error.Bad());
    }
  }
  return reads;
}

std::string PictureErrorText(const std::vector<BadPicture>& bad)
{
  // A missing folder makes all 53 files bad: name a dozen, count the rest.
  constexpr std::size_t kListed = 12;
  std::string text = bad.size() == 1 ? "Impossible de lire l'image de carte suivante :\n\n"
                                     : "Impossible de lire les images de cartes suivantes :\n\n";
  for (std::size_t i = 0; i < bad.size() && i < kListed; ++i) text += bad[i].File + " : " + bad[i].Reason + "\n";
  if (const std::size_t more = bad.size() > kListed ? bad.size() - kListed : 0; more > 0)
    text += "... et " + std::to_string(more) + (more == 1 ? " autre fichier.\n" : " autres fichiers.\n");
  text += "\nLe jeu ";
  text += ProductName;
  text += " doit se fermer.";
  return text;
}

}  // namespace korvel
