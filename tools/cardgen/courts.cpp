// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "courts.h"

#include "canvas.h"

#include <QPainter>
#include <QPainterPath>

#include <initializer_list>
#include <iterator>

namespace korvel::cardgen {

namespace {

// The figure is drawn once into the top half of the panel; the bottom half is the same
// picture turned over, as on double-ended cards. Coordinates below are in that top half,
// whose centre line is x = kMid.
constexpr double kMid = 21.5;
constexpr double kBottom = 40;

struct Colours {
  QColor frame;
  QColor ground;
  QColor outline{40, 30, 20};
  QColor robeLeft;
  QColor robeRight;
  QColor gold{236, 184, 28};
  QColor skin{255, 218, 178};
  QColor hair;
  QColor white{250, 250, 250};
  QColor steel{175, 180, 195};
};

Colours coloursFor(int rank, Suit suit)
{
  Colours c;
  c.frame = suitInk(suit);
  c.ground = QColor(255, 247, 214);
  const QColor red(200, 28, 28);
  const QColor blue(34, 78, 186);
  const QColor dark(44, 44, 56);
  const QColor primary = isRed(suit) ? red : dark;
  // Each court wears its colours the other way round, so the three are told apart at once.
  c.robeLeft = rank == 12 ? blue : primary;
  c.robeRight = rank == 12 ? primary : blue;
  c.hair = rank == 13 ? QColor(120, 72, 36) : QColor(232, 178, 40);
  return c;
}

void setOutline(QPainter& p, const Colours& c)
{
  p.setPen(QPen(c.outline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

QPainterPath mirroredPolygon(std::initializer_list<QPointF> rightHalf)
{
  // Builds a left-right symmetric outline from its right half, listed top to bottom.
  QPolygonF poly;
  for (const QPointF& pt : rightHalf) poly << pt;
  for (auto it = std::rbegin(rightHalf); it != std::rend(rightHalf); ++it) poly << QPointF(2 * kMid - it->x(), it->y());
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  return path;
}

void drawRobe(QPainter& p, const Colours& c)
{
  QPainterPath robe;
  robe.moveTo(3.5, kBottom);
  robe.lineTo(3.5, 35);
  robe.cubicTo(4, 31, 9, 28.5, 15, 27.5);
  robe.lineTo(28, 27.5);
  robe.cubicTo(34, 28.5, 39, 31, 39.5, 35);
  robe.lineTo(39.5, kBottom);
  robe.closeSubpath();

  setOutline(p, c);
  p.save();
  p.setClipRect(QRectF(0, 0, kMid, kBottom));
  p.setBrush(c.robeLeft);
  p.drawPath(robe);
  p.setClipRect(QRectF(kMid, 0, kMid, kBottom));
  p.setBrush(c.robeRight);
  p.drawPath(robe);
  p.restore();

  // Gold band down the front.
  p.setBrush(c.gold);
  p.drawRect(QRectF(kMid - 2.5, 27.5, 5, kBottom - 27.5));
}

void drawHand(QPainter& p, const Colours& c, QPointF at)
{
  setOutline(p, c);
  p.setBrush(c.skin);
  p.drawEllipse(at, 2.5, 2.2);
}

void drawFace(QPainter& p, const Colours& c, bool lips)
{
  setOutline(p, c);
  p.setBrush(c.skin);
  p.drawEllipse(QPointF(kMid, 18), 5.5, 6.5);
  p.setPen(Qt::NoPen);
  p.fillRect(QRect(19, 17, 1, 1), c.outline);
  p.fillRect(QRect(24, 17, 1, 1), c.outline);
  p.fillRect(QRect(21, 19, 2, 1), c.skin.darker(125));
  if (lips) p.fillRect(QRect(21, 21, 2, 1), QColor(200, 30, 40));
}

// King: a tall three-pointed crown, a full beard, an ermine collar and a sword.
void drawKing(QPainter& p, const Colours& c)
{
  // Sword held upright on his left (our right).
  setOutline(p, c);
  p.setBrush(c.steel);
  p.drawRect(QRectF(33.5, 1.5, 3, 29));
  p.setBrush(c.gold);
  p.drawRect(QRectF(30.5, 27.5, 9, 2));

  drawRobe(p, c);
  // Ermine: white fur with black tails across the shoulders.
  setOutline(p, c);
  p.setBrush(c.white);
  p.drawRoundedRect(QRectF(10.5, 26.5, 22, 4), 2, 2);
  for (int x : {13, 17, 25, 29}) p.fillRect(QRect(x, 28, 1, 2), c.outline);
  drawHand(p, c, QPointF(35, 32));

  drawFace(p, c, false);
  // Beard and moustache cover the lower face.
  setOutline(p, c);
  p.setBrush(c.hair);
  p.drawPath(mirroredPolygon({{kMid, 20.5}, {25, 19.5}, {27.5, 19}, {27.5, 24}, {25, 29}, {kMid, 31}}));

  // Crown: three points with pearls on a jewelled band.
  setOutline(p, c);
  p.setBrush(c.gold);
  p.drawPath(mirroredPolygon({{kMid, 3.5}, {24, 8}, {27, 4.5}, {27.5, 12.5}}));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 28, 28));
  p.drawRect(QRectF(20.5, 9.5, 2, 2));
  setOutline(p, c);
  p.setBrush(c.white);
  p.drawEllipse(QPointF(kMid, 3), 1.5, 1.5);
  p.drawEllipse(QPointF(15.5, 4), 1.5, 1.5);
  p.drawEllipse(QPointF(27.5, 4), 1.5, 1.5);
}

// Queen: long golden hair, a low rounded crown and a flower.
void drawQueen(QPainter& p, const Colours& c)
{
  // Hair falls behind the face down to the shoulders.
  setOutline(p, c);
  p.setBrush(c.hair);
  QPainterPath hair;
  hair.moveTo(kMid, 10.5);
  hair.cubicTo(30, 10.5, 29.5, 20, 30.5, 30);
  hair.lineTo(12.5, 30);
  hair.cubicTo(13.5, 20, 13, 10.5, kMid, 10.5);
  hair.closeSubpath();
  p.drawPath(hair);

  drawRobe(p, c);
  // A necklace across the neckline.
  p.setPen(QPen(c.gold, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(15.5, 23.5, 12, 8), 200 * 16, 140 * 16);

  drawFace(p, c, true);

  // Crown: a band with three rounded arches.
  setOutline(p, c);
  p.setBrush(c.gold);
  QPainterPath crown;
  crown.moveTo(15.5, 12.5);
  crown.lineTo(15.5, 7.5);
  crown.quadTo(17, 4.5, 18.5, 7.5);
  crown.quadTo(kMid, 2.5, 24.5, 7.5);
  crown.quadTo(26, 4.5, 27.5, 7.5);
  crown.lineTo(27.5, 12.5);
  crown.closeSubpath();
  p.drawPath(crown);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(34, 78, 186));
  p.drawRect(QRectF(20.5, 9.5, 2, 2));

  // The flower she holds, on the side away from the corner symbol.
  p.setPen(QPen(QColor(40, 140, 50), 1.0));
  p.drawLine(QPointF(8.5, 31), QPointF(8.5, 21));
  setOutline(p, c);
  p.setBrush(QColor(214, 40, 60));
  p.drawEllipse(QPointF(8.5, 18.5), 2.8, 2.8);
  p.setPen(Qt::NoPen);
  p.setBrush(c.gold);
  p.drawEllipse(QPointF(8.5, 18.5), 1, 1);
  drawHand(p, c, QPointF(8.5, 32));
}

// Jack: young, beardless, a feathered cap and a halberd.
void drawJack(QPainter& p, const Colours& c)
{
  // Halberd: a long shaft with an axe blade at the top.
  setOutline(p, c);
  p.setBrush(QColor(150, 96, 44));
  p.drawRect(QRectF(34.5, 5.5, 2, kBottom - 5));
  p.setBrush(c.steel);
  QPainterPath blade;
  blade.moveTo(35.5, 1.5);
  blade.lineTo(37.5, 5);
  blade.lineTo(41, 4.5);
  blade.quadTo(40, 9, 41, 13.5);
  blade.lineTo(36.5, 11);
  blade.lineTo(33.5, 8);
  blade.closeSubpath();
  p.drawPath(blade);

  // Short curled hair.
  p.setBrush(c.hair);
  p.drawEllipse(QPointF(kMid, 18.5), 7.5, 7);

  drawRobe(p, c);
  // A white ruff collar.
  setOutline(p, c);
  p.setBrush(c.white);
  p.drawPath(mirroredPolygon({{kMid, 24.5}, {26.5, 24.5}, {28.5, 29.5}, {kMid, 30.5}}));
  drawHand(p, c, QPointF(35.5, 32));

  drawFace(p, c, false);

  // Cap with a brim and a feather sweeping back.
  setOutline(p, c);
  p.setBrush(c.robeLeft);
  QPainterPath cap;
  cap.moveTo(13.5, 13.5);
  cap.cubicTo(13.5, 3.5, 29.5, 3.5, 29.5, 13.5);
  cap.closeSubpath();
  p.drawPath(cap);
  p.setBrush(c.gold);
  p.drawRect(QRectF(13.5, 11.5, 16, 2));
  QPainterPath feather;
  feather.moveTo(24, 8);
  feather.quadTo(27, 1.5, 32.5, 2.5);
  feather.quadTo(29, 6, 24, 8);
  setOutline(p, c);
  p.setBrush(QColor(40, 150, 70));
  p.drawPath(feather);
}

QImage topHalf(int rank, Suit suit, QSize size, int scale)
{
  const Colours c = coloursFor(rank, suit);
  QImage half = scaledCanvas(size.width(), size.height() / 2, scale, c.ground);
  QPainter p(&half);
  p.setRenderHint(QPainter::Antialiasing, true);
  if (rank == 13)
    drawKing(p, c);
  else if (rank == 12)
    drawQueen(p, c);
  else
    drawJack(p, c);
  const QImage pip = suitSprite(suit, 8, suitInk(suit), scale);
  p.drawImage(QPoint(2, 2), pip);
  return half;
}

}  // namespace

QImage courtPanel(int rank, Suit suit, QSize size, int scale)
{
  const Colours c = coloursFor(rank, suit);
  const QImage half = topHalf(rank, suit, size, scale);
  QImage panel = scaledCanvas(size.width(), size.height(), scale, c.ground);
  QPainter p(&panel);
  p.drawImage(0, 0, half);
  p.drawImage(0, size.height() - pictureSize(half).height(), half.mirrored(true, true));
  // Frame and the line parting the two halves, filled rather than stroked so that they cover
  // whole pixels at any scale.
  const int w = size.width();
  const int h = size.height();
  for (const QRect& line :
       {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h), QRect(1, h / 2, w - 2, 1)})
    p.fillRect(line, c.frame);
  return panel;
}

}  // namespace korvel::cardgen
