#include "frmAbout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "main/Bitmaps.h"
#include "main/Fonts.h"
#include "main/frmMain.h"

namespace wl {

frmAbout::frmAbout(frmMain& main) : QDialog(&main), Main_(main) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Wavelore"));
  setWindowModality(Qt::WindowModal);
  setFixedSize(565, 346);
  picture = new QLabel(this);
  picture->setGeometry(0, 0, 566, 346);
  picture->setPixmap(Bitmaps::Get(QStringLiteral("WLABOUT")));
  picture->setAccessibleName(QStringLiteral("Wavelore, orbitals of the hydrogen atom"));
  cmdClose = new QPushButton(QStringLiteral("OK"), this);
  cmdClose->setGeometry(464, 312, 89, 25);
  cmdClose->setFont(PixelFont(11));
  cmdClose->setDefault(true);
  // The button takes no keys of its own, so every typed character reaches the window.
  cmdClose->setFocusPolicy(Qt::NoFocus);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || !text.at(0).isPrint()) {
    QDialog::keyPressEvent(event);
    return;
  }
  TypedKeys_ += text.toLower();
  if (TypedKeys_.size() > 100) TypedKeys_.clear();
  if (TypedKeys_.contains(QLatin1String(AboutKeySequence), Qt::CaseInsensitive)) {
    TypedKeys_.clear();
    Main_.Engine.About();
  }
}

}  // namespace wl
