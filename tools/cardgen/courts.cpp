#include "courts.h"

#include "fonts.h"

#include <QPainter>

namespace korvel::cardgen {

QImage courtPanel(int rank, Suit suit, QSize size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(250, 240, 200));
    QPainter p(&img);
    p.setPen(suitInk(suit));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    p.setFont(serifFont(24));
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, QString(QLatin1Char("JQK"[rank - 11])));
    return img;
}

}  // namespace korvel::cardgen
