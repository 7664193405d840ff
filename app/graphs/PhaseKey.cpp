#include "PhaseKey.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>

#include "overlays/ViewOverlays.h"

namespace wl {

namespace {

// The wheel's size in the window: as the main view's key, a little larger.
constexpr double kRadius = 22, kFont = 11, kMargin = 8;

class PhaseKey final : public QWidget {
 public:
  explicit PhaseKey(QWidget* view) : QWidget(view) {
    setObjectName(QStringLiteral("phaseKey"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRectF box = PhaseWheelBounds({0, 0}, kRadius, kFont);
    setFixedSize(static_cast<int>(std::ceil(box.width())) + 2,
                 static_cast<int>(std::ceil(box.height())) + 2);
    setToolTip(QStringLiteral("The colour of each phase angle arg \u03C8"));
    view->installEventFilter(this);
    Place();
  }

  void Place() {
    const QWidget* view = parentWidget();
    move(view->width() - width() - static_cast<int>(kMargin), static_cast<int>(kMargin));
    raise();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parentWidget() && event->type() == QEvent::Resize) Place();
    return QWidget::eventFilter(watched, event);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRectF box = PhaseWheelBounds({0, 0}, kRadius, kFont);
    // The charts use the orange/blue colours of the signs.
    PaintPhaseWheel(p, QPointF(1, 1) - box.topLeft(), kRadius, OrangeBlue, kFont, true);
  }
};

}  // namespace

void ShowPhaseKey(QWidget* view, bool complex) {
  auto* key = view->findChild<PhaseKey*>(QStringLiteral("phaseKey"), Qt::FindDirectChildrenOnly);
  if (!complex) {
    if (key) key->hide();
    return;
  }
  if (!key) key = new PhaseKey(view);
  key->Place();
  key->show();
}

}  // namespace wl
