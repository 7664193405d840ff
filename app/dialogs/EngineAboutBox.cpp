#include "EngineAboutBox.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QStyle>

#include "core/Platform.h"
#include "main/Bitmaps.h"
#include "shell/modWindows.h"

namespace wl {

namespace {
QPointer<EngineAboutBox>& TheBox() {
  static QPointer<EngineAboutBox> box;
  return box;
}
}  // namespace

EngineAboutBox::EngineAboutBox() {
  setObjectName(QStringLiteral("EngineAboutBox"));
  setWindowTitle(QStringLiteral("About: Veltrum"));
  setModal(true);
  setFixedSize(330, 140);
  auto* frame = new QGroupBox(QStringLiteral("Warning:"), this);
  frame->setGeometry(10, 8, 310, 80);
  auto* icon = new QLabel(frame);
  icon->setGeometry(12, 28, 32, 32);
  icon->setPixmap(Bitmaps::Get(QStringLiteral("WLICON"))
                      .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  message =
      new QLabel(QStringLiteral("Veltrum - Wavelore core component. Have a nice day."), frame);
  message->setGeometry(54, 22, 246, 44);
  message->setWordWrap(true);
  auto* second = new QLabel(
      QStringLiteral("Sampling, dot clouds and ray tracing for every picture you see."), this);
  second->setGeometry(12, 94, 306, 38);
  second->setWordWrap(true);
}

Long EngineAboutBox::SetTopMost(Boolean OnTop) {
  if (OnTop != kTrue && OnTop != kFalse) return 0;
  modWindows::SetWindowTopMost(this, OnTop == kTrue);
  return 1;
}

EngineAboutBox* EngineAboutBox::Instance() {
  return TheBox();
}

void EngineAboutBox::Install() {
  SetAboutBoxHook([] {
    if (!TheBox()) {
      TheBox() = new EngineAboutBox();
      QObject::connect(qApp, &QCoreApplication::aboutToQuit, TheBox(), &QObject::deleteLater);
    }
    TheBox()->exec();
    TheBox()->SetTopMost(kTrue);
  });
}

}  // namespace wl
