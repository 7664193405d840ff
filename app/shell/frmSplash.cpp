#include "frmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "main/Bitmaps.h"

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
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);  // in pixels, so the text fits its strip at any screen density
  labStatus->setFont(font);
  labStatus->setStyleSheet(QStringLiteral("color: #d8d8dc;"));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

void frmSplash::SetStatusText(const QString& text) {
  labStatus->setText(text);
}

}  // namespace wl
