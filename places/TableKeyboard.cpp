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
    {Qt::Key_R, {TableKey::Summary}},
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

TableKeyboard::TableKeyboard(frmSolitaire& form)
    : form_(form), dealt_(QObject::connect(&form, &frmSolitaire::dealt, [this] { NewDeal(); }))
{}

TableKeyboard::~TableKeyboard() { QObject::disconnect(dealt_); }

void TableKeyboard::NewDeal()
{
  // After every new deal the cursor is on the stock and nothing is held.
  place_ = StockPlace;
  columnStop_ = nullptr;
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

Stop TableKeyboard::Cursor()
{
  const TablePlaces& places = Places();
  if (!IsColumnPlace(place_)) return places.TopRowStop(place_);
  const ColumnCards& column = places.Column(place_ - FirstColumnPlace);
  if (column.Stops.empty()) return {};
  // A stop that has gone leaves the cursor on the column's last one.
  const Stop* stop = column.StopOf(columnStop_);
  return stop != nullptr ? *stop : column.Stops.back();
}

std::optional<std::int16_t> TableKeyboard::CursorCard()
{
  if (!IsColumnPlace(place_)) return std::nullopt;
  const Stop stop = Cursor();
  if (stop.Control == nullptr || stop.Control->BelongsTo() != ControlSet::imgPile) return std::nullopt;
  return stop.Control->Index();
}

std::optional<TwipRect> TableKeyboard::CursorArea()
{
  if (!shown_) return std::nullopt;
  return CursorRect();
}

TwipRect TableKeyboard::CursorRect()
{
  if (IsColumnPlace(place_)) {
    const StopList& stops = Places().Column(place_ - FirstColumnPlace).Stops;
    if (const Stop stop = Cursor(); stop.Control != nullptr)
      return Union(stop.Control->Rect(), stops.back().Control->Rect());
  }
  return Places().Area(place_);
}

std::optional<TwipRect> TableKeyboard::HeldArea()
{
  if (!held_) return std::nullopt;
  TwipRect area = form_.imgPile(*held_).Rect();
  form_.ForEachInRun(*held_, [this, &area](std::int16_t slot, int k) {
    if (k > 0 && form_.imgPile(slot).Visible()) area = Union(area, form_.imgPile(slot).Rect());
  });
  return area;
}

KeyResult TableKeyboard::Press(KeyCommand command, std::int16_t buttons)
{
  if (form_.Failed()) return KeyResult::None;
  ControlSurface& controls = form_.Controls();
  // A gesture still open with no button down lost its release to another window: it ends here, as
  // the next pointer move would end it, so the keys never find the table dead.
  if (controls.GestureUnderWay() && (buttons & LeftButton) == 0) controls.CancelGesture();
  // While the mouse drags, a key moves the cursor unseen: a frame drawn now would outlast the drag.
  shown_ = !controls.GestureUnderWay();
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
    case TableKey::Act: {
      // While the mouse holds a button, the gesture is the mouse's.
      if (controls.GestureUnderWay()) return KeyResult::Acted;
      KeyResult result = KeyResult::Acted;
      form_.RunHandler([this, &result] { result = Act(); });
      return result;
    }
    case TableKey::Summary: return KeyResult::Summary;
    case TableKey::PutBack:
      if (!held_) return KeyResult::NothingHeld;
      held_.reset();
      return KeyResult::PutBack;
  }
  return KeyResult::Moved;
}

void TableKeyboard::PointerPressed()
{
  shown_ = false;
  held_.reset();
}

void TableKeyboard::MoveTo(int place)
{
  place_ = place;
  columnStop_ = nullptr;
}

void TableKeyboard::MoveUp()
{
  if (InTopRow(place_)) return;
  const int c = place_ - FirstColumnPlace;
  const ColumnCards& column = Places().Column(c);
  const Stop* at = column.StopOf(Cursor().Control);
  if (at == nullptr || at == column.Stops.begin()) {
    MoveTo(kAbove[static_cast<std::size_t>(c)]);
    return;
  }
  columnStop_ = (at - 1)->Control;
}

void TableKeyboard::MoveDown()
{
  if (InTopRow(place_)) {
    MoveTo(FirstColumnPlace + kBelow[static_cast<std::size_t>(place_)]);
    return;
  }
  const ColumnCards& column = Places().Column(place_ - FirstColumnPlace);
  const Stop* at = column.StopOf(Cursor().Control);
  if (at != nullptr && at + 1 != column.Stops.end()) columnStop_ = (at + 1)->Control;
}

KeyResult TableKeyboard::Act()
{
  const Stop target = Cursor();
  if (held_) return Put(target);
  if (target.Control == nullptr) return KeyResult::Acted;
  if (!target.Reachable) return KeyResult::OutOfReach;
  ControlSurface& controls = form_.Controls();
  // A face that a press would drag is taken: the pointer entering it names it the dragged card.
  if (target.Control->BelongsTo() == ControlSet::imgPile && ControlSurface::Draggable(*target.Control)) {
    controls.MoveOnto(*target.Control);
    held_ = target.Control->Index();
    columnStop_ = target.Control;
    return KeyResult::Taken;
  }
  // Elsewhere, a click: the stock turns, an uncovered back turns; a foundation or an empty column
  // has no click to hear.
  controls.ClickOn(*target.Control);
  return KeyResult::Acted;
}

bool TableKeyboard::Reaches(const PictureControl& card)
{
  const TablePlaces& places = Places();
  const int place = places.PlaceOfCard(card.Index());
  if (place == WastePlace) return places.TopRowStop(WastePlace).Reachable;
  if (!IsColumnPlace(place)) return false;
  const Stop* stop = places.Column(place - FirstColumnPlace).StopOf(&card);
  return stop != nullptr && stop->Reachable;
}

KeyResult TableKeyboard::Put(const Stop& target)
{
  if (target.Control != nullptr && !target.Reachable) return KeyResult::OutOfReach;
  // A drag starts on the card: one the window no longer shows (it was made smaller since the take)
  // could not be dragged, so it stays held until the window shows it again or it is let go.
  if (!Reaches(form_.imgPile(*held_))) return KeyResult::OutOfReach;
  const std::int16_t held = *held_;
  held_.reset();
  columnStop_ = nullptr;
  PictureControl& source = form_.imgPile(held);
  ControlSurface& controls = form_.Controls();
  // The pointer is on the card when a drag starts; another pointer move since may have named
  // another card. Released over nothing, a drag drops nothing.
  if (!controls.MoveOnto(source) || target.Control == nullptr) return KeyResult::Refused;
  const std::uint64_t before = controls.Version();
  controls.DropOn(*target.Control, source);
  // Put on itself, as a release over the card itself: a refused drop that leaves it where it was.
  if (target.Control == &source) return KeyResult::PutBack;
  return controls.Version() != before ? KeyResult::Dropped : KeyResult::Refused;
}

}  // namespace korvel
