// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/frmAbout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <vector>

#include "assets/BuiltInPictures.h"
#include "shell/AboutDefinition.h"
#include "shell/MenuDecoration.h"
#include "table/Twips.h"

namespace korvel {

namespace {

int Pixels(int twips) { return twips / TwipsPerPixel; }

QRect PixelRect(const AboutControl& c) { return {Pixels(c.Left), Pixels(c.Top), Pixels(c.Width), Pixels(c.Height)}; }

// A rectangle outline: one solid pixel in the default line colour, nothing inside, and no part
// in the mouse's way.
class OutlineShape : public QWidget {
 public:
  explicit OutlineShape(QWidget* parent) : QWidget(parent)
  {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override
  {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

// A picture at its top left, inside its frame. A twice-size picture is drawn at the normal size,
// filtered where its pixels and the screen's do not match one to one (a ratio of 1.5).
class PictureLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override
  {
    QPainter painter(this);
    drawFrame(&painter);
    const QPixmap picture = pixmap();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.devicePixelRatio() != devicePixelRatioF());
    painter.drawPixmap(contentsRect().topLeft(), picture);
  }
};

QWidget* CreateControl(const AboutControl& c, QWidget* parent, QPushButton*& cancel)
{
  QWidget* widget = nullptr;
  switch (c.Kind) {
    case AboutKind::PictureBox:
    case AboutKind::Image: {
      auto* picture = new PictureLabel(parent);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      if (c.Frame == AboutFrame::Sunken) picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
      const int scale = PictureScale(parent->devicePixelRatioF());
      picture->setPixmap(QPixmap::fromImage(BuiltInPicture(QString::fromUtf8(c.Picture), scale)));
      // A picture box can hold the focus; an image cannot.
      picture->setFocusPolicy(c.Kind == AboutKind::PictureBox ? Qt::TabFocus : Qt::NoFocus);
      widget = picture;
      break;
    }
    case AboutKind::CommandButton: {
      auto* button = new QPushButton(QString::fromStdString(c.Caption), parent);
      button->setDefault(c.Default);
      button->setAutoDefault(c.Default);
      if (c.Cancel) cancel = button;
      widget = button;
      break;
    }
    case AboutKind::Shape: widget = new OutlineShape(parent); break;
    case AboutKind::Label: {
      auto* label = new QLabel(QString::fromStdString(c.Caption), parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setTextFormat(Qt::PlainText);
      label->setFocusPolicy(Qt::NoFocus);
      widget = label;
      break;
    }
  }
  widget->setObjectName(QString::fromUtf8(c.Name));
  if (!c.SpokenName.empty()) widget->setAccessibleName(QString::fromStdString(c.SpokenName));
  if (c.FontFamily[0] != '\0') widget->setFont(DesignFont(c.FontFamily, c.FontPoints));
  if (c.Colour != TextColour::None) {
    QPalette palette = widget->palette();
    const QPalette::ColorRole system = c.Colour == TextColour::ButtonText ? QPalette::ButtonText : QPalette::WindowText;
    palette.setColor(QPalette::WindowText, QApplication::palette().color(system));
    widget->setPalette(palette);
  }

  QRect geometry = PixelRect(c);
  if (c.AutoSize) {
    const auto* picture = static_cast<QLabel*>(widget);
    const int frame = picture->frameWidth();
    geometry.setSize(picture->pixmap().deviceIndependentSize().toSize() + QSize(2 * frame, 2 * frame));
  }
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
  const AboutWindowDefinition& window = AboutWindow();
  setObjectName(QString::fromUtf8(window.Name));
  setWindowTitle(QString::fromUtf8(window.Caption));
  setWindowIcon(WindowIcon(QString::fromUtf8(window.Icon)));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowModality(Qt::ApplicationModal);
  const QSize client(Pixels(window.ClientWidth), Pixels(window.ClientHeight));
  setFixedSize(client);

  // Created from the back to the front: a later sibling lies above an earlier one. The windowed
  // controls come first in the definition, so they end up above every windowless one.
  const std::span<const AboutControl> controls = AboutControls();
  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    QWidget* widget = CreateControl(*it, this, cancel_);
    if (it->TabIndex >= 0) tabOrder.emplace_back(it->TabIndex, widget);
  }
  std::sort(tabOrder.begin(), tabOrder.end());
  for (std::size_t i = 1; i < tabOrder.size(); ++i) {
    // Qt links only widgets that take the focus; the labels keep their places in the chain all the
    // same, and Tab still passes over them.
    QWidget* first = tabOrder[i - 1].second;
    QWidget* second = tabOrder[i].second;
    const Qt::FocusPolicy firstPolicy = first->focusPolicy();
    const Qt::FocusPolicy secondPolicy = second->focusPolicy();
    first->setFocusPolicy(Qt::TabFocus);
    second->setFocusPolicy(Qt::TabFocus);
    setTabOrder(first, second);
    first->setFocusPolicy(firstPolicy);
    second->setFocusPolicy(secondPolicy);
  }
  if (!tabOrder.empty()) tabOrder.front().second->setFocus();

  if (auto* ok = findChild<QPushButton*>(QStringLiteral("cmdOK")))
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

  const QScreen* screen = QApplication::activeWindow() != nullptr ? QApplication::activeWindow()->screen()
                                                                  : QGuiApplication::primaryScreen();
  if (screen != nullptr)
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client, screen->availableGeometry()));
}

QWidget* frmAbout::Control(std::string_view name) const
{
  return findChild<QWidget*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                             Qt::FindDirectChildrenOnly);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::keyPressEvent(QKeyEvent* event)
{
  // Esc presses the cancel button, as Enter presses the default one.
  if (cancel_ != nullptr && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    cancel_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ShowAbout()
{
  frmAbout about;
  about.exec();
}

}  // namespace korvel
