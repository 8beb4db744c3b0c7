#include "shell/Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "shell/SolitaireWindow.h"
#include "table/CardPictures.h"
#include "table/PictureControls.h"
#include "table/TableWidget.h"
#include "table/frmSolitaire.h"

namespace korvel {

namespace {

void ReportPictures(QWidget* parent, const std::vector<BadPicture>& bad)
{
  QMessageBox::critical(parent, QStringLiteral("Korvel Solitaire"),
                        QString::fromStdString(PictureErrorText(bad)));
}

}  // namespace

int RunSolitaire(int argc, char** argv, const StartOptions& options)
{
  QApplication app(argc, argv);
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();

  // A game must not be lost halfway to a file that was missing from the start.
  if (const std::vector<BadPicture> bad = CheckCardPictures(folder); !bad.empty()) {
    ReportPictures(nullptr, bad);
    return 1;
  }

  frmSolitaire form(folder);
  SolitaireWindow window(form);
  form.OnPictureError = [&window](const PictureError& error) {
    ReportPictures(&window, {error.Bad()});
    QCoreApplication::exit(1);
  };
  form.SetScreenWidth(static_cast<float>(window.screen()->size().width() * TwipsPerPixel));
  form.Raise([&form] { form.Form_Load(); });
  if (form.Failed()) return 1;

  if (options.QuitAtFirstFrame)
    QObject::connect(window.Table(), &TableWidget::firstFramePainted, &app,
                     [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
  window.show();
  return app.exec();
}

}  // namespace korvel
