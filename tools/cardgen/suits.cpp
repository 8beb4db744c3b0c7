// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "suits.h"

#include "alpha.h"
#include "canvas.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

#include "deck/CardCodes.h"

namespace korvel::cardgen {

namespace {

QPainterPath heart()
{
  QPainterPath p;
  p.moveTo(0, -27);
  p.cubicTo(4, -43, 16, -50, 27, -50);
  p.cubicTo(41, -50, 50, -39, 50, -24);
  p.cubicTo(50, -2, 20, 18, 0, 50);
  p.cubicTo(-20, 18, -50, -2, -50, -24);
  p.cubicTo(-50, -39, -41, -50, -27, -50);
  p.cubicTo(-16, -50, -4, -43, 0, -27);
  p.closeSubpath();
  return p;
}

QPainterPath diamond()
{
  // Slightly hollow sides, as printed pips have.
  QPainterPath p;
  p.moveTo(0, -50);
  p.quadTo(17, -21, 50, 0);
  p.quadTo(17, 21, 0, 50);
  p.quadTo(-17, 21, -50, 0);
  p.quadTo(-17, -21, 0, -50);
  p.closeSubpath();
  return p;
}

// The flared foot shared by spades and clubs, from the body down to the bottom edge.
QPainterPath stem(double topHalfWidth, double top)
{
  QPainterPath p;
  p.moveTo(-topHalfWidth, top);
  p.lineTo(topHalfWidth, top);
  p.cubicTo(topHalfWidth + 1, 34, 12, 45, 22, 50);
  p.lineTo(-22, 50);
  p.cubicTo(-12, 45, -topHalfWidth - 1, 34, -topHalfWidth, top);
  p.closeSubpath();
  return p;
}

QPainterPath spade()
{
  QPainterPath body;
  body.moveTo(0, -50);
  body.cubicTo(9, -33, 50, -15, 50, 11);
  body.cubicTo(50, 27, 39, 36, 27, 36);
  body.cubicTo(17, 36, 9, 31, 4, 22);
  body.lineTo(-4, 22);
  body.cubicTo(-9, 31, -17, 36, -27, 36);
  body.cubicTo(-39, 36, -50, 27, -50, 11);
  body.cubicTo(-50, -15, -9, -33, 0, -50);
  body.closeSubpath();
  return body.united(stem(4, 18));
}

QPainterPath club()
{
  QPainterPath lobes;
  // Lobes only just touching, so the three stay apart even at index size.
  const double r = 23;
  lobes.addEllipse(QPointF(0, -27), r, r);
  lobes.addEllipse(QPointF(-27, 9), r, r);
  lobes.addEllipse(QPointF(27, 9), r, r);
  lobes.addEllipse(QPointF(0, 3), 10, 10);
  lobes.setFillRule(Qt::WindingFill);
  return lobes.simplified().united(stem(5, 12));
}

}  // namespace

bool isRed(Suit suit) { return suit == Suit::Diamonds || suit == Suit::Hearts; }

char suitLetter(Suit suit)
{
  // The game's own letters, in its deck order, which is the order of Suit.
  return korvel::SuitLetters[static_cast<std::size_t>(suit)];
}

QColor suitInk(Suit suit) { return isRed(suit) ? QColor(210, 0, 0) : QColor(0, 0, 0); }

QPainterPath suitPath(Suit suit)
{
  // Built once: the club and spade need path unions, which are not free.
  static const QPainterPath paths[] = {diamond(), club(), heart(), spade()};
  return paths[int(suit)];
}

double suitAspect(Suit suit)
{
  switch (suit) {
    case Suit::Diamonds: return 0.78;
    case Suit::Clubs: return 1.0;
    case Suit::Hearts: return 1.02;
    case Suit::Spades: return 0.92;
  }
  return 1.0;
}

void drawSuit(QPainter& painter, Suit suit, QPointF centre, double height, const QColor& colour, bool upsideDown)
{
  drawSuit(painter, suit, centre, QSizeF(height * suitAspect(suit), height), colour, upsideDown);
}

void drawSuit(QPainter& painter, Suit suit, QPointF centre, QSizeF size, const QColor& colour, bool upsideDown)
{
  QTransform t;
  t.translate(centre.x(), centre.y());
  if (upsideDown) t.rotate(180);
  t.scale(size.width() / 100.0, size.height() / 100.0);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.drawPath(t.map(suitPath(suit)));
  painter.restore();
}

QImage suitSprite(Suit suit, double height, const QColor& colour, int scale)
{
  // Whole, odd numbers of pixels across and down: centred on a pixel centre, the outer
  // edges of the symbol then fall on pixel boundaries instead of smearing over two.
  const auto odd = [](double v) { return 2 * int(std::lround((v - 1) / 2)) + 1; };
  const QSizeF shape(odd(height * suitAspect(suit)), odd(height));
  const int size = int(std::max(shape.width(), shape.height())) + 2;
  QImage img = scaledCanvas(size, size, scale, Qt::transparent);
  {
    QPainter p(&img);
    drawSuit(p, suit, QPointF(size / 2.0, size / 2.0), shape, colour);
  }
  crispen(img);
  return img;
}

void crispen(QImage& image)
{
  QImage plain = straightAlpha(image);
  for (int y = 0; y < plain.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(plain.scanLine(y));
    for (int x = 0; x < plain.width(); ++x) {
      const int a = std::clamp((qAlpha(line[x]) - 128) * 2 + 128, 0, 255);
      line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), a);
    }
  }
  image = plain.convertToFormat(image.format());
}

}  // namespace korvel::cardgen
