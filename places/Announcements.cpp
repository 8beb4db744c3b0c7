// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/Announcements.h"

#include "table/frmSolitaire.h"

namespace korvel {

namespace {

const Card& CardAt(const frmSolitaire& form, std::int16_t slot) { return form.Deck[static_cast<std::size_t>(slot)]; }

// Where a card lies, after a verb: "en colonne 4", "sur la défausse".
std::string Where(int place)
{
  if (place == WastePlace) return "sur la défausse";
  if (IsColumnPlace(place)) return "en colonne " + std::to_string(place - FirstColumnPlace + 1);
  return "à sa place";
}

}  // namespace

PlaceNames NamesOf(const TablePlaces& places, std::optional<std::int16_t> held)
{
  PlaceNames names;
  for (int place = 0; place < PlaceCount; ++place) names[static_cast<std::size_t>(place)] = places.Name(place, held);
  return names;
}

std::string HeldAnnouncement(const frmSolitaire& form, std::int16_t held)
{
  std::string text = HeldCardName(CardAt(form, held));
  // The cards laid on it go with it, as they do with the mouse.
  std::string run;
  std::int16_t slot = held;
  for (int k = 0; k < DeckSize && CardAt(form, slot).HasNext == True16; ++k) {
    const std::int16_t next = CardAt(form, slot).NextCard;
    const bool last = CardAt(form, next).HasNext != True16;
    run += run.empty() ? "" : last ? " et " : ", ";
    run += CardName(CardAt(form, next));
    slot = next;
  }
  if (!run.empty()) text += ", avec " + run;
  return text;
}

std::string KeyAnnouncement(const frmSolitaire& form, const KeyReport& report, std::optional<std::int16_t> heldNow)
{
  switch (report.Result) {
    case KeyResult::None: return {};
    case KeyResult::Moved:
    case KeyResult::Taken: return heldNow ? HeldAnnouncement(form, *heldNow) : std::string();
    case KeyResult::OutOfReach: return "Hors de la fenêtre";
    case KeyResult::NothingHeld: return NothingHeldAnnouncement;
    case KeyResult::Refused:
    case KeyResult::PutBack: {
      if (!report.HeldBefore) return {};
      const Card& card = CardAt(form, *report.HeldBefore);
      if (report.Result == KeyResult::Refused)
        return "Refusé : " + CardName(card) + " reste " + Where(report.HeldPlace);
      return CardName(card) + " " + Agreeing(card, "reposé") + " " + Where(report.HeldPlace);
    }
    case KeyResult::Acted:
    case KeyResult::Dropped: break;
  }
  // What else the act changed, in the names of the places it changed.
  std::string text;
  for (int place = 0; place < PlaceCount; ++place) {
    const std::size_t k = static_cast<std::size_t>(place);
    if (place == report.Place || report.Before[k] == report.After[k]) continue;
    if (!text.empty()) text += ". ";
    text += report.After[k];
  }
  if (report.Won) text += text.empty() ? WonAnnouncement : std::string(". ") + WonAnnouncement;
  return text;
}

}  // namespace korvel
