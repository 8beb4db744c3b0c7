// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The pictures built into the program (":/korvel/..."), read for the screen they are shown on: a
// twice-size version beside a picture (see deck/PictureScale.h) is read instead on a
// high-density screen, marked with a devicePixelRatio of 2.

#include <QIcon>
#include <QImage>
#include <QString>

#include <string_view>

#include "deck/PictureScale.h"

namespace korvel {

// The program's icon, for every window and the application; its larger drawings lie beside it.
inline constexpr std::string_view ProgramIconFile = "icon.png";

// The resource of a built-in picture file: "back.jpg" -> ":/korvel/back.jpg".
QString BuiltInResource(std::string_view file);

// A built-in picture (":/korvel/logo.jpg"), from its "@2x" resource at scale 2.
QImage BuiltInPicture(const QString& resource, int scale);

// Reads the built-in pictures every start shows (the window icon, the card back and the menu
// pictures, for a screen of `scale`), which BuiltInPicture then hands out without reading them
// again. Only pictures are read, so it may run on a thread of its own once the application object
// exists, while the main thread does other work.
void ReadStartUpPictures(int scale);

// The card back stored with the table, at `scale`; each scale is read once, when first wanted.
// It is a JPEG, so it has no alpha channel: nothing behind a back ever shows through.
const QImage& CardBackPicture(int scale = 1);

// The icon in the PNG `resource` together with its larger drawings beside it ("icon-48.png" and
// "icon-64.png" for "icon.png"): a normal screen still shows the 32 x 32 drawing, a high-density
// one a sharp icon. Needs the application object (it makes pixmaps).
QIcon WindowIcon(const QString& resource);

}  // namespace korvel
