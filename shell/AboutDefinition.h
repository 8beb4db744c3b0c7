// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The About window as data: its own properties and one row per control, in stacking order from
// front to back, positions and sizes in twips.

#include <cstdint>
#include <span>
#include <string>

namespace korvel {

enum class AboutKind : std::uint8_t {
  PictureBox,  // a windowed picture holder that can take the focus
  CommandButton,
  Shape,  // a rectangle outline, transparent inside
  Image,  // a windowless picture
  Label,  // word-wrapped text on a transparent background
};

enum class AboutFrame : std::uint8_t { None, Sunken };

// The system colour a label draws its text in.
enum class TextColour : std::uint8_t { None, ButtonText, WindowText };

struct AboutControl {
  const char* Name;
  AboutKind Kind;
  int Left, Top, Width, Height;  // twips
  std::string Caption;           // button caption or label text
  const char* Picture;           // resource; empty for none
  AboutFrame Frame;
  bool AutoSize;         // takes the size of its picture and frame
  bool Default, Cancel;  // Enter / Esc press this button
  int TabIndex;          // -1 for controls outside the tab order
  TextColour Colour;
  const char* FontFamily;  // empty: the window's font
  double FontPoints;
  std::string SpokenName;  // what a screen reader says of a picture; empty for the rest
};

struct AboutWindowDefinition {
  const char* Name;
  const char* Caption;
  int ClientWidth, ClientHeight;  // twips
  const char* Icon;
};

const AboutWindowDefinition& AboutWindow();

// Front to back.
std::span<const AboutControl> AboutControls();

// Who made the game and where to write to, as the About window shows them.
inline constexpr const char* MakerName = "Éditions Brelin Interactive";
inline constexpr const char* ContactAddress = "contact@korvel-solitaire.fr";

}  // namespace korvel
