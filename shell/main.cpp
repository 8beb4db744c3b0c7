#include <QApplication>

#include "shell/Startup.h"

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  return korvel::RunSolitaire(app);
}
