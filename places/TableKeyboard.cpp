// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/TableKeyboard.h"

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <array>

#include "table/frmSolitaire.h"

namespace korvel {

namespace {

constexpr KeyCommand ToColumn(int column) { return {TableKey::Column, column}; }

// The number row gives digits, and on a French AZERTY keyboard without Shift & é " ' ( - è; the
// keypad gives digits too (with the keypad's own modifier, which changes nothing here).
// One row per key.
// clang-format off
constexpr KeyBinding kKeyMap[] = {
    {Qt::Key_Tab, {TableKey::Next}},
    {Qt::Key_Backtab, {TableKey::Previous}},
    {Qt::Key_Left, {TableKey::Left}},
    {Qt::Key_Right, {TableKey::Right}},
    {Qt::Key_Up, {TableKey::Up}},
    {Qt::Key_Down, {TableKey::Down}},
    {Qt::Key_Space, {TableKey::Act}},
    {Qt::Key_Return, {TableKey::Act}},
    {Qt::Key_Enter, {TableKey::Act}},
    {Qt::Key_Escape, {TableKey::PutBack}},
    {Qt::Key_1, ToColumn(0)},
    {Qt::Key_2, ToColumn(1)},
    {Qt::Key_3, ToColumn(2)},
    {Qt::Key_4, ToColumn(3)},
    {Qt::Key_5, ToColumn(4)},
    {Qt::Key_6, ToColumn(5)},
    {Qt::Key_7, ToColumn(6)},
    {Qt::Key_Ampersand, ToColumn(0)},
    {Qt::Key_Eacute, ToColumn(1)},
    {Qt::Key_QuoteDbl, ToColumn(2)},
    {Qt::Key_Apostrophe, ToColumn(3)},
    {Qt::Key_ParenLeft, ToColumn(4)},
    {Qt::Key_Minus, ToColumn(5)},
    {Qt::Key_Egrave, ToColumn(6)},
};
// clang-format on

// The top-row place above each column, and the column below each top-row place.
constexpr std::array<int, ColumnCount> kAbove = {StockPlace,
                                                 WastePlace,
                                                 WastePlace,
                                                 FirstFoundationPlace,
                                                 FirstFoundationPlace + 1,
                                                 FirstFoundationPlace + 2,
                                                 FirstFoundationPlace + 3};
constexpr std::array<int, FirstColumnPlace> kBelow = {0, 1, 3, 4, 5, 6};

bool InTopRow(int place) { return place < FirstColumnPlace; }

TwipRect Union(const TwipRect& a, const TwipRect& b)
{
  const float left = std::min(a.Left, b.Left), top = std::min(a.Top, b.Top);
  return {left, top, std::max(a.Left + a.Width, b.Left + b.Width) - left,
          std::max(a.Top + a.Height, b.Top + b.Height) - top};
}

}  // namespace

std::span<const KeyBinding> KeyMap() { return kKeyMap; }

std::optional<KeyCommand> CommandForKey(int qtKey, int modifiers)
{
  if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) return std::nullopt;
  for (const KeyBinding& binding : kKeyMap)
    if (binding.QtKey == qtKey) return binding.Command;
  return std::nullopt;
}

TableKeyboard::TableKeyboard(frmSolitaire& form) : form_(form)
{
  form_.OnDealt = [this] { NewDeal(); };
}

TableKeyboard::~TableKeyboard() { form_.OnDealt = nullptr; }

void TableKeyboard::NewDeal()
{
  // After every new deal the cursor is on the stock and nothing is held.
  place_ = StockPlace;
  columnCard_.reset();
  held_.reset();
}

const TablePlaces& TableKeyboard::Places()
{
  const std::uint64_t version = form_.Controls().Version();
  if (!places_ || placesVersion_ != version) {
    places_.emplace(form_);
    placesVersion_ = version;
  }
  return *places_;
}

std::optional<std::int16_t> TableKeyboard::CursorCard()
{
  if (!IsColumnPlace(place_)) return std::nullopt;
  return CursorCard(Places().Column(place_ - FirstColumnPlace));
}

std::optional<std::int16_t> TableKeyboard::CursorCard(const ColumnCards& cards) const
{
  const SlotList& up = cards.FaceUp;
  if (up.empty()) return std::nullopt;
  // A card that has left the column leaves the cursor on the column's last card.
  if (columnCard_ && std::find(up.begin(), up.end(), *columnCard_) != up.end()) return columnCard_;
  return up.back();
}

std::optional<TwipRect> TableKeyboard::CursorArea()
{
  if (!shown_) return std::nullopt;
  if (IsColumnPlace(place_)) {
    const ColumnCards& cards = Places().Column(place_ - FirstColumnPlace);
    if (const std::optional<std::int16_t> card = CursorCard(cards))
      return Union(form_.imgPile(*card).Rect(), form_.imgPile(cards.FaceUp.back()).Rect());
  }
  return Places().Area(place_);
}

