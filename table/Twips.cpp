// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/Twips.h"

#include <cmath>

namespace korvel {

std::int16_t WholeTwips(float value) { return static_cast<std::int16_t>(std::nearbyint(value)); }

}  // namespace korvel
