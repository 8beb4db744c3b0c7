// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/Startup.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "Identity.h"
#include "assets/BuiltInPictures.h"
#include "cardfiles/CardPictures.h"
#include "shell/MenuDecoration.h"
#include "shell/ProgramSetup.h"
#include "shell/SolitaireWindow.h"
#include "table/Twips.h"
#include "table/frmSolitaire.h"
#include "view/TableWidget.h"

namespace korvel {

namespace {

void ShowReport(QWidget* parent, const QString& text)
{
  QMessageBox::critical(parent, QString::fromUtf8(ProductName), text);
}

// Qt's own handler, passed on to while the application starts.
QtMessageHandler qtMessages = nullptr;

// Qt that cannot reach a display (none named, a server that is gone, a platform that cannot start)
// ends the program with a fatal message in English and an abort: the player is told instead, in
// French, what the game needs, and it ends with status 1. Qt's warnings still show.
void WhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
  if (type != QtFatalMsg) {
    if (qtMessages != nullptr) qtMessages(type, context, text);
    return;
  }
  std::fprintf(stderr, "%s : le jeu a besoin d'un bureau graphique (X11 ou Wayland), et aucun n'a pu être joint.\n",
               ProductName);
  EndProgram(1);
}

}  // namespace

int RunSolitaire(QApplication& app, StartOptions options)
{
  // The first pictures and the first font are what any window costs most before it shows: the
  // pictures every start shows are read on a thread of their own while this one finds the menus'
  // font, and both are in before anything is made.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int scale = PictureScale(screen != nullptr ? screen->devicePixelRatio() : 1.0);
  std::future<void> pictures = std::async(std::launch::async, [scale] { ReadStartUpPictures(scale); });
  QFontMetrics(MenuFont()).height();
  pictures.get();

  SetUpApplication();
  // The files have been read while Qt started, or are read now.
  StartUpCardReads reads =
      options.CardFiles.valid()
          ? options.CardFiles.get()
          : ReadCardFiles(options.ProgramFolder.empty() ? ExecutableFolder() : options.ProgramFolder);
  const std::string folder = reads.Folder();
  const auto report = options.Report ? options.Report : ShowReport;
  auto reportPictures = [&report](QWidget* parent, const std::vector<BadPicture>& bad) {
    const std::string text = PictureErrorText(bad);
    // Also on standard error, so a start from a terminal or a launcher's log says why the game ended.
    std::fprintf(stderr, "%s\n", text.c_str());
    report(parent, QString::fromStdString(text));
  };

  // A game must not be lost halfway to a file that was missing from the start.
  if (!reads.Bad().empty()) {
    reportPictures(nullptr, reads.Bad());
    return 1;
  }

  frmSolitaire form(folder);
  if (const char* text = std::getenv(ReplayedDealVariable); text != nullptr) {
    if (const std::optional<DealCodes> deal = ReadDeal(text))
      form.ReplayDeal(*deal);
    else
      std::fprintf(stderr, "%s : %s ne donne pas les 52 cartes une fois chacune ; les cartes sont mélangées.\n",
                   ProductName, ReplayedDealVariable);
  }
  SolitaireWindow window(form);
  form.OnPictureError = [&](const PictureError& error) {
    reportPictures(&window, {error.Bad()});
    QCoreApplication::exit(1);
  };
  form.SetScreenWidth([&window] { return static_cast<float>(window.screen()->size().width() * TwipsPerPixel); });
  form.UseStartUpReads(std::move(reads));
  form.RunHandler([&form] { form.Form_Load(); });
  if (form.Failed()) return 1;

  if (options.AtFirstFrame)
    QObject::connect(window.Table(), &TableWidget::firstFramePainted, &app, options.AtFirstFrame);
  window.show();
  // Moved to a screen of another density, the table reads its next pictures for that screen.
  QObject::connect(window.windowHandle(), &QWindow::screenChanged, &window,
                   [&form, &window] { form.SetPixelRatio(window.devicePixelRatioF()); });
  return app.exec();
}

void EndProgram(int status)
{
  std::fflush(nullptr);
  std::_Exit(status);
}

void RunProgram(int& argc, char** argv, std::function<void()> atFirstFrame)
{
  StartOptions options;
  options.CardFiles = ReadCardFilesInBackground(ExecutableFolder());
  options.AtFirstFrame = std::move(atFirstFrame);
  qtMessages = qInstallMessageHandler(WhileStarting);
  QApplication app(argc, argv);
  qInstallMessageHandler(qtMessages);
  EndProgram(RunSolitaire(app, std::move(options)));
}

std::future<StartUpCardReads> ReadCardFilesInBackground(std::string programFolder)
{
  // Plain file reading, no Qt: Qt itself is not to be used before its application object exists.
  return std::async(std::launch::async, [folder = std::move(programFolder)] {
    // Behind the toolkit's start and the display server, which the first frame waits for more.
    ::setpriority(PRIO_PROCESS, 0, 10);
    return ReadCardFiles(folder);
  });
}

std::string ExecutableFolder()
{
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : executable.parent_path().string();
}

}  // namespace korvel
