// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Answers the modal windows a test opens: a timer looks for the active modal widget and hands it
// to the test's answer, which must close it. A window the answer leaves open is closed by force
// after a few seconds and counted, so a wrong answer fails the test instead of hanging it.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <ostream>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace korvel::testing {

class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer))
  {
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start();
  }
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  // How many modal windows were answered.
  int Answered() const { return answered_; }
  // How many were still open after their answer and had to be closed by force.
  int LeftOpen() const { return leftOpen_; }

 private:
  void Poll()
  {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    // Answered once it is the active window, as a player answers it: until then keys and the focus
    // still belong to the window below. A window that never becomes active is answered all the same.
    if (modal != current_ && !modal->isActiveWindow() && ++inactive_ * poll_.interval() < 2000) return;
    inactive_ = 0;
    if (modal == current_) {
      if (++waited_ * poll_.interval() >= 5000) {
        ++leftOpen_;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
          dialog->done(QDialog::Rejected);
        else
          modal->close();
      }
      return;
    }
    current_ = modal;
    waited_ = 0;
    ++answered_;
    answer_(modal);
  }

  std::function<void(QWidget*)> answer_;
  QTimer poll_;
  QPointer<QWidget> current_;
  int waited_ = 0;
  int inactive_ = 0;
  int answered_ = 0;
  int leftOpen_ = 0;
};

// An answer that presses one of a message box's standard buttons.
inline std::function<void(QWidget*)> Press(QMessageBox::StandardButton which)
{
  return [which](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal))
      if (QAbstractButton* button = box->button(which)) button->click();
  };
}

// An answer for a window that should never have opened: closes it.
inline std::function<void(QWidget*)> Dismiss()
{
  return [](QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->done(QDialog::Rejected);
    else
      modal->close();
  };
}

}  // namespace korvel::testing
