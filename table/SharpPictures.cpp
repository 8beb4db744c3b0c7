// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/SharpPictures.h"

#include <cstdio>
#include <unordered_set>

#include "table/CardPictures.h"

namespace korvel {

namespace {

// Twice-size files already found bad in this run.
std::unordered_set<std::string>& BadTwiceSizeFiles()
{
  static std::unordered_set<std::string> bad;
  return bad;
}

void ReportBad(const std::string& path, const std::string& reason)
{
  BadTwiceSizeFiles().insert(path);
  std::fprintf(stderr, "Korvel Solitaire : %s : %s ; l'image normale est utilisée à sa place.\n", path.c_str(),
               reason.c_str());
}

}  // namespace

int PictureScale(double devicePixelRatio) { return devicePixelRatio > 1.0 ? 2 : 1; }

std::string TwiceSizePath(const std::string& path)
{
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  std::string twice = path;
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    twice += "@2x";
  else
    twice.insert(dot, "@2x");
  return twice;
}

QImage LoadCardPictureAt(const std::string& path, int scale)
{
  // The normal file keeps its every check, and gives the size the twice-size one must have.
  QImage picture = LoadCardPicture(path);
  if (scale < 2) return picture;
  const std::string twicePath = TwiceSizePath(path);
  if (BadTwiceSizeFiles().contains(twicePath)) return picture;
  try {
    QImage twice = LoadCardPicture(twicePath);
    if (twice.size() != picture.size() * 2) {
      ReportBad(twicePath, "dimensions invalides (" + std::to_string(picture.width() * 2) + " x " +
                               std::to_string(picture.height() * 2) + " attendues)");
      return picture;
    }
    twice.setDevicePixelRatio(2);
    return twice;
  } catch (const PictureError& error) {
    if (error.Bad().Reason != MissingPictureReason) ReportBad(twicePath, error.Bad().Reason);
    return picture;
  }
}

QImage BuiltInPicture(const QString& resource, int scale)
{
  if (scale >= 2) {
    QImage twice(QString::fromStdString(TwiceSizePath(resource.toStdString())));
    if (!twice.isNull()) {
      // Qt marks an "@2x" name itself, unless told not to by QT_HIGHDPI_DISABLE_2X_IMAGE_LOADING.
      twice.setDevicePixelRatio(2);
      return twice;
    }
  }
  return QImage(resource);
}

}  // namespace korvel
