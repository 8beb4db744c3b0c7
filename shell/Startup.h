#pragma once
// The program's start-up path, shared by the executable and the start-up probe.

namespace korvel {

struct StartOptions {
  // Quit as soon as the first frame of the table has been painted (start-up measurements).
  bool QuitAtFirstFrame = false;
};

// Creates the application, checks the card pictures, loads the table and runs the event loop.
// Returns the program's exit status: non-zero when a card picture could not be read.
int RunSolitaire(int argc, char** argv, const StartOptions& options = {});

}  // namespace korvel
