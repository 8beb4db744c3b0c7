// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The card table's window, without the toolkit: its picture controls, the three records of the game
// (Deck, PileSuit, DragCard) and the handlers that the controls' events are bound to.

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "cardfiles/CardPictures.h"
#include "deck/Card.h"
#include "deck/ReplayedDeal.h"
#include "deck/Shuffle.h"
#include "table/Background.h"
#include "table/PictureControls.h"

namespace korvel {

// Which rule a drop would break.
enum class DropRefusal : std::uint8_t {
  None,               // none: the card may land there
  NotATarget,         // the control has no drop handler: only columns and foundations take a card
  OnTheWaste,         // nothing is laid on the waste's card
  NotNextLowerOther,  // a column card takes the other colour, one rank lower
  NotAKing,           // an empty column takes a king
  NotAnAce,           // an empty foundation takes an ace
  NotNextOfSuit,      // a foundation takes the next card of its suit
};

class frmSolitaire;

// One row per event handler: bound by name, the control set's name, "_" and the event's name.
struct EventBinding {
  const char* Name;
  ControlSet Set;
  ControlEvent Event;
  void (*Call)(frmSolitaire& form, const ControlEventArgs& args);
};

// A QObject only for what it tells: a deal, which more than one part of the program follows.
class frmSolitaire : public QObject {
  Q_OBJECT

 public:
  // `programFolder` is the folder the executable runs from; card pictures are read from its `cards`.
  explicit frmSolitaire(std::string programFolder);

  static std::span<const EventBinding> EventBindings();

  // --- The game's records ---
  DeckArray Deck;
  std::array<std::string, FoundationCount> PileSuit;
  std::int16_t DragCard = 0;

  // Visits the run of `first`: the card, then each card laid on it through their links, with its
  // place in the run (0 for `first`). Links always go one rank down, so a run holds at most 13
  // cards; the bound only guards the walk.
  template <class Visit>
  void ForEachInRun(std::int16_t first, Visit&& visit) const
  {
    std::int16_t slot = first;
    for (int k = 0; k < DeckSize; ++k) {
      visit(slot, k);
      const Card& card = Deck[static_cast<std::size_t>(slot)];
      if (card.HasNext != True16) return;
      slot = card.NextCard;
    }
  }

  // --- Picture controls ---
  PictureControl& imgPile(int index) { return Get(ControlSet::imgPile, index); }
  PictureControl& imgBack(int index) { return Get(ControlSet::imgBack, index); }
  PictureControl& imgKingMove(int index) { return Get(ControlSet::imgKingMove, index); }
  PictureControl& imgSuitPile(int index) { return Get(ControlSet::imgSuitPile, index); }
  PictureControl& imgEnd() { return Get(ControlSet::imgEnd, 0); }
  ControlSurface& Controls() { return surface_; }
  const ControlSurface& Controls() const { return surface_; }

  // Every deal from now on lays out `codes` (slot by slot) instead of a shuffle.
  void ReplayDeal(const DealCodes& codes) { replayed_ = codes; }

  // --- Handlers; a picture that cannot be read throws PictureError ---
  void Form_Load();
  void TopCardsOn();
  void mnuGameDeal_Click();
  void imgBack_Click(std::int16_t Index);
  void imgEnd_Click();
  void imgPile_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
  void imgPile_DragDrop(std::int16_t Index, const PictureControl* Source, float X, float Y);
  void imgSuitPile_DragDrop(std::int16_t Index, const PictureControl* Source, float X, float Y);
  void imgKingMove_DragDrop(std::int16_t Index, const PictureControl* Source, float X, float Y);
  void BadDrop();
  // Why the drop of card `card` on `target` would be refused, or None where it would land: the
  // one question the drop handlers ask before they move anything, and that whoever tells the
  // player why a drop was refused asks too. It changes nothing.
  DropRefusal RefusalOf(std::int16_t card, const PictureControl& target) const;

  // --- Events from outside: run a handler; an unreadable picture ends the game ---
  // Runs `handler` unless the game has already failed. A PictureError stops it, marks the game
  // failed (every later event is ignored) and is passed to OnPictureError.
  template <class Handler>
  void RunHandler(Handler&& handler)
  {
    // A template, not std::function: every pointer move comes through here.
    if (failed_) return;
    try {
      handler();
    } catch (const PictureError& error) {
      Fail(error);
    }
  }
  bool Failed() const { return failed_; }
  // The card files as the start-up has just read them: the next deal takes its pictures from there
  // rather than reading the files again.
  void UseStartUpReads(StartUpCardReads reads);

  // Reports an unreadable picture and ends the program; replaceable so tests can watch it.
  std::function<void(const PictureError&)> OnPictureError;

  // Pointer input in twips, as the table's view receives it.
  void PointerMove(float x, float y, std::int16_t buttons, std::int16_t shift = 0);
  void PointerPress(float x, float y, std::int16_t button = LeftButton, std::int16_t shift = 0);
  void PointerRelease(float x, float y, std::int16_t button = LeftButton, std::int16_t shift = 0);

  // --- The window's surroundings ---
  const std::string& ProgramFolder() const { return folder_; }
  // The width of the whole screen in twips, read afresh each time the background is painted.
  void SetScreenWidth(std::function<float()> source) { screenWidth_ = std::move(source); }
  void SetScreenWidth(float twips)
  {
    screenWidth_ = [twips] { return twips; };
  }
  void SetClientSize(float widthTwips, float heightTwips);
  float ClientWidth() const { return clientWidth_; }
  float ClientHeight() const { return clientHeight_; }
  // Device pixels per pixel of the screen the table is shown on (1 until told). Above 1 the card
  // pictures are read at twice their size where such files exist, the stored card back changes at
  // once, and the next background is painted per device row; no position or size changes.
  void SetPixelRatio(double ratio);
  double PixelRatio() const { return pixelRatio_; }

  // The persistent background: the gradient covers the screen width and the client height of the
  // moment it was painted, at the pixel ratio of that moment.
  const Background& PaintedBackground() const { return background_; }

 signals:
  // After every deal (each run of Form_Load): what follows the table starts afresh there.
  void dealt();

 private:
  PictureControl& Get(ControlSet set, int index) { return surface_.Get(set, static_cast<std::int16_t>(index)); }
  void Fail(const PictureError& error);
  void PaintBackground();
  QImage ReadPicture(const std::string& path);
  void DetachFromCardUnder(std::int16_t slot);
  void MoveRun(std::int16_t first, float left, float top, bool bringToFront);
  void Uncover(std::int16_t slot);

  std::string folder_;
  ControlSurface surface_;
  ClockRandom random_;
  std::optional<DealCodes> replayed_;
  bool failed_ = false;
  std::optional<StartUpCardReads> startUpReads_;
  std::function<float()> screenWidth_;
  float clientWidth_;
  float clientHeight_;
  double pixelRatio_ = 1;
  Background background_;
};

}  // namespace korvel
