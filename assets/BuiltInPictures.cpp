// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "assets/BuiltInPictures.h"

#include <QFile>

namespace korvel {

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

QString BuiltInResource(std::string_view file)
{
  return QStringLiteral(":/korvel/") + QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
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

const QImage& CardBackPicture(int scale)
{
  // A normal screen never reads the twice-size one.
  if (scale >= 2) {
    static const QImage twice = BuiltInPicture(BuiltInResource("back.jpg"), 2);
    return twice;
  }
  static const QImage back = BuiltInPicture(BuiltInResource("back.jpg"), 1);
  return back;
}

QIcon WindowIcon(const QString& resource)
{
  QIcon icon(resource);
  const QString stem = resource.left(resource.lastIndexOf(QLatin1Char('.')));
  for (const int size : {48, 64}) {
    const QString larger = QStringLiteral("%1-%2.png").arg(stem).arg(size);
    if (QFile::exists(larger)) icon.addFile(larger, QSize(size, size));
  }
  return icon;
}

}  // namespace korvel
