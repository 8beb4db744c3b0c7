// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The two questions the program answers without a window: --help and --version. They are read
// before Qt starts, so they need no display; every other argument is left to Qt, which takes its
// own options (-platform, -style ...) and the game ignores the rest.

#include <cstdio>
#include <optional>

namespace korvel {

// When the arguments ask for the usage text or the version (the first of the two that appears
// wins), prints it to `out` and returns the exit status; otherwise returns nothing.
std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::FILE* out);

}  // namespace korvel
