// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Card pictures come from outside the program: reading them must survive anything, and a picture that
// cannot be read must end the game with a message that names it.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "TableFixture.h"
#include "shell/SolitaireWindow.h"
#include "shell/Startup.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;
namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The smallest transparent GIF: 1 x 1, a two-colour table, one frame.
const std::vector<unsigned char> kTinyGif = {'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80,
                                             0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04,
                                             0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01,
                                             0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

// Writes a GIF with giflib: an interlaced frame with its own palette and a transparent index, placed
// inside a larger logical screen, followed by a second frame.
void WriteTwoFrameGif(const std::string& path)
{
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  ASSERT_NE(gif, nullptr);
  EGifSetGifVersion(gif, true);
  GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  ASSERT_EQ(EGifPutScreenDesc(gif, 6, 10, 2, 0, nullptr), GIF_OK);
  const unsigned char gce[4] = {0x01, 0, 0, 3};  // index 3 is transparent
  EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce);
  ASSERT_EQ(EGifPutImageDesc(gif, 1, 1, 4, 8, true, map), GIF_OK);
  // Interlaced rows are written in pass order: 0, 8.. / 4 / 2, 6 / 1, 3, 5, 7. Row r holds colour r % 4.
  for (int row : {0, 4, 2, 6, 1, 3, 5, 7}) {
    GifPixelType line[4];
    std::fill(std::begin(line), std::end(line), static_cast<GifPixelType>(row % 4));
    ASSERT_EQ(EGifPutLine(gif, line, 4), GIF_OK);
  }
  // The second frame's own palette takes the place of the first one's in giflib.
  GifColorType others[4] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  GifFreeMapObject(map);
  map = GifMakeMapObject(4, others);
  ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, 6, 10, false, map), GIF_OK);
  for (int row = 0; row < 10; ++row) {
    GifPixelType line[6] = {0, 0, 0, 0, 0, 0};
    ASSERT_EQ(EGifPutLine(gif, line, 6), GIF_OK);
  }
  GifFreeMapObject(map);
  ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
}

// Writes one frame of colour indices with giflib's encoder: a palette of 2^bits distinct colours.
void WriteIndexedGif(const std::string& path, int width, int height, int bits, bool interlaced,
                     const std::vector<GifPixelType>& pixels)
{
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  ASSERT_NE(gif, nullptr);
  std::vector<GifColorType> colours(std::size_t{1} << bits);
  for (std::size_t i = 0; i < colours.size(); ++i)
    colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i), static_cast<GifByteType>(i * 7)};
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  ASSERT_EQ(EGifPutScreenDesc(gif, width, height, bits, 0, map), GIF_OK);
  ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr), GIF_OK);
  std::vector<int> rows;
  if (interlaced) {
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
      for (int row = start; row < height; row += step) rows.push_back(row);
  } else {
    for (int row = 0; row < height; ++row) rows.push_back(row);
  }
  for (int row : rows)
    ASSERT_EQ(EGifPutLine(gif, const_cast<GifPixelType*>(pixels.data()) + row * width, width), GIF_OK);
  GifFreeMapObject(map);
  ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
}

class PictureFiles : public ::testing::Test {
 protected:
  std::string File(const std::string& name) const { return (fs::path(dir.path().toStdString()) / name).string(); }
  std::string Reason(const std::string& path)
  {
    try {
      LoadCardPicture(path);
    } catch (const PictureError& e) {
      EXPECT_EQ(e.Bad().File, path);
      return e.Bad().Reason;
    }
    return "read";
  }
  QTemporaryDir dir;
};

TEST_F(PictureFiles, ReadsTheGeneratedCardsAsPremultipliedPictures)
{
  for (const std::string& name : CardPictureNames()) {
    const QImage image = LoadCardPicture(ProgramFolder() + "/cards/" + name);
    EXPECT_EQ(image.size(), QSize(73, 97)) << name;
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied) << name;
    EXPECT_EQ(fs::status(ProgramFolder() + "/cards/" + name).permissions() & fs::perms::others_read,
              fs::perms::others_read)
        << name << " is read by whoever plays";
  }
  const QImage ace = LoadCardPicture(ProgramFolder() + "/cards/As.gif");
  EXPECT_EQ(qAlpha(ace.pixel(0, 0)), 0) << "rounded corners are transparent";
  EXPECT_EQ(ace.pixelColor(36, 10), QColor(Qt::white)) << "a white card";
}

