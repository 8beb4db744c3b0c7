// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include <cstdio>

#include "shell/CommandLine.h"
#include "shell/Startup.h"

int main(int argc, char** argv)
{
  if (const std::optional<int> status = korvel::AnswerCommandLine(argc, argv, stdout)) return *status;
  korvel::RunProgram(argc, argv);
}
