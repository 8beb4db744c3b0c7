#include "shell/SolitaireWindow.h"

#include <QIcon>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include "shell/Identity.h"
#include "table/TableWidget.h"
#include "table/frmSolitaire.h"

namespace korvel {

QString SolitaireCaption()
{
  return QStringLiteral(" Korvel Solitaire v 1.0 - Brelin Interactive   ") + QLatin1String(SiteAddress);
}

SolitaireWindow::SolitaireWindow(frmSolitaire& form, QWidget* parent)
    : QMainWindow(parent), form_(form), table_(new TableWidget(form, this))
{
  setObjectName(QStringLiteral("frmSolitaire"));
  setWindowTitle(SolitaireCaption());
  setWindowIcon(QIcon(QStringLiteral(":/korvel/icon.png")));
  setCentralWidget(table_);
  CentreOnScreen();
}

void SolitaireWindow::CentreOnScreen()
{
  const QSize client = table_->sizeHint();
  const int menuHeight = menuWidget() != nullptr ? menuWidget()->sizeHint().height() : 0;
  const QSize size(client.width(), client.height() + menuHeight);
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen()->availableGeometry()));
}

}  // namespace korvel
