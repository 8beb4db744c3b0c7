#include "shell/Startup.h"

int main(int argc, char** argv) { return korvel::RunSolitaire(argc, argv); }
