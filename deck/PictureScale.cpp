// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "deck/PictureScale.h"

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

}  // namespace korvel
