// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// A deal given as text instead of shuffled, so that a known game can be played again: by a test
// that plays a whole game through the real program, or to replay a game someone reports.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "deck/Card.h"

namespace korvel {

// The environment variable that holds such a deal.
inline constexpr const char* ReplayedDealVariable = "KORVEL_SOLITAIRE_DEAL";

using DealCodes = std::array<std::string, DeckSize>;

// The 52 card codes of `text`, slot by slot ("7cAh..."), or none unless it names each card once.
std::optional<DealCodes> ReadDeal(std::string_view text);

}  // namespace korvel
