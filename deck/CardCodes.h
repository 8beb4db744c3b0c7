// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// How cards are named: the code of a card (rank letter, then suit letter) is also the name of the
// picture file it is read from. Plain data without Qt: the art tool writes the card files by these
// same names.

#include <cstdint>
#include <string_view>

namespace korvel {

// The ranks the game treats apart: an ace opens a foundation, a king fills an empty column and
// ends its suit, and a queen is the one feminine card in French ("la Dame", "tenue").
inline constexpr std::int16_t AceRank = 1;
inline constexpr std::int16_t QueenRank = 12;
inline constexpr std::int16_t KingRank = 13;

// The rank letters, by rank: index = rank - 1. The ten is "t", in lower case.
inline constexpr std::string_view RankLetters = "A23456789tJQK";
// The suit letters in the deck's initial order: diamonds, clubs, hearts, spades.
inline constexpr std::string_view SuitLetters = "dchs";

// The empty-stock picture's name, beside the 52 faces named by their codes; all are GIF files.
inline constexpr std::string_view EmptyStockName = "InvertedB";
inline constexpr std::string_view CardPictureExtension = ".gif";

}  // namespace korvel
