#include "frmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "main/Bitmaps.h"
#include "main/Fonts.h"

namespace wl {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(QStringLiteral("Wavelore"));
  setFixedSize(640, 480);
  auto* picture = new QLabel(this);
  picture->setGeometry(0, 0, 640, 480);
  picture->setPixmap(Bitmaps::Get(QStringLiteral("SPLASH")));
  labStatus = new QLabel(this);
  labStatus->setObjectName(QStringLiteral("labStatus"));
  labStatus->setGeometry(179, 408, 283, 13);
  labStatus->setAlignment(Qt::AlignCenter);
  labStatus->setFont(PixelFont(11));
  labStatus->setStyleSheet(QStringLiteral("color: #d8d8dc;"));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

void frmSplash::SetStatusText(const QString& text) {
  labStatus->setText(text);
}

}  // namespace wl
