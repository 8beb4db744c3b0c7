// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The game's French for a screen reader, in one place: the cards' and places' names and their
// agreement, what is said after a key (what else changed, or why nothing did), the reasons of a
// refusal and the table's summary.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "places/TableKeyboard.h"
#include "places/TablePlaces.h"

namespace korvel {

class frmSolitaire;

// "Talon", "Défausse", "Fondation 2", "Colonne 3".
std::string PlaceTitle(int place);

// The place's name as a screen reader says it: "Talon, 23 cartes", "Défausse : Sept de pique",
// "Fondation 2 vide", "Colonne 3 : Valet de cœur, Dame de trèfle, 2 cartes cachées". A held card is
// said as held; a column whose cursor stands on a stop above its last says that first ("Dame de
// trèfle, avec 1 carte ; colonne 3 : ...").
std::string PlaceName(const TablePlaces& places, int place, std::optional<std::int16_t> held = std::nullopt,
                      const PictureControl* cursor = nullptr);

// "Valet de cœur".
std::string CardName(const Card& card);
// A word that agrees with the card, the queen being feminine: "tenu", "tenue"; "reposé", "reposée".
std::string Agreeing(const Card& card, const char* word);
// The card with its word for being held: "Valet de cœur, tenu", "Dame de pique, tenue".
std::string HeldCardName(const Card& card);
// The card with its article: "le Six de cœur", "la Dame de pique".
std::string NamedWithArticle(const Card& card);

using PlaceNames = std::array<std::string, PlaceCount>;

// The 13 places' names as a screen reader hears them, the held card said as held.
PlaceNames NamesOf(const TablePlaces& places, std::optional<std::int16_t> held);

// One key as the player heard it: what it did, the card held before it and where that card lay,
// and the places' names before and after.
struct KeyReport {
  KeyResult Result = KeyResult::None;
  int Place = StockPlace;                  // the cursor's place after the key
  std::optional<std::int16_t> HeldBefore;  // the card held when the key came
  int HeldPlace = -1;                      // where that card lay
  const PictureControl* Target = nullptr;  // with a card held, what the cursor stood on: a put's target
  PlaceNames Before, After;
  bool Won = false;     // the key put the last card on its foundation
  std::string Summary;  // for KeyResult::Summary, the table as TableSummary says it
  std::string Reason;   // for KeyResult::Refused, the rule the put broke (RefusalReason)
};
std::string KeyAnnouncement(const frmSolitaire& form, const KeyReport& report, std::optional<std::int16_t> heldNow);

// What a braille display shows of a place after a key: what the key changed (`said`, which is
// spoken after the name), then the place's name, so that what changed is in the first cells:
// "Défausse : Dame de trèfle. Talon, 23 cartes". The name alone when nothing else changed.
std::string BrailleLine(const std::string& name, const std::string& said);

// The whole table in one utterance, kept short: "Talon : 20 cartes. Défausse : Sept de pique,
// 4 cartes. Fondations : As de cœur, vide, vide, Deux de trèfle. Colonne 1 : Roi de pique à Neuf de
// cœur, 5 cartes. Colonne 2 : 1 cachée, Dix de trèfle. ..."
std::string TableSummary(const TablePlaces& places, const frmSolitaire& form);

// Why the put of `card` on control `target` (none: over nothing) is refused, from the rule the
// drop handlers ask about (frmSolitaire::RefusalOf): « il faut une carte rouge, un rang
// au-dessus », « seul un roi va sur une colonne vide », « seul un as ouvre une fondation », « il
// faut le Six de cœur »; nothing where the rules would take it.
std::string RefusalReason(const TablePlaces& places, const frmSolitaire& form, std::int16_t card,
                          const PictureControl* target);

// "Huit de pique, tenu, avec Sept de cœur et Six de pique": the held card and the cards it takes.
std::string HeldAnnouncement(const frmSolitaire& form, std::int16_t held);

// Said last when a key has put the game's last card on its foundation.
inline constexpr const char* WonAnnouncement = "Partie gagnée";

// Said after the place's name for Escape with no card held.
inline constexpr const char* NothingHeldAnnouncement = "Aucune carte tenue";

// Said after the place's name once a new deal has put the cursor on the stock.
inline constexpr const char* NewDealAnnouncement = "Nouvelle donne";

}  // namespace korvel
