// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The About window: the product's name, logo, a short description and the maker's contact
// details, built from its definition each time it is shown.

#include <QDialog>

#include <string_view>

class QPushButton;

namespace korvel {

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);

  // The control of the definition called `name`, or null.
  QWidget* Control(std::string_view name) const;

  void cmdOK_Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPushButton* cancel_ = nullptr;
};

// Shows a new About window modally with no owner, centred on the screen, and returns once it has
// been closed and destroyed.
void ShowAbout();

}  // namespace korvel
