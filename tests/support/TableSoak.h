// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Random pointer input fed to the table the way its widget feeds it (pixel centres in twips, the
// window's size clipping the pointer), with every invariant of a sound table checked after each
// gesture. The suite runs it briefly; bench/soak runs it for millions of events.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "places/TableKeyboard.h"
#include "rules/MCardTest.h"
#include "table/Pixels.h"
#include "table/frmSolitaire.h"

namespace korvel::testing {

enum class Place { FaceDown, Waste, Column, Foundation };

// Where card `slot` is, read from its two pictures; none when they contradict each other.
inline std::optional<Place> PlaceOf(frmSolitaire& form, int slot)
{
  const PictureControl& back = form.imgBack(slot);
  const PictureControl& face = form.imgPile(slot);
  const bool faceDown = back.Visible() && !face.Visible();
  const bool waste =
      !back.Visible() && face.Visible() && slot >= TableauSize && face.Left() == WasteLeft && face.Top() == WasteTop;
  const bool column = !back.Visible() && face.Visible() && face.Top() >= KingRowTop;
  const bool foundation = !back.Visible() && !face.Visible() && face.Top() == OnFoundationTop;
  if (faceDown + waste + column + foundation != 1) return std::nullopt;
  return faceDown ? Place::FaceDown : waste ? Place::Waste : column ? Place::Column : Place::Foundation;
}

// Every invariant of a sound table; an empty string when all hold.
inline std::string CheckTable(frmSolitaire& form)
{
  std::ostringstream problems;
  std::set<std::string> codes;
  std::map<std::string, std::set<int>> played;
  std::set<int> linkedTo;
  for (int s = 0; s < DeckSize; ++s) {
    const Card& card = form.Deck[static_cast<std::size_t>(s)];
    if (CardFromCode(card.Code).Suit != card.Suit || CardFromCode(card.Code).Rank != card.Rank)
      problems << "slot " << s << " holds a corrupt card; ";
    codes.insert(card.Code);
    const auto place = PlaceOf(form, s);
    if (!place) problems << "card " << card.Code << " (slot " << s << ") is in no single place; ";
    if (place == Place::Foundation) played[card.Suit].insert(card.Rank);
    const PictureControl& face = form.imgPile(s);
    if (face.Visible() && (!face.Enabled() || face.Drag() != DragMode::Automatic))
      problems << "face-up card " << card.Code << " cannot be dragged; ";
    if (place == Place::Column && (static_cast<int>(face.Left()) - 240) % 1200 != 0)
      problems << "card " << card.Code << " lies between columns; ";
    int length = 1;
    for (int next = s; form.Deck[static_cast<std::size_t>(next)].HasNext == True16; ++length) {
      next = form.Deck[static_cast<std::size_t>(next)].NextCard;
      if (next < 0 || next >= DeckSize || length > 13) {
        problems << "the run from slot " << s << " does not end; ";
        break;
      }
    }
    // A linked card lies one fan step below the card it was laid on, and on no other card.
    if (card.HasNext == True16 && card.NextCard >= 0 && card.NextCard < DeckSize) {
      const PictureControl& over = form.imgPile(card.NextCard);
      if (!linkedTo.insert(card.NextCard).second) problems << "slot " << card.NextCard << " lies on two cards; ";
      if (over.Left() != face.Left() || over.Top() != face.Top() + FanStep || !over.Visible())
        problems << "slot " << card.NextCard << " is not where the card under it says; ";
    }
  }
  if (codes.size() != DeckSize) problems << "the deck holds " << codes.size() << " distinct cards; ";
  std::set<std::string> claimed;
  for (const std::string& suit : form.PileSuit)
    if (!suit.empty() && !claimed.insert(suit).second) problems << "two foundations claim " << suit << "; ";
  for (const auto& [suit, ranks] : played) {
    if (!claimed.contains(suit)) problems << suit << " is played to no claimed foundation; ";
    int expected = 1;
    for (int rank : ranks)
      if (rank != expected++) problems << suit << " foundation skips to rank " << rank << "; ";
  }
  return problems.str();
}

inline int CardsOnFoundations(frmSolitaire& form)
{
  int n = 0;
  for (int s = 0; s < DeckSize; ++s) n += PlaceOf(form, s) == Place::Foundation;
  return n;
}

struct SoakStats {
  long events = 0;     // pointer events, keys, deals and window resizes fed to the table
  long gestures = 0;   // each followed by a check of the whole table
  long changes = 0;    // gestures after which some card lay elsewhere
  int mostPlayed = 0;  // most cards on the foundations at once
};

class TableSoak {
 public:
  TableSoak(frmSolitaire& form, unsigned seed) : form_(form), keys_(form), random_(seed) {}

