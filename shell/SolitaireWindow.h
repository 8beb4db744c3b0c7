#pragma once
// The main window: the card table under a menu bar.

#include <QMainWindow>

namespace korvel {

class frmSolitaire;
class TableWidget;

class SolitaireWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit SolitaireWindow(frmSolitaire& form, QWidget* parent = nullptr);

  frmSolitaire& Form() { return form_; }
  TableWidget* Table() { return table_; }

  // Places the window at the centre of its screen with a client area of 588 x 385 pixels.
  void CentreOnScreen();

 private:
  frmSolitaire& form_;
  TableWidget* table_;
};

// The caption: the product, its maker and the site address.
QString SolitaireCaption();

}  // namespace korvel