TEST_F(PictureFiles, DecodesInterlacingLocalPalettesOffsetsAndTransparency)
{
  WriteTwoFrameGif(File("frames.gif"));
  const QImage image = LoadCardPicture(File("frames.gif"));
  ASSERT_EQ(image.size(), QSize(6, 10));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "outside the frame";
  const QColor expected[] = {Qt::red, Qt::green, Qt::blue};
  for (int row = 0; row < 8; ++row) {
    if (row % 4 == 3)
      EXPECT_EQ(qAlpha(image.pixel(2, row + 1)), 0) << row;
    else
      EXPECT_EQ(image.pixelColor(2, row + 1), expected[row % 4]) << row;
  }
  EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0) << "the second frame is not drawn";

  // Only a graphic control extension says which colour is see-through: a comment of the same
  // length, whose bytes would read as "index 0 is transparent", says nothing.
  std::vector<unsigned char> comment = kTinyGif;
  comment[20] = 0xFE;  // the extension before the frame becomes a comment
  WriteBytes(File("comment.gif"), comment);
  WriteBytes(File("tiny.gif"), kTinyGif);
  EXPECT_EQ(qAlpha(LoadCardPicture(File("tiny.gif")).pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(LoadCardPicture(File("comment.gif")).pixel(0, 0)), 255);
  // An index past a two-colour table has no colour: it is see-through, not whatever follows.
  std::vector<unsigned char> past = comment;
  past[39] = 0x54;  // clear, index 2, end
  WriteBytes(File("past.gif"), past);
  EXPECT_EQ(qAlpha(LoadCardPicture(File("past.gif")).pixel(0, 0)), 0);
}

TEST_F(PictureFiles, DecodesWhatAnEncoderWrites)
{
  // Noise fills the code table again and again; runs make the longest strings the table holds.
  struct Case {
    const char* name;
    int width, height, bits;
    bool interlaced;
    int (*colour)(int x, int y);
  };
  const Case cases[] = {
      {"noise", 300, 200, 8, false, [](int x, int y) { return (x * 7919 + y * 104729 + (x * y) % 13) & 0xFF; }},
      {"noise, interlaced", 97, 61, 8, true, [](int x, int y) { return (x * 31 + y * 17 + x * x * y) & 0xFF; }},
      {"two colours", 73, 97, 1, false, [](int x, int y) { return (x / 3 + y / 5) & 1; }},
      {"stripes", 640, 480, 4, false, [](int x, int) { return (x / 40) & 15; }},
      {"one colour", 1024, 1024, 2, false, [](int, int) { return 3; }},
  };
  for (const Case& c : cases) {
    std::vector<GifPixelType> pixels(static_cast<std::size_t>(c.width) * c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) pixels[y * c.width + x] = static_cast<GifPixelType>(c.colour(x, y));
    WriteIndexedGif(File("encoded.gif"), c.width, c.height, c.bits, c.interlaced, pixels);
    const QImage image = LoadCardPicture(File("encoded.gif"));
    ASSERT_EQ(image.size(), QSize(c.width, c.height)) << c.name;
    int wrong = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const int i = pixels[y * c.width + x];
        wrong += image.pixel(x, y) != qRgb(i, 255 - i, (i * 7) & 0xFF);
      }
    EXPECT_EQ(wrong, 0) << c.name;
  }

  // A writer may never clear the table: past 4096 codes it stays full and the codes stay 12 bits
  // wide. Here every code is a colour, so the picture is the codes themselves.
  constexpr int kWidth = 80, kHeight = 64;
  std::vector<unsigned char> data;
  std::uint32_t bits = 0;
  int held = 0, width = 9, next = 258;
  auto put = [&](int code) {
    bits |= static_cast<std::uint32_t>(code) << held;
    for (held += width; held >= 8; held -= 8, bits >>= 8) data.push_back(bits & 0xFF);
  };
  for (int i = 0; i < kWidth * kHeight; ++i) {
    put((i * 37) & 0xFF);
    // Each code after the first defines one more, and the width follows the table's size.
    if (i > 0 && next < 4096 && ++next == (1 << width) && width < 12) ++width;
  }
  put(257);
  if (held > 0) data.push_back(bits & 0xFF);
  std::vector<unsigned char> file = {'G', 'I', 'F', '8', '7', 'a', kWidth, 0, kHeight, 0, 0xF7, 0, 0};
  for (int i = 0; i < 256; ++i) file.insert(file.end(), {static_cast<unsigned char>(i), 0, 0});
  file.insert(file.end(), {0x2C, 0, 0, 0, 0, kWidth, 0, kHeight, 0, 0, 8});
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    file.push_back(static_cast<unsigned char>(n));
    file.insert(file.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
  }
  file.insert(file.end(), {0, 0x3B});
  WriteBytes(File("noclear.gif"), file);
  const QImage image = LoadCardPicture(File("noclear.gif"));
  int wrong = 0;
  for (int i = 0; i < kWidth * kHeight; ++i)
    wrong += image.pixel(i % kWidth, i / kWidth) != qRgb((i * 37) & 0xFF, 0, 0);
  EXPECT_EQ(wrong, 0);

  // A one-bit code size, which no common writer uses but a file may: the codes widen to 3 bits right
  // after the first one. Clear, 0, 1, then the string "0 1" defined by them, then the end code.
  WriteBytes(File("onebit.gif"), {'G', 'I',  'F', '8', '7', 'a', 4, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0,   0,
                                  0,   0x2C, 0,   0,   0,   0,   4, 0, 1, 0, 0,    1, 2, 0x12, 0x0E, 0,    0x3B});
  const QImage oneBit = LoadCardPicture(File("onebit.gif"));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(oneBit.pixel(x, 0), x % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << x;
}