  // Feeds gestures until `events` events have gone in; the first broken invariant, or "".
  std::string Run(long events)
  {
    const long end = stats_.events + events;
    std::uint64_t before = Layout();
    while (stats_.events < end) {
      Gesture();
      ++stats_.gestures;
      if (form_.Failed()) return "a card picture could not be read";
      if (std::string problems = CheckTable(form_); !problems.empty())
        return problems + "(gesture " + std::to_string(stats_.gestures) + ")";
      const std::uint64_t after = Layout();
      stats_.changes += after != before;
      before = after;
      stats_.mostPlayed = std::max(stats_.mostPlayed, CardsOnFoundations(form_));
    }
    return {};
  }

  const SoakStats& Stats() const { return stats_; }

 private:
  using Point = std::pair<float, float>;

  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  // What the widget passes on: the centre of a pixel, in twips.
  static Point AtPixel(int x, int y) { return {PixelCentreTwips(x), PixelCentreTwips(y)}; }

  // Anywhere, inside the window or well outside it.
  Point AnyPoint() { return AtPixel(Pick(760) - 80, Pick(640) - 80); }

  // A point of a visible, enabled member of the set, often where a covered card still shows.
  Point OnSet(ControlSet set, int count)
  {
    std::vector<const PictureControl*> live;
    for (int i = 0; i < count; ++i) {
      const PictureControl& c = form_.Controls().Get(set, static_cast<std::int16_t>(i));
      if (c.Visible() && c.Enabled()) live.push_back(&c);
    }
    if (live.empty()) return AnyPoint();
    return On(*live[static_cast<std::size_t>(Pick(static_cast<int>(live.size())))]);
  }

  Point On(const PictureControl& c)
  {
    const PixelArea r = Pixels(c);
    const int height = Pick(2) == 0 ? std::min(r.height, FanStep / TwipsPerPixel) : r.height;
    return AtPixel(r.left + Pick(r.width), r.top + Pick(height));
  }

  struct PixelArea {
    int left, top, width, height;
  };
  static PixelArea Pixels(const PictureControl& c)
  {
    const QRect r = PixelRect(c.Rect());
    return {r.left(), r.top(), std::max(r.width(), 1), std::max(r.height(), 1)};
  }

  static int SuitTop(const std::string& suit)
  {
    const MCardTest::SuitTopsRecord& tops = MCardTest::SuitTops;
    return suit == "h" ? tops.Hearts : suit == "d" ? tops.Diamonds : suit == "s" ? tops.Spades : tops.Clubs;
  }

  // Where the rules would take a card: column cards it stacks on, its foundation, empty columns.
  std::vector<const PictureControl*> FittingTargets(int dragged)
  {
    const Card& card = form_.Deck[static_cast<std::size_t>(dragged)];
    std::vector<const PictureControl*> fits;
    for (int s = 0; s < DeckSize; ++s) {
      const Card& t = form_.Deck[static_cast<std::size_t>(s)];
      if (PlaceOf(form_, s) == Place::Column && MCardTest::CanStack(card.Suit, card.Rank, t.Suit, t.Rank) == True16)
        fits.push_back(&form_.imgPile(s));
    }
    for (int k = 0; k < FoundationCount; ++k) {
      const std::string& suit = form_.PileSuit[static_cast<std::size_t>(k)];
      if ((suit.empty() && card.Rank == 1) || (suit == card.Suit && card.Rank == SuitTop(suit) + 1))
        fits.push_back(&form_.imgSuitPile(k));
    }
    if (card.Rank == 13)
      for (int k = 0; k < ColumnCount; ++k)
        if (form_.imgKingMove(k).Enabled()) fits.push_back(&form_.imgKingMove(k));
    return fits;
  }

  // Most drags make a move a player would, so play goes deep into the game.
  std::optional<std::pair<Point, Point>> UsefulMove()
  {
    std::vector<std::pair<int, const PictureControl*>> moves;
    for (int s = 0; s < DeckSize; ++s) {
      const PictureControl& face = form_.imgPile(s);
      if (face.Visible() &&
          (face.Top() != WasteTop || form_.Controls().HitTest(face.Left() + 7, face.Top() + 7) == &face))
        for (const PictureControl* target : FittingTargets(s)) moves.emplace_back(s, target);
    }
    if (moves.empty()) return std::nullopt;
    // Like a player, most often play to a foundation when a card can go there.
    const auto home = std::partition(moves.begin(), moves.end(),
                                     [](const auto& m) { return m.second->BelongsTo() == ControlSet::imgSuitPile; });
    const int homeMoves = static_cast<int>(home - moves.begin());
    const int choices = homeMoves > 0 && Pick(4) != 0 ? homeMoves : static_cast<int>(moves.size());
    const auto [slot, target] = moves[static_cast<std::size_t>(Pick(choices))];
    return std::pair{On(form_.imgPile(slot)), On(*target)};
  }

