// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The card model: one record per deck slot, the slot scheme of the deal, and where card
// pictures are read from.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rules/Bool16.h"

namespace korvel {

struct Card {
  std::string Code;           // rank letter + suit letter ("Qh", "td", "As"); also the face file's name
  std::string Suit;           // "d", "c", "h" or "s"
  std::int16_t Rank = 0;      // 1 (ace) to 13 (king)
  Bool16 HasNext = False16;   // another card has been dropped onto this one in a column
  std::int16_t NextCard = 0;  // slot of that card; meaningful only while HasNext is true
};

inline constexpr int DeckSize = 52;
inline constexpr int TableauSize = 28;  // slots 0..27 are the tableau, 28..51 the stock
inline constexpr int FoundationCount = 4;
inline constexpr int ColumnCount = 7;
using DeckArray = std::array<Card, DeckSize>;

// Where a card lies, in twips.
inline constexpr std::int16_t WasteLeft = 1560;
inline constexpr std::int16_t WasteTop = 240;         // a face exactly here is a waste card
inline constexpr std::int16_t OnFoundationTop = 241;  // a played card's hidden face: never 240
inline constexpr std::int16_t KingRowTop = 2040;
inline constexpr std::int16_t FanStep = 205;

// The last-dealt slot of columns 1 to 7: the cards turned face up by the deal.
inline constexpr std::array<std::int16_t, ColumnCount> LastDealtSlots = {0, 7, 13, 18, 22, 25, 27};

// The slot's card before the shuffle: ranks 2 to K rank by rank in the suit order d, c, h, s,
// then the four aces. Only Code, Suit and Rank are meaningful.
Card InitialCard(int slot);

// The card a two-letter code names ("th" is the ten of hearts); only Code, Suit and Rank are set.
Card CardFromCode(std::string_view code);

// Column (0..6) and dealt row (0..6) of a tableau slot 0..27.
struct GridPlace {
  int column;
  int row;
};
constexpr GridPlace TableauPlace(int slot)
{
  int row = 0;
  int rowStart = 0;
  while (slot >= rowStart + (ColumnCount - row)) {
    rowStart += ColumnCount - row;
    ++row;
  }
  return {row + (slot - rowStart), row};
}
// The tableau slot dealt to column `column` (0..6) in row `row` (0..column).
constexpr std::int16_t TableauSlot(int column, int row)
{
  // Row r begins after rows 0 to r - 1, of 7, 6, ... cards.
  const int rowStart = ColumnCount * row - row * (row - 1) / 2;
  return static_cast<std::int16_t>(rowStart + column - row);
}

// Card pictures live in `cards` beside the program; `programFolder` carries no trailing separator.
std::string CardPicturePath(std::string_view programFolder, std::string_view code);
std::string EmptyStockPicturePath(std::string_view programFolder);

// The 53 file names, faces in initial deck order and then the empty-stock picture.
std::array<std::string, DeckSize + 1> CardPictureNames();

}  // namespace korvel
