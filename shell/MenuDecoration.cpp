// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/MenuDecoration.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QStyleOptionMenuItem>

#include <algorithm>

#include "assets/BuiltInPictures.h"

namespace korvel {

QImage ClearColour(const QImage& image, RgbColour colour)
{
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = qRgb(colour.Red, colour.Green, colour.Blue);
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((row[x] & RGB_MASK) == (key & RGB_MASK)) row[x] = 0;
  }
  return out;
}

QImage MenuPicture(const MenuBitmap& bitmap, int scale)
{
  return ClearColour(BuiltInPicture(BuiltInResource(bitmap.File), scale), bitmap.Transparent);
}

QIcon MenuIcon(std::string_view item, int scale)
{
  QIcon icon;
  const MenuBitmap* bitmap = MenuBitmapOf(item);
  if (bitmap == nullptr) return icon;
  icon.addPixmap(QPixmap::fromImage(MenuPicture(*bitmap)));
  // Kept beside the normal one: the icon picks by the density of the screen it is drawn on.
  if (scale > 1) icon.addPixmap(QPixmap::fromImage(MenuPicture(*bitmap, scale)));
  return icon;
}

QFont DesignFont(const char* family, double points)
{
  // Verdana and Tahoma are rarely installed outside Windows; DejaVu Sans is Debian's own wide
  // humanist sans and keeps the text's measure close to theirs.
  QFont font;
  font.setFamilies(
      {QString::fromUtf8(family), QStringLiteral("Verdana"), QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

QFont MenuFont() { return DesignFont("Tahoma", 8.25); }

MenuPictureStyle::MenuPictureStyle() : QProxyStyle(QApplication::style()->name()) {}

int MenuPictureStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
  const int base = QProxyStyle::pixelMetric(metric, option, widget);
  const auto* menu = qobject_cast<const QMenu*>(widget);
  if (metric != PM_SmallIconSize || menu == nullptr) return base;
  // Drawing an item, the style asks its icon for a pixmap of this size and centres what it gets.
  // Asked for its own size, an icon gives its picture as it is, at any device pixel ratio (asked
  // for more above a ratio of 1, Qt would enlarge it).
  if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
      item != nullptr && !item->icon.isNull()) {
    const QSize own = item->icon.actualSize(QSize(256, 256));
    return std::max(own.width(), own.height());
  }
  // Laying out the menu: the icon column is as wide as its largest picture.
  int size = 0;
  for (const QAction* action : menu->actions()) {
    if (action->icon().isNull()) continue;
    const QSize own = action->icon().actualSize(QSize(256, 256));
    size = std::max({size, own.width(), own.height()});
  }
  return size > 0 ? size : base;
}

QSize MenuPictureStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                         const QWidget* widget) const
{
  QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
  if (type != CT_MenuItem) return result;
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (item == nullptr || item->icon.isNull()) return result;
  constexpr int Room = 2;
  result.setHeight(std::max(result.height(), item->icon.actualSize(QSize(256, 256)).height() + 2 * Room));
  return result;
}

}  // namespace korvel
