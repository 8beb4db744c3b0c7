// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// What a screen reader costs with a plain Qt list: a QListWidget of 13 items named as the table's
// places are at a deal, in a window of the table's size, the list focused. bench/orca_latency.py
// times Orca on it beside the game.

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Liste"));
  auto* list = new QListWidget(&window);
  list->setAccessibleName(QStringLiteral("Table de jeu"));
  list->addItems(
      {QStringLiteral("Talon, 24 cartes"), QStringLiteral("Défausse vide"), QStringLiteral("Fondation 1 vide"),
       QStringLiteral("Fondation 2 vide"), QStringLiteral("Fondation 3 vide"), QStringLiteral("Fondation 4 vide"),
       QStringLiteral("Colonne 1 : Roi de pique"), QStringLiteral("Colonne 2 : Dame de cœur, 1 carte cachée"),
       QStringLiteral("Colonne 3 : Roi de cœur, 2 cartes cachées"),
       QStringLiteral("Colonne 4 : Cinq de pique, 3 cartes cachées"),
       QStringLiteral("Colonne 5 : Neuf de cœur, 4 cartes cachées"),
       QStringLiteral("Colonne 6 : Valet de trèfle, 5 cartes cachées"),
       QStringLiteral("Colonne 7 : Dix de carreau, 6 cartes cachées")});
  list->setCurrentRow(0);
  window.setCentralWidget(list);
  window.resize(588, 385);
  window.show();
  list->setFocus();
  return QApplication::exec();
}
