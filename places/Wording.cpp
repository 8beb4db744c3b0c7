// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/Wording.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "deck/CardCodes.h"
#include "rules/MCardTest.h"

#include "table/frmSolitaire.h"

namespace korvel {

namespace {

constexpr const char* kRankNames[] = {"As",   "Deux", "Trois", "Quatre", "Cinq", "Six", "Sept",
                                      "Huit", "Neuf", "Dix",   "Valet",  "Dame", "Roi"};

// In the order of the suit letters: diamonds, clubs, hearts, spades.
constexpr const char* kSuitNames[] = {"carreau", "trèfle", "cœur", "pique"};

const char* SuitName(const std::string& suit)
{
  const std::size_t k = suit.empty() ? std::string_view::npos : SuitLetters.find(suit[0]);
  return k < std::size(kSuitNames) ? kSuitNames[k] : "?";
}

const Card& CardAt(const frmSolitaire& form, std::int16_t slot) { return form.Deck[static_cast<std::size_t>(slot)]; }

// Where a card lies, after a verb: "en colonne 4", "sur la défausse".
std::string Where(int place)
{
  if (place == WastePlace) return "sur la défausse";
  if (IsColumnPlace(place)) return "en colonne " + std::to_string(place - FirstColumnPlace + 1);
  return "à sa place";
}

}  // namespace

std::string CardName(const Card& card)
{
  std::string name = card.Rank >= AceRank && card.Rank <= KingRank ? kRankNames[card.Rank - 1] : "?";
  name += " de ";
  name += SuitName(card.Suit);
  return name;
}

std::string Agreeing(const Card& card, const char* word)
{
  return std::string(word) + (card.Rank == QueenRank ? "e" : "");
}

std::string HeldCardName(const Card& card) { return CardName(card) + ", " + Agreeing(card, "tenu"); }

std::string NamedWithArticle(const Card& card) { return (card.Rank == QueenRank ? "la " : "le ") + CardName(card); }

std::string PlaceTitle(int place)
{
  if (place == StockPlace) return "Talon";
  if (place == WastePlace) return "Défausse";
  if (IsFoundationPlace(place)) return "Fondation " + std::to_string(place - FirstFoundationPlace + 1);
  return "Colonne " + std::to_string(place - FirstColumnPlace + 1);
}

std::string PlaceName(const TablePlaces& places, int place, std::optional<std::int16_t> held,
                      const PictureControl* cursor)
{
  std::string name = PlaceTitle(place);
  if (place == StockPlace) {
    if (places.StockCards() == 0) return name + " vide";
    return name + ", " + std::to_string(places.StockCards()) + (places.StockCards() == 1 ? " carte" : " cartes");
  }
  const frmSolitaire& form = places.Form();
  const auto card = [&form](std::int16_t slot) -> const Card& { return form.Deck[static_cast<std::size_t>(slot)]; };
  const auto named = [&card, held](std::int16_t slot) {
    return held == slot ? HeldCardName(card(slot)) : CardName(card(slot));
  };
  if (place == WastePlace) {
    if (!places.WasteFront()) return name + " vide";
    return name + " : " + named(*places.WasteFront());
  }
  if (IsFoundationPlace(place)) {
    const std::optional<std::int16_t> top = places.FoundationTop(place - FirstFoundationPlace);
    if (!top) return name + " vide";
    return name + " : " + CardName(card(*top));
  }
  const ColumnCards& cards = places.Column(place - FirstColumnPlace);
  if (cards.FaceDown.empty() && cards.FaceUp.empty()) return name + " vide";
  name += " : ";
  std::string items;
  const auto item = [&items](const std::string& text) {
    if (!items.empty()) items += ", ";
    items += text;
  };
  // From the front card back: the card a move asks about comes first, within the first 32 cells
  // of a braille line, then the faces under it, the hidden cards and the frame's strip.
  for (auto face = cards.FaceUp.end(); face != cards.FaceUp.begin();) item(named(*--face));
  const std::size_t hidden = cards.FaceDown.size();
  if (hidden > 0) item(std::to_string(hidden) + (hidden == 1 ? " carte cachée" : " cartes cachées"));
  if (cards.EmptyShows) item("emplacement vide");
  name += items;
  // The cursor on a stop above the last one acts there: what it stands on is said first, with the
  // cards a take there would carry, then the column.
  const StopList& stops = cards.Stops;
  if (cursor == nullptr || stops.empty() || cursor == stops.back().Control) return name;
  std::string at;
  if (cursor->BelongsTo() == ControlSet::imgPile) {
    at = named(cursor->Index());
    const auto it = std::find(cards.FaceUp.begin(), cards.FaceUp.end(), cursor->Index());
    if (const auto above = cards.FaceUp.end() - it - 1; it != cards.FaceUp.end() && above > 0)
      at += ", avec " + std::to_string(above) + (above == 1 ? " carte" : " cartes");
  } else {
    at = cursor->BelongsTo() == ControlSet::imgKingMove ? "emplacement vide" : "carte cachée";
  }
  name[0] = 'c';  // "colonne 4" after what the cursor stands on
  return at + " ; " + name;
}

PlaceNames NamesOf(const TablePlaces& places, std::optional<std::int16_t> held)
{
  PlaceNames names;
  for (int place = 0; place < PlaceCount; ++place)
    names[static_cast<std::size_t>(place)] = PlaceName(places, place, held);
  return names;
}

std::string BrailleLine(const std::string& name, const std::string& said)
{
  return said.empty() ? name : said + ". " + name;
}

std::string TableSummary(const TablePlaces& places, const frmSolitaire& form)
{
  const auto count = [](int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  const auto name = [&form](std::int16_t slot) { return CardName(CardAt(form, slot)); };
  std::string text =
      places.StockCards() == 0 ? "Talon vide" : "Talon : " + count(places.StockCards(), "carte", "cartes");
  if (const auto waste = places.WasteFront()) {
    text += ". Défausse : " + name(*waste);
    if (places.WasteCards() > 1) text += ", " + count(places.WasteCards(), "carte", "cartes");
  } else {
    text += ". Défausse vide";
  }
  std::string foundations;
  bool any = false;
  for (int k = 0; k < FoundationCount; ++k) {
    const auto top = places.FoundationTop(k);
    foundations += (k == 0 ? "" : ", ") + (top ? name(*top) : std::string("vide"));
    any = any || top.has_value();
  }
  text += any ? ". Fondations : " + foundations : std::string(". Fondations vides");
  for (int c = 0; c < ColumnCount; ++c) {
    const ColumnCards& column = places.Column(c);
    text += ". Colonne " + std::to_string(c + 1);
    const int hidden = static_cast<int>(column.FaceDown.size());
    const int shown = static_cast<int>(column.FaceUp.size());
    if (hidden == 0 && shown == 0) {
      text += " vide";
      continue;
    }
    text += " : ";
    if (hidden > 0) text += count(hidden, "cachée", "cachées") + (shown > 0 ? ", " : "");
    // A long run is said by its ends: the cards between follow in colour and rank.
    if (shown >= 3)
      text += name(column.FaceUp[0]) + " à " + name(column.FaceUp.back()) + ", " + count(shown, "carte", "cartes");
    else
      for (int k = 0; k < shown; ++k) text += (k == 0 ? "" : ", ") + name(column.FaceUp[static_cast<std::size_t>(k)]);
  }
  return text;
}

std::string RefusalReason(const TablePlaces& places, const frmSolitaire& form, std::int16_t card,
                          const PictureControl* target)
{
  switch (target != nullptr ? form.RefusalOf(card, *target) : DropRefusal::NotATarget) {
    case DropRefusal::None: return {};
    case DropRefusal::NotATarget:
    case DropRefusal::OnTheWaste: return "seules les colonnes et les fondations reçoivent une carte";
    case DropRefusal::NotNextLowerOther:
      return std::string("il faut une carte ") + (MCardTest::IsRed(CardAt(form, card).Suit) ? "noire" : "rouge") +
             ", un rang au-dessus";
    case DropRefusal::NotAKing: return "seul un roi va sur une colonne vide";
    case DropRefusal::NotAnAce: return "seul un as ouvre une fondation";
    case DropRefusal::NotNextOfSuit: {
      const auto top = places.FoundationTop(target->Index());
      if (!top) return "il faut une autre fondation";
      Card next = CardAt(form, *top);
      if (++next.Rank > KingRank) return "il faut une autre fondation";
      return "il faut " + NamedWithArticle(next);
    }
  }
  return {};
}

std::string HeldAnnouncement(const frmSolitaire& form, std::int16_t held)
{
  std::string text = HeldCardName(CardAt(form, held));
  // The cards laid on it go with it, as they do with the mouse.
  std::string run;
  form.ForEachInRun(held, [&form, &run](std::int16_t slot, int k) {
    if (k == 0) return;
    const Card& card = CardAt(form, slot);
    run += k == 1 ? "" : card.HasNext != True16 ? " et " : ", ";
    run += CardName(card);
  });
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
    case KeyResult::Summary: return report.Summary;
    case KeyResult::Refused:
    case KeyResult::PutBack: {
      if (!report.HeldBefore) return {};
      const Card& card = CardAt(form, *report.HeldBefore);
      if (report.Result == KeyResult::Refused)
        return "Refusé : " + CardName(card) + " reste " + Where(report.HeldPlace) +
               (report.Reason.empty() ? std::string() : " ; " + report.Reason);
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