TEST_F(PictureFiles, RefusesBrokenFilesWithAReasonAndNeverACrash)
{
  std::vector<unsigned char> card = ReadBytes(ProgramFolder() + "/cards/Kh.gif");
  ASSERT_GT(card.size(), 100u);
  ASSERT_EQ(card.back(), 0x3B);

  WriteBytes(File("cut.gif"), {card.begin(), card.begin() + static_cast<long>(card.size() / 2)});
  WriteBytes(File("notrailer.gif"), {card.begin(), card.end() - 1});
  WriteBytes(File("cutbeforetrailer.gif"), {card.begin(), card.end() - 3});
  std::vector<unsigned char> defect = kTinyGif;
  defect[39] = defect[40] = 0xFF;  // codes the compressed image cannot hold
  WriteBytes(File("defect.gif"), defect);
  std::vector<unsigned char> early = kTinyGif;
  early[39] = 0x2C;  // clear, then the end code before the one pixel
  WriteBytes(File("earlyend.gif"), early);
  // A code size no GIF can have, 0 or past 8 bits, with every byte of the file there.
  for (const int codeSize : {0, 9, 12, 255}) {
    std::vector<unsigned char> badCodes = kTinyGif;
    badCodes[37] = static_cast<unsigned char>(codeSize);
    WriteBytes(File("codesize" + std::to_string(codeSize) + ".gif"), badCodes);
  }
  std::vector<unsigned char> noData(kTinyGif.begin(), kTinyGif.begin() + 38);
  noData.insert(noData.end(), {0x00, 0x3B});  // the code size, then no data block at all
  WriteBytes(File("nodata.gif"), noData);
  std::vector<unsigned char> huge = kTinyGif;
  huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;  // a 65535 x 65535 screen
  WriteBytes(File("huge.gif"), huge);
  std::vector<unsigned char> hugeFrame = kTinyGif;
  hugeFrame[32] = hugeFrame[33] = hugeFrame[34] = hugeFrame[35] = 0xFF;  // a 65535 x 65535 frame
  WriteBytes(File("hugeframe.gif"), hugeFrame);
  std::vector<unsigned char> wide = kTinyGif;
  wide[6] = 0x01, wide[7] = 0x04;  // a screen of 1025 x 1: one pixel past the largest side
  WriteBytes(File("wide.gif"), wide);
  WriteBytes(File("text.gif"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'});
  WriteBytes(File("empty.gif"), {});
  WriteBytes(File("header.gif"), {kTinyGif.begin(), kTinyGif.begin() + 13});
  std::vector<unsigned char> noFrame(kTinyGif.begin(), kTinyGif.begin() + 19);
  WriteBytes(File("cutbeforeframe.gif"), noFrame);                                       // cut before the first image
  WriteBytes(File("cutbeforecodesize.gif"), {kTinyGif.begin(), kTinyGif.begin() + 37});  // after its descriptor
  noFrame.push_back(0x3B);
  WriteBytes(File("noframe.gif"), noFrame);
  QDir(QString::fromStdString(File("folder.gif"))).mkpath(".");

  const std::pair<const char*, const char*> cases[] = {
      {"cut.gif", "image incomplète"},
      {"cutbeforetrailer.gif", "image incomplète"},
      {"defect.gif", "image endommagée"},
      {"huge.gif", "dimensions invalides"},
      {"earlyend.gif", "image endommagée"},
      {"nodata.gif", "image endommagée"},
      {"hugeframe.gif", "dimensions invalides"},
      {"text.gif", "ce n'est pas une image GIF"},
      {"empty.gif", "image incomplète"},
      {"header.gif", "image incomplète"},
      {"noframe.gif", "image endommagée"},
      {"missing.gif", "fichier introuvable"},
      {"folder.gif", "fichier illisible"},
      {"codesize0.gif", "image endommagée"},
      {"codesize9.gif", "image endommagée"},
      {"codesize12.gif", "image endommagée"},
      {"codesize255.gif", "image endommagée"},
      {"wide.gif", "dimensions invalides"},
      {"cutbeforeframe.gif", "image incomplète"},
      {"cutbeforecodesize.gif", "image incomplète"},
  };
  for (const auto& [name, reason] : cases) EXPECT_EQ(Reason(File(name)), reason) << name;
  // The end of a file leaves errno as it was: an interrupted call's EINTR from before must not make
  // the reader try again for ever.
  errno = EINTR;
  EXPECT_EQ(Reason(File("empty.gif")), "image incomplète");
  WriteBytes(File("tiny.gif"), kTinyGif);
  EXPECT_EQ(Reason(File("tiny.gif")), "read");
  // Only the first image shows, so nothing after it is read: no trailer, junk, a second image cut
  // short. Each reads as the whole file does, by play and check alike.
  std::vector<unsigned char> after(card.begin(), card.end() - 1);
  after.insert(after.end(), {'X', 'Y', 'Z'});
  WriteBytes(File("junkafter.gif"), after);
  after.resize(card.size() - 1);
  after.insert(after.end(), {0x2C, 0, 0, 0});
  WriteBytes(File("cutafter.gif"), after);
  const QImage king = LoadCardPicture(ProgramFolder() + "/cards/Kh.gif");
  for (const char* name : {"notrailer.gif", "junkafter.gif", "cutafter.gif"}) {
    EXPECT_EQ(LoadCardPicture(File(name)), king) << name;
    EXPECT_FALSE(CheckCardPicture(File(name))) << name;
  }
  // A screen left at 0 x 0 takes the frame's size; a far-placed frame there is refused.
  std::vector<unsigned char> noScreen = kTinyGif;
  noScreen[6] = noScreen[8] = 0;
  WriteBytes(File("noscreen.gif"), noScreen);
  EXPECT_EQ(LoadCardPicture(File("noscreen.gif")).size(), QSize(1, 1));
  noScreen[29] = 0xF0;  // frame Left 61440
  WriteBytes(File("farframe.gif"), noScreen);
  EXPECT_EQ(Reason(File("farframe.gif")), "dimensions invalides");
}

// Files that once broke the reader: each reads the same way in the check and in play, under the
// sanitizers too.
TEST(RegressionPictures, ReadWithoutHarm)
{
  int files = 0;
  for (const auto& entry : fs::directory_iterator(KORVEL_TEST_PICTURES)) {
    const std::string path = entry.path().string();
    const std::optional<BadPicture> bad = CheckCardPicture(path);
    try {
      EXPECT_LE(LoadCardPicture(path).width(), MaxPictureSide) << path;
      EXPECT_FALSE(bad) << path;
    } catch (const PictureError& e) {
      EXPECT_TRUE(bad && bad->Reason == e.Bad().Reason) << path;
    }
    ++files;
  }
  EXPECT_GT(files, 0);
}

// --- The start-up check and the game's error path ---

class CardsFolder : public ::testing::Test {
 protected:
  void SetUp() override
  {
    fs::create_directory(Cards());
    for (const std::string& name : CardPictureNames())
      fs::copy_file(ProgramFolder() + "/cards/" + name, Cards() / name);
  }
  std::string Folder() const { return dir.path().toStdString(); }
  fs::path Cards() const { return fs::path(Folder()) / "cards"; }
  QTemporaryDir dir;
};

TEST_F(CardsFolder, TheStartUpCheckReportsEveryBadFileInOneMessage)
{
  EXPECT_TRUE(ReadCardFiles(Folder()).Bad().empty());
  fs::remove(Cards() / "th.gif");
  WriteBytes((Cards() / "Qs.gif").string(), {'P', 'N', 'G'});
  std::vector<unsigned char> huge = kTinyGif;
  huge[7] = 0x7F;
  WriteBytes((Cards() / "InvertedB.gif").string(), huge);
  // Faults past the header are found too: the whole first image of every file is decoded before play.
  const std::vector<unsigned char> card = ReadBytes((Cards() / "Kd.gif").string());
  WriteBytes((Cards() / "Kd.gif").string(), {card.begin(), card.begin() + static_cast<long>(card.size() / 2)});
  std::vector<unsigned char> hugeFrame = kTinyGif;
  hugeFrame[33] = hugeFrame[35] = 0x7F;  // a frame of some 32000 pixels a side in a 1 x 1 screen
  WriteBytes((Cards() / "7c.gif").string(), hugeFrame);
  // Opening a FIFO for reading would wait for a writer forever.
  fs::remove(Cards() / "5h.gif");
  ASSERT_EQ(::mkfifo((Cards() / "5h.gif").c_str(), 0644), 0);
  const std::vector<BadPicture> bad = ReadCardFiles(Folder()).Bad();
  ASSERT_EQ(bad.size(), 6u);
  const std::string text = PictureErrorText(bad);
  for (const char* file : {"/cards/th.gif : fichier introuvable", "/cards/Qs.gif : ce n'est pas une image GIF",
                           "/cards/InvertedB.gif : dimensions invalides", "/cards/Kd.gif : image incomplète",
                           "/cards/7c.gif : dimensions invalides", "/cards/5h.gif : fichier illisible"})
    EXPECT_NE(text.find(file), std::string::npos) << text;
  EXPECT_EQ(text.find("autres"), std::string::npos);
  EXPECT_TRUE(text.starts_with("Impossible de lire les images de cartes suivantes :\n\n")) << text;
  EXPECT_TRUE(text.ends_with("\n\nLe jeu Korvel Solitaire doit se fermer.")) << text;

  fs::remove_all(Cards());
  const std::vector<BadPicture> all = ReadCardFiles(Folder()).Bad();
  EXPECT_EQ(all.size(), 53u);
  EXPECT_NE(PictureErrorText(all).find("... et 41 autres fichiers."), std::string::npos);
  // A dozen are named, the rest counted.
  for (const auto& [count, tail] : {std::pair<std::size_t, const char*>{12, "inlu.gif : x\n\nLe jeu"},
                                    {13, "inlu.gif : x\n... et 1 autre fichier.\n"}}) {
    const std::vector<BadPicture> some(count, BadPicture{"inlu.gif", "x"});
    EXPECT_NE(PictureErrorText(some).find(tail), std::string::npos) << count;
  }
}

// Each file is read once per start: the first deal takes the pictures the start-up read, later ones
// read their files again.
TEST_F(CardsFolder, TheFirstDealTakesWhatTheStartUpReadAndLaterDealsReadTheFiles)
{
  frmSolitaire form(Folder());
  std::vector<std::string> reported;
  form.OnPictureError = [&](const PictureError& e) { reported.push_back(e.Bad().File); };
  form.UseStartUpReads(ReadCardFiles(Folder()));
  fs::remove_all(Cards());
  form.RunHandler([&] { form.Form_Load(); });
  EXPECT_TRUE(reported.empty()) << reported.front();
  EXPECT_EQ(form.imgPile(0).Picture().size(), QSize(73, 97));
  EXPECT_EQ(form.imgEnd().Picture(), LoadCardPicture(ProgramFolder() + "/cards/InvertedB.gif"));
  form.RunHandler([&] { form.mnuGameDeal_Click(); });
  EXPECT_EQ(reported.size(), 1u) << "the second deal reads its files";
}

TEST(ExecutableFolder, IsTheFolderQtGivesTheApplication)
{
  EXPECT_EQ(ExecutableFolder(), QCoreApplication::applicationDirPath().toStdString());
}

TEST_F(CardsFolder, AFileThatBecomesUnreadableDuringPlayEndsTheGame)
{
  frmSolitaire form(Folder());
  std::vector<std::string> reported;
  form.OnPictureError = [&](const PictureError& e) { reported.push_back(e.Bad().File); };
  form.RunHandler([&] { form.Form_Load(); });
  ASSERT_TRUE(reported.empty());
  fs::remove(Cards() / (form.Deck[51].Code + ".gif"));

  form.PointerPress(600, 600);  // the stock's front card: slot 51
  form.PointerRelease(600, 600);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], (Cards() / (form.Deck[51].Code + ".gif")).string());
  EXPECT_TRUE(form.Failed());

  // Nothing answers any more.
  const TableSnapshot after = Snapshot(form);
  form.PointerMove(300, 2100, 0);
  form.PointerPress(600, 600);
  form.PointerRelease(600, 600);
  form.RunHandler([&] { form.mnuGameDeal_Click(); });
  EXPECT_EQ(Snapshot(form), after);
  EXPECT_EQ(reported.size(), 1u);
}

