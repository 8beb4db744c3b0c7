// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Whether a picture kept in assets/ is what the art tool draws today, as a viewer sees it rather
// than byte for byte: pictures decoded, each channel of each pixel within 1 (an antialiased edge
// may round the other way on another machine or Qt); SVG files by their XML, not its spacing.
//   artwork_compare KEPT DRAWN      status 0: the same; 1: they differ (said on stderr); 2: unreadable

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kChannelTolerance = 1;

// The XML's content, one line per node: elements with their attributes, text and comments with
// their blanks collapsed, blank text left out.
QStringList SvgContent(QFile& file)
{
  QStringList content;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      QStringList attributes;
      for (const QXmlStreamAttribute& a : xml.attributes())
        attributes << a.qualifiedName().toString() + QLatin1Char('=') + a.value().toString().simplified();
      attributes.sort();
      content << QLatin1Char('<') + xml.qualifiedName().toString() + QLatin1Char(' ') +
                     attributes.join(QLatin1Char(' '));
    } else if (xml.isEndElement()) {
      content << QStringLiteral("</") + xml.qualifiedName().toString();
    } else if ((xml.isCharacters() || xml.isComment()) && !xml.isWhitespace()) {
      content << xml.text().toString().simplified();
    }
  }
  if (xml.hasError()) content << QStringLiteral("(unreadable XML: %1)").arg(xml.errorString());
  return content;
}

int CompareSvg(const QString& kept, const QString& drawn)
{
  QFile a(kept), b(drawn);
  if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly)) return 2;
  const QStringList x = SvgContent(a), y = SvgContent(b);
  for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
    if (x.value(i) != y.value(i)) {
      std::fprintf(stderr, "node %lld: kept %s, drawn %s\n", static_cast<long long>(i), qPrintable(x.value(i)),
                   qPrintable(y.value(i)));
      return 1;
    }
  }
  return 0;
}

int ComparePictures(const QString& kept, const QString& drawn)
{
  QImage a(kept), b(drawn);
  if (a.isNull() || b.isNull()) return 2;
  if (a.size() != b.size()) {
    std::fprintf(stderr, "kept %dx%d, drawn %dx%d\n", a.width(), a.height(), b.width(), b.height());
    return 1;
  }
  a = a.convertToFormat(QImage::Format_ARGB32);
  b = b.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int apart = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
      if (apart > kChannelTolerance) {
        std::fprintf(stderr, "pixel (%d, %d): kept #%08x, drawn #%08x\n", x, y, p, q);
        return 1;
      }
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  QCoreApplication app(argc, argv);  // the image format plugins are found through it
  if (argc != 3) {
    std::fprintf(stderr, "usage: artwork_compare KEPT DRAWN\n");
    return 2;
  }
  const QString kept = QString::fromLocal8Bit(argv[1]), drawn = QString::fromLocal8Bit(argv[2]);
  const int status = kept.endsWith(QLatin1String(".svg")) ? CompareSvg(kept, drawn) : ComparePictures(kept, drawn);
  if (status == 2) std::fprintf(stderr, "cannot read %s or %s\n", argv[1], argv[2]);
  return status;
}
