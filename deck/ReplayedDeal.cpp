// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "deck/ReplayedDeal.h"

#include <algorithm>

namespace korvel {

std::optional<DealCodes> ReadDeal(std::string_view text)
{
  if (text.size() != 2 * DeckSize) return std::nullopt;
  DealCodes codes;
  std::array<bool, DeckSize> seen{};
  for (int slot = 0; slot < DeckSize; ++slot) {
    const std::string_view code = text.substr(static_cast<std::size_t>(2 * slot), 2);
    // The deck's own codes, in their order before the shuffle: each names one card.
    int card = 0;
    while (card < DeckSize && InitialCard(card).Code != code) ++card;
    if (card == DeckSize || seen[static_cast<std::size_t>(card)]) return std::nullopt;
    seen[static_cast<std::size_t>(card)] = true;
    codes[static_cast<std::size_t>(slot)] = std::string(code);
  }
  return codes;
}

}  // namespace korvel
