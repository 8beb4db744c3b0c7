// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Pictures for high-density screens. Beside a picture may lie a version of twice its size named
// "<name>@2x.<ext>", Qt's own convention. On a screen of more than one device pixel per pixel it
// is read instead, marked with a devicePixelRatio of 2, and drawn at the normal picture's place
// and size: what the table measures in pixels and twips never changes.

#include <QImage>
#include <QString>

#include <string>

namespace korvel {

// The scale pictures are read at for a screen of `devicePixelRatio`: 2 above a ratio of 1 (a
// ratio of 1.5 draws the twice-size picture scaled down rather than the normal one scaled up).
int PictureScale(double devicePixelRatio);

// The twice-size version's name: "cards/Ks.gif" -> "cards/Ks@2x.gif".
std::string TwiceSizePath(const std::string& path);

// A card picture read for `scale`. The file at `path` is always read first, with every check and
// error of LoadCardPicture. At scale 2 its "@2x" file is returned instead when it is readable and
// exactly twice the size; a missing one is passed over silently, and an unreadable or wrongly
// sized one is named on standard error, once in a run, and not read again.
QImage LoadCardPictureAt(const std::string& path, int scale);

// A picture built into the program (":/korvel/back.jpg"), from its "@2x" resource at scale 2.
QImage BuiltInPicture(const QString& resource, int scale);

}  // namespace korvel
