// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>

#include "Identity.h"
#include "shell/ProgramSetup.h"
#include "shell/SolitaireWindow.h"
#include "table/CardPictures.h"
#include "table/PictureControls.h"
#include "table/TableWidget.h"
#include "table/frmSolitaire.h"

namespace korvel {

namespace {

void ShowReport(QWidget* parent, const QString& text)
{
  QMessageBox::critical(parent, QString::fromUtf8(ProductName), text);
}

}  // namespace

int RunSolitaire(QApplication& app, const StartOptions& options)
{
  SetUpApplication(app);
  const std::string folder =
      options.ProgramFolder.empty() ? QCoreApplication::applicationDirPath().toStdString() : options.ProgramFolder;
  const auto report = options.Report ? options.Report : ShowReport;
  auto reportPictures = [&report](QWidget* parent, const std::vector<BadPicture>& bad) {
    const std::string text = PictureErrorText(bad);
    // Also on standard error, so a start from a terminal or a launcher's log says why the game ended.
    std::fprintf(stderr, "%s\n", text.c_str());
    report(parent, QString::fromStdString(text));
  };

  // A game must not be lost halfway to a file that was missing from the start.
  if (const std::vector<BadPicture> bad = CheckCardPictures(folder); !bad.empty()) {
    reportPictures(nullptr, bad);
    return 1;
  }

  frmSolitaire form(folder);
  SolitaireWindow window(form);
  form.OnPictureError = [&](const PictureError& error) {
    reportPictures(&window, {error.Bad()});
    QCoreApplication::exit(1);
  };
  form.SetScreenWidth([&window] { return static_cast<float>(window.screen()->size().width() * TwipsPerPixel); });
  form.Raise([&form] { form.Form_Load(); });
  if (form.Failed()) return 1;

  if (options.QuitAtFirstFrame)
    QObject::connect(window.Table(), &TableWidget::firstFramePainted, &app,
                     // exit() ends the loop without a close request, so no question is asked.
                     [] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
  window.show();
  // Moved to a screen of another density, the table reads its next pictures for that screen.
  QObject::connect(window.windowHandle(), &QWindow::screenChanged, &window,
                   [&form, &window] { form.SetPixelRatio(window.devicePixelRatioF()); });
  return app.exec();
}

}  // namespace korvel
