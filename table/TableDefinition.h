// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The card table as it is created: every picture control's stored state and the creation order,
// as data read when the window is created.

#include <cstdint>
#include <span>

#include "table/PictureControls.h"

namespace korvel {

// Client area of the table, in twips (588 x 385 pixels).
inline constexpr float TableClientWidth = 8820;
inline constexpr float TableClientHeight = 5775;

// How a row of the table places its members.
enum class Placement : std::uint8_t {
  Fixed,       // every member at Left, Top
  Tableau,     // the deal grid: the slot's column Left, 2040 + 120 x row
  EachColumn,  // member k at the Left of column k, Top as given
  Foundation,  // member k at 3840 + 1200 x k, Top as given
};

enum class StoredPicture : std::uint8_t { None, CardBack };

struct ControlDefinition {
  ControlSet Set;
  std::int16_t First, Last;  // index range, inclusive
  Placement Place;
  float Left, Top, Width, Height;
  bool Visible, Enabled;
  DragMode Drag;
  Frame Border;
  StoredPicture Picture;
};

// A run of the creation order, front to back: indices from First to Last (either direction).
struct CreationRun {
  ControlSet Set;
  std::int16_t First, Last;
};

std::span<const ControlDefinition> TableControls();
std::span<const CreationRun> TableCreationOrder();

// Left of column `column` (0 to 6), where its cards, its backs and its empty-column target stand;
// the columns stand this far apart.
inline constexpr float ColumnPitch = 1200;
constexpr float ColumnLeft(int column) { return 240 + ColumnPitch * static_cast<float>(column); }

// The row of the definition that control `index` of `set` belongs to.
const ControlDefinition& DefinitionOf(ControlSet set, std::int16_t index);

// The state member `index` of a row is created in; its stored picture (row.Picture) is the window's
// to load.
ControlState StoredState(const ControlDefinition& row, std::int16_t index);

const char* ControlSetName(ControlSet set);
const char* ControlEventName(ControlEvent event);

}  // namespace korvel
