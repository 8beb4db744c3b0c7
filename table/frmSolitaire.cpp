// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/frmSolitaire.h"

#include <utility>

#include "assets/BuiltInPictures.h"
#include "deck/CardCodes.h"
#include "rules/MCardTest.h"
#include "table/TableDefinition.h"

namespace korvel {

namespace {

using MCardTest::CanPlayOnSuit;
using MCardTest::CanStack;
using MCardTest::CardBelow;
using MCardTest::IsKing;
using MCardTest::IsNextOfSuit;

constexpr EventBinding kBindings[] = {
    {"imgBack_Click", ControlSet::imgBack, ControlEvent::Click,
     [](frmSolitaire& f, const ControlEventArgs& e) { f.imgBack_Click(e.Index); }},
    {"imgEnd_Click", ControlSet::imgEnd, ControlEvent::Click,
     [](frmSolitaire& f, const ControlEventArgs&) { f.imgEnd_Click(); }},
    {"imgPile_MouseMove", ControlSet::imgPile, ControlEvent::MouseMove,
     [](frmSolitaire& f, const ControlEventArgs& e) { f.imgPile_MouseMove(e.Index, e.Button, e.Shift, e.X, e.Y); }},
    {"imgPile_DragDrop", ControlSet::imgPile, ControlEvent::DragDrop,
     [](frmSolitaire& f, const ControlEventArgs& e) { f.imgPile_DragDrop(e.Index, e.Source, e.X, e.Y); }},
    {"imgSuitPile_DragDrop", ControlSet::imgSuitPile, ControlEvent::DragDrop,
     [](frmSolitaire& f, const ControlEventArgs& e) { f.imgSuitPile_DragDrop(e.Index, e.Source, e.X, e.Y); }},
    {"imgKingMove_DragDrop", ControlSet::imgKingMove, ControlEvent::DragDrop,
     [](frmSolitaire& f, const ControlEventArgs& e) { f.imgKingMove_DragDrop(e.Index, e.Source, e.X, e.Y); }},
};

}  // namespace

std::span<const EventBinding> frmSolitaire::EventBindings() { return kBindings; }

frmSolitaire::frmSolitaire(std::string programFolder)
    : folder_(std::move(programFolder)),
      screenWidth_([] { return TableClientWidth; }),
      clientWidth_(TableClientWidth),
      clientHeight_(TableClientHeight)
{
  for (const CreationRun& run : TableCreationOrder()) {
    const int step = run.Last >= run.First ? 1 : -1;
    for (int i = run.First;; i += step) {
      const auto index = static_cast<std::int16_t>(i);
      const ControlDefinition& row = DefinitionOf(run.Set, index);
      ControlState state = StoredState(row, index);
      if (row.Picture == StoredPicture::CardBack) state.Picture = CardBackPicture();
      surface_.Create(run.Set, index, std::move(state));
      if (i == run.Last) break;
    }
  }
  surface_.SetView({0, 0, clientWidth_, clientHeight_});
  for (const EventBinding& binding : kBindings)
    surface_.SetHandler(binding.Set, binding.Event,
                        [this, call = binding.Call](const ControlEventArgs& args) { call(*this, args); });
}

void frmSolitaire::SetClientSize(float widthTwips, float heightTwips)
{
  clientWidth_ = widthTwips;
  clientHeight_ = heightTwips;
  surface_.SetView({0, 0, widthTwips, heightTwips});
}

void frmSolitaire::SetPixelRatio(double ratio)
{
  const int scale = PictureScale(ratio);
  const bool rescaled = scale != PictureScale(pixelRatio_);
  pixelRatio_ = ratio;
  if (!rescaled) return;
  // The back is stored with the window; the faces follow as each is next read.
  for (int i = 0; i < DeckSize; ++i) imgBack(i).SetPicture(CardBackPicture(scale));
}

// --- Events from outside ----------------------------------------------------------------------

void frmSolitaire::Fail(const PictureError& error)
{
  failed_ = true;
  surface_.CancelGesture();
  if (OnPictureError) OnPictureError(error);
}

void frmSolitaire::PointerMove(float x, float y, std::int16_t buttons, std::int16_t shift)
{
  RunHandler([&] { surface_.PointerMove(x, y, buttons, shift); });
}

void frmSolitaire::PointerPress(float x, float y, std::int16_t button, std::int16_t shift)
{
  RunHandler([&] { surface_.PointerPress(x, y, button, shift); });
}

void frmSolitaire::PointerRelease(float x, float y, std::int16_t button, std::int16_t shift)
{
  RunHandler([&] { surface_.PointerRelease(x, y, button, shift); });
}

QImage frmSolitaire::ReadPicture(const std::string& path)
{
  // The first deal takes what the start-up has just read; every other picture is read from its file.
  QImage read = startUpReads_ ? startUpReads_->Take(path) : QImage();
  return LoadCardPictureAt(path, PictureScale(pixelRatio_), std::move(read));
}

void frmSolitaire::UseStartUpReads(StartUpCardReads reads) { startUpReads_ = std::move(reads); }

// --- Start-up and dealing ---------------------------------------------------------------------

void frmSolitaire::PaintBackground()
{
  background_ = GradientBackground(screenWidth_(), clientHeight_, pixelRatio_);
  surface_.RepaintAll();
}

void frmSolitaire::Form_Load()
{
  PaintBackground();

  for (int slot = 0; slot < DeckSize; ++slot) {
    Card fresh = InitialCard(slot);
    Card& card = Deck[static_cast<std::size_t>(slot)];
    card.Code = std::move(fresh.Code);
    card.Suit = std::move(fresh.Suit);
    card.Rank = fresh.Rank;
  }

  for (std::int16_t i = 0; i < DeckSize; ++i) {
    random_.Randomize();
    const std::int16_t j = ShuffleIndex(random_.Rnd());
    Card& a = Deck[static_cast<std::size_t>(i)];
    Card& b = Deck[static_cast<std::size_t>(j)];
    std::swap(a.Code, b.Code);
    std::swap(a.Suit, b.Suit);
    std::swap(a.Rank, b.Rank);
  }
  if (replayed_)
    for (int slot = 0; slot < DeckSize; ++slot) {
      Card card = CardFromCode((*replayed_)[static_cast<std::size_t>(slot)]);
      Card& dealt = Deck[static_cast<std::size_t>(slot)];
      dealt.Code = std::move(card.Code);
      dealt.Suit = std::move(card.Suit);
      dealt.Rank = card.Rank;
    }

  TopCardsOn();

  for (int i = 0; i < TableauSize; ++i) imgBack(i).SetEnabled(false);

  imgEnd().SetPicture(ReadPicture(EmptyStockPicturePath(folder_)));
  imgEnd().SendToBack();

  for (int i = 0; i < ColumnCount; ++i) {
    imgKingMove(i).SendToBack();
    imgKingMove(i).SetEnabled(false);
  }
  // Later deals and turns read their files, as the cards may have changed since.
  startUpReads_.reset();
  emit dealt();
}

void frmSolitaire::TopCardsOn()
{
  for (const std::int16_t slot : LastDealtSlots) imgBack_Click(slot);
}

void frmSolitaire::mnuGameDeal_Click()
{
  // A drag still under way would drop a card that the deal has just turned face down.
  surface_.CancelGesture();
  for (int i = 0; i < DeckSize; ++i) {
    imgPile(i).SetVisible(false);
    imgBack(i).SetVisible(true);
    Deck[static_cast<std::size_t>(i)].HasNext = False16;
    if (i < TableauSize) {
      imgPile(i).SetLeft(imgBack(i).Left());
      imgPile(i).SetTop(imgBack(i).Top());
    } else {
      imgPile(i).SetLeft(WasteLeft);
      imgPile(i).SetTop(WasteTop);
    }
  }
  for (int k = 0; k < FoundationCount; ++k) {
    imgSuitPile(k).ClearPicture();
    PileSuit[static_cast<std::size_t>(k)].clear();
  }
  Form_Load();
}

// --- Turning cards and the stock ---------------------------------------------------------------

void frmSolitaire::imgBack_Click(std::int16_t Index)
{
  imgBack(Index).SetVisible(false);
  imgPile(Index).SetPicture(ReadPicture(CardPicturePath(folder_, Deck[static_cast<std::size_t>(Index)].Code)));
  imgPile(Index).SetEnabled(true);
  imgPile(Index).SetVisible(true);
  imgPile(Index).BringToFront();
}

void frmSolitaire::imgEnd_Click()
{
  for (std::int16_t i = TableauSize; i < DeckSize; ++i) {
    if (imgPile(i).Top() == static_cast<float>(WasteTop)) {
      imgPile(i).SetVisible(false);
      imgBack(i).SetVisible(true);
    }
  }
}

void frmSolitaire::imgPile_MouseMove(std::int16_t Index, std::int16_t, std::int16_t, float, float) { DragCard = Index; }

// --- Drops ------------------------------------------------------------------------------------

void frmSolitaire::DetachFromCardUnder(std::int16_t slot)
{
  // A card only knows the card laid on it, so the card that `slot` leaves is found by its link.
  for (Card& card : Deck)
    if (card.HasNext == True16 && card.NextCard == slot) card.HasNext = False16;
}

void frmSolitaire::MoveRun(std::int16_t first, float left, float top, bool bringToFront)
{
  ForEachInRun(first, [&](std::int16_t slot, int k) {
    PictureControl& face = imgPile(slot);
    face.Move(left, top + static_cast<float>(FanStep * k));
    if (bringToFront) face.BringToFront();
  });
}

void frmSolitaire::Uncover(std::int16_t slot)
{
  if (slot <= 6)
    imgKingMove(slot).SetEnabled(true);
  else
    imgBack(CardBelow(slot)).SetEnabled(true);
}

DropRefusal frmSolitaire::RefusalOf(std::int16_t card, const PictureControl& target) const
{
  const Card& dragged = Deck[static_cast<std::size_t>(card)];
  const auto index = static_cast<std::size_t>(target.Index());
  switch (target.BelongsTo()) {
    case ControlSet::imgPile: {
      if (target.Top() == static_cast<float>(WasteTop)) return DropRefusal::OnTheWaste;
      const Card& under = Deck[index];
      return CanStack(dragged.Suit, dragged.Rank, under.Suit, under.Rank) == True16 ? DropRefusal::None
                                                                                    : DropRefusal::NotNextLowerOther;
    }
    case ControlSet::imgSuitPile: {
      // An empty foundation is its ace's; then only the next card of that suit.
      const std::string& claimed = PileSuit[index];
      if (claimed.empty()) return dragged.Rank == AceRank ? DropRefusal::None : DropRefusal::NotAnAce;
      return dragged.Suit == claimed && IsNextOfSuit(dragged.Suit, dragged.Rank) ? DropRefusal::None
                                                                                 : DropRefusal::NotNextOfSuit;
    }
    case ControlSet::imgKingMove: return IsKing(dragged.Code) == True16 ? DropRefusal::None : DropRefusal::NotAKing;
    case ControlSet::imgBack:
    case ControlSet::imgEnd: break;
  }
  return DropRefusal::NotATarget;
}

void frmSolitaire::imgPile_DragDrop(std::int16_t Index, const PictureControl*, float, float)
{
  const std::int16_t D = DragCard;
  Card& target = Deck[static_cast<std::size_t>(Index)];
  const std::int16_t L = WholeTwips(imgPile(Index).Left());
  const std::int16_t Y0 = WholeTwips(imgPile(Index).Top());
  if (RefusalOf(D, imgPile(Index)) != DropRefusal::None) {
    BadDrop();
    return;
  }
  // Before linking: the target may be the very card D lay on.
  DetachFromCardUnder(D);
  target.HasNext = True16;
  target.NextCard = D;
  MoveRun(D, L, static_cast<float>(Y0 + FanStep), true);
  Uncover(D);
}

void frmSolitaire::imgSuitPile_DragDrop(std::int16_t Index, const PictureControl*, float, float)
{
  const std::int16_t D = DragCard;
  Card& card = Deck[static_cast<std::size_t>(D)];
  if (RefusalOf(D, imgSuitPile(Index)) != DropRefusal::None) {
    BadDrop();
    return;
  }
  // Its ace claims an empty foundation; the card is now its suit's last played.
  std::string& claimed = PileSuit[static_cast<std::size_t>(Index)];
  if (claimed.empty()) claimed = card.Suit;
  CanPlayOnSuit(card.Suit, card.Rank);
  DetachFromCardUnder(D);
  imgSuitPile(Index).SetPicture(ReadPicture(CardPicturePath(folder_, card.Code)));
  imgPile(D).SetTop(OnFoundationTop);
  imgPile(D).SetVisible(false);
  card.HasNext = False16;
  Uncover(D);
}

void frmSolitaire::imgKingMove_DragDrop(std::int16_t Index, const PictureControl*, float, float)
{
  const std::int16_t D = DragCard;
  const std::int16_t L = WholeTwips(imgKingMove(Index).Left());
  const Card& king = Deck[static_cast<std::size_t>(D)];
  if (RefusalOf(D, imgKingMove(Index)) != DropRefusal::None) {
    BadDrop();
    return;
  }
  DetachFromCardUnder(D);
  // A lone king keeps its place in the stacking order; a king with a run comes to the front with it.
  MoveRun(D, L, KingRowTop, king.HasNext == True16);
  Uncover(D);
}

void frmSolitaire::BadDrop()
{
  PictureControl& face = imgPile(DragCard);
  face.SetVisible(true);
  face.SetDragMode(DragMode::Automatic);
  face.SetEnabled(true);
}

}  // namespace korvel
