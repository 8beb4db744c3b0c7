// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/AboutDefinition.h"

#include <array>

#include "Identity.h"

namespace korvel {

namespace {

// Three items on one line of text, each pushed onto a line of its own by the run of blanks
// before it: the runs are wider than what is left of the label's line.
std::string VersionLabelText()
{
  return std::string(3, ' ') + MakerName + " 2004" + std::string(26, ' ') + "Site web : " + SiteAddress +
         std::string(22, ' ') + "e-Mail : " + ContactAddress;
}

const std::array<AboutControl, 7>& Controls()
{
  static const std::array<AboutControl, 7> controls = {{
      {"picIcon", AboutKind::PictureBox, 120, 240, 1185, 1545, "", ":/korvel/logo.jpg", AboutFrame::Sunken, true, false,
       false, 1, TextColour::None, "", 0, std::string("Logo de ") + ProductName},
      {"cmdOK", AboutKind::CommandButton, 4320, 2520, 1260, 345, "OK", "", AboutFrame::None, false, true, true, 0,
       TextColour::None, "", 0, ""},
      {"Shape2", AboutKind::Shape, 0, 0, 5655, 3015, "", "", AboutFrame::None, false, false, false, -1,
       TextColour::None, "", 0, ""},
      {"Shape1", AboutKind::Shape, 1440, 840, 3855, 1215, "", "", AboutFrame::None, false, false, false, -1,
       TextColour::None, "", 0, ""},
      {"Image1", AboutKind::Image, 1680, 120, 3570, 480, "", ":/korvel/banner.jpg", AboutFrame::None, false, false,
       false, -1, TextColour::None, "", 0, ProductName},
      {"lblDescription", AboutKind::Label, 1560, 960, 3885, 1170,
       "Korvel Solitaire est un jeu de patience facile, simple et très populaire, que ses auteurs veulent "
       "développer davantage au fil des prochaines versions, que ce soit dans sa stratégie de jeu ou dans "
       "ses graphismes.",
       "", AboutFrame::None, false, false, false, 2, TextColour::ButtonText, "Verdana", 8.25, ""},
      {"lblVersion", AboutKind::Label, 120, 2280, 3885, 705, VersionLabelText(), "", AboutFrame::None, false, false,
       false, 3, TextColour::WindowText, "Verdana", 8.25, ""},
  }};
  return controls;
}

constexpr AboutWindowDefinition Window{"frmAbout", "A propos de Korvel Solitaire Version 1.0", 5670, 3045,
                                       ":/korvel/icon.png"};

}  // namespace

const AboutWindowDefinition& AboutWindow() { return Window; }

std::span<const AboutControl> AboutControls() { return Controls(); }

}  // namespace korvel
