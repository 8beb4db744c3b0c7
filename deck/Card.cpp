// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "deck/Card.h"

#include "deck/CardCodes.h"

namespace korvel {

Card InitialCard(int slot)
{
  const bool ace = slot >= 48;
  const int rank = ace ? 1 : 2 + slot / 4;
  const char suit = SuitLetters[static_cast<std::size_t>(ace ? slot - 48 : slot % 4)];
  Card card;
  card.Suit = std::string(1, suit);
  card.Code = std::string{RankLetters[static_cast<std::size_t>(rank - 1)], suit};
  card.Rank = static_cast<std::int16_t>(rank);
  return card;
}

Card CardFromCode(std::string_view code)
{
  Card card;
  card.Code = std::string(code);
  card.Suit = std::string(code.substr(1, 1));
  card.Rank = static_cast<std::int16_t>(RankLetters.find(code[0]) + 1);
  return card;
}

std::string CardPicturePath(std::string_view programFolder, std::string_view code)
{
  std::string path(programFolder);
  path += "/cards/";
  path += code;
  path += CardPictureExtension;
  return path;
}

std::string EmptyStockPicturePath(std::string_view programFolder)
{
  return CardPicturePath(programFolder, EmptyStockName);
}

std::array<std::string, DeckSize + 1> CardPictureNames()
{
  std::array<std::string, DeckSize + 1> names;
  for (int slot = 0; slot < DeckSize; ++slot) names[slot] = InitialCard(slot).Code + std::string(CardPictureExtension);
  names[DeckSize] = std::string(EmptyStockName) + std::string(CardPictureExtension);
  return names;
}

}  // namespace korvel