TEST_F(CardsFolder, StartingWithAMissingFileShowsTheMessageAndFailsBeforeTheTableShows)
{
  fs::remove(Cards() / "5d.gif");
  QString shown;
  bool tableShown = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<SolitaireWindow*>(w) != nullptr && w->isVisible()) tableShown = true;
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      EXPECT_EQ(box->icon(), QMessageBox::Critical);
      box->close();
    }
  });
  closer.start(10);
  StartOptions options;
  options.CardFiles = ReadCardFilesInBackground(Folder());  // as the executable starts
  EXPECT_EQ(RunSolitaire(*qApp, std::move(options)), 1);
  EXPECT_FALSE(tableShown);
  EXPECT_TRUE(shown.startsWith(QStringLiteral("Impossible de lire l'image de carte suivante :")))
      << shown.toStdString();
  EXPECT_TRUE(shown.contains(QString::fromStdString((Cards() / "5d.gif").string()))) << shown.toStdString();
}

TEST_F(CardsFolder, AFailureDuringPlayShowsTheMessageAndEndsWithANonZeroStatus)
{
  QString shown;
  QTimer driver;
  int step = 0;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->close();
      return;
    }
    SolitaireWindow* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* s = qobject_cast<SolitaireWindow*>(w); s != nullptr && s->isVisible()) window = s;
    if (window == nullptr || step++ > 0) return;
    for (int s = 28; s < 52; ++s)
      fs::remove(Cards() / (window->Form().Deck[static_cast<std::size_t>(s)].Code + ".gif"));
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(40, 40));  // the stock
  });
  driver.start(10);
  StartOptions options;
  options.ProgramFolder = Folder();
  options.Report = [&](QWidget*, const QString& text) { shown = text; };
  EXPECT_EQ(RunSolitaire(*qApp, std::move(options)), 1);
  EXPECT_TRUE(shown.contains("/cards/")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(".gif : fichier introuvable")) << shown.toStdString();
}

}  // namespace
