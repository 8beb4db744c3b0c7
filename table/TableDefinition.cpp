// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/TableDefinition.h"

#include <stdexcept>

#include "deck/Card.h"

namespace korvel {

namespace {

using enum ControlSet;
using enum Placement;
constexpr auto Auto = DragMode::Automatic;
constexpr auto Manual = DragMode::Manual;
constexpr auto Flat = Frame::Flat;
constexpr auto NoFrame = Frame::None;
constexpr auto Sunken = Frame::Sunken;
constexpr auto Back = StoredPicture::CardBack;
constexpr auto NoPicture = StoredPicture::None;

// A table of columns, aligned by hand; the formatter would pack each row.
// clang-format off
constexpr ControlDefinition kControls[] = {
    // set          first last  placement   left  top   width height  visible enabled drag  frame    picture
    {imgPile,        0,  27,  Tableau,      0,    0, 1095, 1455, false, false, Auto,   Flat,    NoPicture},
    {imgPile,       28,  51,  Fixed,     1560,  240, 1095, 1455, false, false, Auto,   NoFrame, NoPicture},
    {imgBack,        0,  27,  Tableau,      0,    0, 1125, 1485, true,  true,  Manual, Flat,    Back},
    {imgBack,       28,  50,  Fixed,      240,  240, 1095, 1455, true,  true,  Manual, NoFrame, Back},
    {imgBack,       51,  51,  Fixed,      240,  240, 1125, 1485, true,  true,  Manual, Flat,    Back},
    {imgKingMove,    0,   6,  EachColumn,   0, 2040, 1095, 1455, true,  true,  Manual, Flat,    NoPicture},
    {imgSuitPile,    0,   3,  Foundation,   0,  240, 1095, 1500, true,  true,  Manual, Sunken,  NoPicture},
    {imgEnd,         0,   0,  Fixed,      240,  240, 1095, 1455, true,  true,  Manual, NoFrame, NoPicture},
};
// clang-format on

constexpr CreationRun kCreationOrder[] = {
    {imgKingMove, 6, 6}, {imgKingMove, 3, 0}, {imgEnd, 0, 0},      {imgPile, 51, 0},
    {imgSuitPile, 3, 0}, {imgBack, 27, 0},    {imgKingMove, 4, 5}, {imgBack, 51, 28},
};

constexpr float kFoundationLeft0 = 3840;
constexpr float kRowPitch = 120;

}  // namespace

std::span<const ControlDefinition> TableControls() { return kControls; }
std::span<const CreationRun> TableCreationOrder() { return kCreationOrder; }

namespace {

float DefinedLeft(const ControlDefinition& row, std::int16_t index)
{
  switch (row.Place) {
    case Tableau: return ColumnLeft(TableauPlace(index).column);
    case EachColumn: return ColumnLeft(index);
    case Foundation: return kFoundationLeft0 + ColumnPitch * static_cast<float>(index);
    case Fixed: break;
  }
  return row.Left;
}

float DefinedTop(const ControlDefinition& row, std::int16_t index)
{
  if (row.Place == Tableau) return KingRowTop + kRowPitch * static_cast<float>(TableauPlace(index).row);
  return row.Top;
}

}  // namespace

const ControlDefinition& DefinitionOf(ControlSet set, std::int16_t index)
{
  for (const ControlDefinition& row : kControls)
    if (row.Set == set && index >= row.First && index <= row.Last) return row;
  throw std::logic_error("control without a definition");
}

ControlState StoredState(const ControlDefinition& row, std::int16_t index)
{
  ControlState state;
  state.Left = DefinedLeft(row, index);
  state.Top = DefinedTop(row, index);
  state.Width = row.Width;
  state.Height = row.Height;
  state.Visible = row.Visible;
  state.Enabled = row.Enabled;
  state.Drag = row.Drag;
  state.Border = row.Border;
  return state;
}

const char* ControlSetName(ControlSet set)
{
  constexpr const char* names[] = {"imgPile", "imgBack", "imgKingMove", "imgSuitPile", "imgEnd"};
  return names[static_cast<int>(set)];
}

const char* ControlEventName(ControlEvent event)
{
  constexpr const char* names[] = {"Click", "MouseMove", "DragDrop"};
  return names[static_cast<int>(event)];
}

}  // namespace korvel
