// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// How the menus look: a picture beside eight items, each at its own size and see-through where it
// has its transparent colour, and the menu text in Tahoma 8.25 pt.

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QProxyStyle>

#include <string_view>

#include "assets/MenuBitmaps.h"

namespace korvel {

// The bitmap with its transparent colour cleared (alpha 0); at scale 2 its twice-size bitmap (see
// PictureScale).
QImage MenuPicture(const MenuBitmap& bitmap, int scale = 1);

// The icon of menu item `item`: its picture, and at scale 2 the twice-size one beside it; null for
// an item without a picture.
QIcon MenuIcon(std::string_view item, int scale);

// A copy of `image` in ARGB, fully transparent exactly where it has `colour`.
QImage ClearColour(const QImage& image, RgbColour colour);

// The menus' font: Tahoma 8.25 pt regular, else the nearest sans-serif installed.
QFont MenuFont();

// A font of the windows' designs at `points`, falling back to a close sans-serif where `family`
// is not installed.
QFont DesignFont(const char* family, double points);

// Gives a menu an icon column as wide as its largest picture and each item the height of its own,
// so no picture is scaled down to the style's small icon size or cut; every other measure is the
// application style's.
class MenuPictureStyle : public QProxyStyle {
  Q_OBJECT

 public:
  MenuPictureStyle();
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  // An item is at least as tall as its picture, with a little room above and below.
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
};

}  // namespace korvel