  Point DropPoint()
  {
    switch (Pick(4)) {
      case 0: return OnSet(ControlSet::imgPile, DeckSize);
      case 1: return OnSet(ControlSet::imgSuitPile, FoundationCount);
      case 2: return OnSet(ControlSet::imgKingMove, ColumnCount);
      default: return AnyPoint();
    }
  }

  void Move(Point p, std::int16_t buttons)
  {
    ++stats_.events;
    form_.PointerMove(p.first, p.second, buttons);
  }
  void Press(Point p, std::int16_t button = LeftButton)
  {
    ++stats_.events;
    keys_.PointerPressed();  // as the widget tells the keyboard
    form_.PointerPress(p.first, p.second, button);
  }
  // A few keys: mostly a place to go to, then an act there (a take, a put, a turn).
  void Keys()
  {
    const std::span<const KeyBinding> map = KeyMap();
    for (int n = 1 + Pick(6); n > 0; --n) {
      ++stats_.events;
      const KeyCommand command = Pick(3) == 0
                                     ? KeyCommand{TableKey::Act}
                                     : map[static_cast<std::size_t>(Pick(static_cast<int>(map.size())))].Command;
      keys_.Press(command);
    }
  }
  void Release(Point p)
  {
    ++stats_.events;
    form_.PointerRelease(p.first, p.second, LeftButton);
  }
  void NewDeal()
  {
    ++stats_.events;
    form_.RunHandler([this] { form_.mnuGameDeal_Click(); });
  }

  void Gesture()
  {
    // The pointer wanders between gestures, as it does.
    for (int n = Pick(5); n > 0; --n) Move(AnyPoint(), 0);
    if (Pick(6) == 0) {  // the keyboard, taking and putting cards between mouse gestures
      Keys();
      return;
    }
    const int kind = Pick(100);
    if (kind < 45) {  // a drag of a face to somewhere, perhaps with a new deal on the way
      std::optional<std::pair<Point, Point>> move;
      if (Pick(4) != 0) move = UsefulMove();
      const Point from = move ? move->first : Pick(10) == 0 ? AnyPoint() : OnSet(ControlSet::imgPile, DeckSize);
      const Point to = move ? move->second : DropPoint();
      Move(from, 0);
      Press(from);
      const int steps = Pick(24);
      for (int n = 1; n <= steps; ++n)
        Move(Pick(8) == 0 ? AnyPoint()
                          : Point{from.first + (to.first - from.first) * n / steps,
                                  from.second + (to.second - from.second) * n / steps},
             LeftButton);
      if (Pick(300) == 0) NewDeal();
      Release(to);
    } else if (kind < 60) {  // a click on a back, mostly an uncovered column card's
      const Point at = OnSet(ControlSet::imgBack, Pick(4) == 0 ? DeckSize : TableauSize);
      Move(at, 0);
      Press(at);
      Release(Pick(8) == 0 ? AnyPoint() : at);
    } else if (kind < 75) {  // the stock or the empty-stock picture
      Press(AtPixel(40, 40));
      Release(AtPixel(40, 40));
    } else if (kind < 98) {  // a stray event: a press left unfinished, a lone release, any move
      switch (Pick(3)) {
        case 0: Move(AnyPoint(), static_cast<std::int16_t>(Pick(2))); break;
        case 1: Press(AnyPoint(), Pick(4) == 0 ? RightButton : LeftButton); break;
        default: Release(AnyPoint()); break;
      }
    } else if (kind < 99 || Pick(4) != 0) {  // the window resized, down to hiding most of the table
      ++stats_.events;
      form_.SetClientSize(static_cast<float>((60 + Pick(700)) * TwipsPerPixel),
                          static_cast<float>((40 + Pick(600)) * TwipsPerPixel));
    } else {
      NewDeal();
    }
  }

  // Where every card picture lies and whether it shows, folded into one number.
  std::uint64_t Layout()
  {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    for (int s = 0; s < DeckSize; ++s) {
      const PictureControl& face = form_.imgPile(s);
      mix(static_cast<std::uint64_t>(face.Left()) << 32 | static_cast<std::uint32_t>(face.Top()));
      mix(face.Visible() * 2u + form_.imgBack(s).Visible());
    }
    return h;
  }

  frmSolitaire& form_;
  TableKeyboard keys_;
  std::mt19937 random_;
  SoakStats stats_;
};

}  // namespace korvel::testing
