// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "assets/BuiltInPictures.h"

#include <QFile>
#include <QPixmap>

#include <map>
#include <mutex>
#include <utility>

#include "assets/MenuBitmaps.h"

namespace korvel {

namespace {

constexpr std::string_view kCardBackFile = "back.jpg";

// The window icon's larger drawings beside its 32-pixel one: "icon-48.png" beside "icon.png".
constexpr int kWindowIconSizes[] = {48, 64};

QString LargerIcon(const QString& resource, int size)
{
  return QStringLiteral("%1-%2.png").arg(resource.left(resource.lastIndexOf(QLatin1Char('.')))).arg(size);
}

// What ReadStartUpPictures read, by resource and scale; it may be filled by another thread.
struct ReadPictures {
  std::mutex lock;
  std::map<std::pair<QString, int>, QImage> pictures;
};

ReadPictures& StartUpPictures()
{
  static ReadPictures read;
  return read;
}

QImage ReadBuiltInPicture(const QString& resource, int scale)
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

}  // namespace

QString BuiltInResource(std::string_view file)
{
  return QStringLiteral(":/korvel/") + QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

QImage BuiltInPicture(const QString& resource, int scale)
{
  {
    ReadPictures& read = StartUpPictures();
    const std::lock_guard<std::mutex> hold(read.lock);
    if (const auto it = read.pictures.find({resource, scale}); it != read.pictures.end()) return it->second;
  }
  return ReadBuiltInPicture(resource, scale);
}

void ReadStartUpPictures(int scale)
{
  std::vector<std::pair<QString, int>> wanted = {{BuiltInResource(ProgramIconFile), 1}};
  for (const int size : kWindowIconSizes) wanted.emplace_back(LargerIcon(wanted.front().first, size), 1);
  for (const int at : scale > 1 ? std::vector<int>{1, 2} : std::vector<int>{1}) {
    wanted.emplace_back(BuiltInResource(kCardBackFile), at);
    for (const MenuBitmap& bitmap : MenuBitmaps) wanted.emplace_back(BuiltInResource(bitmap.File), at);
  }
  for (const auto& [resource, at] : wanted) {
    QImage picture = ReadBuiltInPicture(resource, at);
    ReadPictures& read = StartUpPictures();
    const std::lock_guard<std::mutex> hold(read.lock);
    read.pictures.emplace(std::pair{resource, at}, std::move(picture));
  }
}

const QImage& CardBackPicture(int scale)
{
  // A normal screen never reads the twice-size one.
  if (scale >= 2) {
    static const QImage twice = BuiltInPicture(BuiltInResource(kCardBackFile), 2);
    return twice;
  }
  static const QImage back = BuiltInPicture(BuiltInResource(kCardBackFile), 1);
  return back;
}

QIcon WindowIcon(const QString& resource)
{
  // Made of the pictures themselves: an icon made of file names would look for icon plugins first.
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(BuiltInPicture(resource, 1)));
  for (const int size : kWindowIconSizes)
    if (const QString larger = LargerIcon(resource, size); QFile::exists(larger))
      icon.addPixmap(QPixmap::fromImage(BuiltInPicture(larger, 1)));
  return icon;
}

}  // namespace korvel