std::optional<TwipRect> TableKeyboard::HeldArea()
{
  if (!held_) return std::nullopt;
  std::int16_t slot = *held_;
  TwipRect area = form_.imgPile(slot).Rect();
  for (int k = 0; k < DeckSize && form_.Deck[static_cast<std::size_t>(slot)].HasNext == True16; ++k) {
    slot = form_.Deck[static_cast<std::size_t>(slot)].NextCard;
    if (form_.imgPile(slot).Visible()) area = Union(area, form_.imgPile(slot).Rect());
  }
  return area;
}

bool TableKeyboard::Press(KeyCommand command)
{
  if (form_.Failed()) return false;
  if (command.Key == TableKey::PutBack && !held_) return false;
  shown_ = true;
  switch (command.Key) {
    case TableKey::Next: MoveTo((place_ + 1) % PlaceCount); break;
    case TableKey::Previous: MoveTo((place_ + PlaceCount - 1) % PlaceCount); break;
    case TableKey::Left:
      if (place_ != StockPlace && place_ != FirstColumnPlace) MoveTo(place_ - 1);
      break;
    case TableKey::Right:
      if (place_ != FirstColumnPlace - 1 && place_ != PlaceCount - 1) MoveTo(place_ + 1);
      break;
    case TableKey::Up: MoveUp(); break;
    case TableKey::Down: MoveDown(); break;
    case TableKey::Column: MoveTo(FirstColumnPlace + std::clamp(command.Column, 0, ColumnCount - 1)); break;
    case TableKey::Act:
      // Acting while a mouse gesture is under way would drop into the middle of it.
      if (!form_.Controls().GestureUnderWay()) form_.RunHandler([this] { Act(); });
      break;
    case TableKey::PutBack: held_.reset(); break;
  }
  return true;
}

void TableKeyboard::PointerPressed()
{
  shown_ = false;
  held_.reset();
}

void TableKeyboard::MoveTo(int place)
{
  place_ = place;
  columnCard_.reset();
}

void TableKeyboard::MoveUp()
{
  if (InTopRow(place_)) return;
  const int c = place_ - FirstColumnPlace;
  const ColumnCards& cards = Places().Column(c);
  const SlotList& up = cards.FaceUp;
  const std::optional<std::int16_t> card = CursorCard(cards);
  const auto at = card ? std::find(up.begin(), up.end(), *card) : up.end();
  if (at == up.end() || at == up.begin()) {
    MoveTo(kAbove[static_cast<std::size_t>(c)]);
    return;
  }
  columnCard_ = *(at - 1);
}

void TableKeyboard::MoveDown()
{
  if (InTopRow(place_)) {
    MoveTo(FirstColumnPlace + kBelow[static_cast<std::size_t>(place_)]);
    return;
  }
  const ColumnCards& cards = Places().Column(place_ - FirstColumnPlace);
  const SlotList& up = cards.FaceUp;
  const std::optional<std::int16_t> card = CursorCard(cards);
  const auto at = card ? std::find(up.begin(), up.end(), *card) : up.end();
  if (at != up.end() && at + 1 != up.end()) columnCard_ = *(at + 1);
}

void TableKeyboard::Act()
{
  if (held_) {
    Put();
    return;
  }
  ControlSurface& controls = form_.Controls();
  const TablePlaces& places = Places();
  // A face that a press would drag is taken: the pointer entering it names it the dragged card.
  std::optional<std::int16_t> face;
  if (place_ == WastePlace) face = places.WasteFront();
  if (IsColumnPlace(place_)) face = CursorCard(places.Column(place_ - FirstColumnPlace));
  if (face && ControlSurface::Draggable(form_.imgPile(*face))) {
    controls.MoveOnto(form_.imgPile(*face));
    held_ = face;
    return;
  }
  // Elsewhere, a click: the stock turns, an uncovered back turns; a foundation or an empty column
  // has no click to hear.
  if (PictureControl* front = places.FrontControl(place_)) controls.ClickOn(*front);
}

void TableKeyboard::Put()
{
  const std::int16_t held = *held_;
  held_.reset();
  PictureControl& source = form_.imgPile(held);
  ControlSurface& controls = form_.Controls();
  // The pointer is on the card when a drag starts; another pointer move since may have named
  // another card.
  if (!controls.MoveOnto(source)) return;
  // Its own place takes it back as a release over the card itself does: a refused drop.
  const TablePlaces& places = Places();
  PictureControl* target = places.PlaceOfCard(held) == place_ ? &source : places.FrontControl(place_);
  if (target != nullptr) controls.DropOn(*target, source);
  columnCard_.reset();
}

}  // namespace korvel
