// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The least a Qt 6 Widgets program with the game's window costs: a 588 x 385 client area under a
// two-menu bar, placed and shown as the game places and shows its own, quitting at its first frame.

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

// Prints the moment the central widget has first been painted and quits, as the probe does after
// the table's first frame.
class FirstFrame : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      std::printf("first-frame %lld\n",
                  static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
      std::fflush(stdout);
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
  QApplication app(argc, argv);

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Yardstick"));
  auto* central = new QWidget(&window);
  central->resize(588, 385);
  window.setCentralWidget(central);

  QMenu* game = window.menuBar()->addMenu(QStringLiteral("&Jeux"));
  game->addAction(QStringLiteral("&Nouveau"));
  game->addAction(QStringLiteral("&Quitter"));
  QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Aide"));
  help->addAction(QStringLiteral("&A Propos"));

  // The game's placement: the client area plus the menu bar, centred on the screen.
  const QSize size(588, 385 + window.menuBar()->sizeHint().height());
  window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, window.screen()->availableGeometry()));

  FirstFrame firstFrame;
  central->installEventFilter(&firstFrame);
  window.show();
  return app.exec();
}
