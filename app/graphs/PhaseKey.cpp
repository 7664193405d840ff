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

QSize KeySize() {
  const QRectF box = PhaseWheelBounds({0, 0}, kRadius, kFont);
  return {static_cast<int>(std::ceil(box.width())) + 2, static_cast<int>(std::ceil(box.height())) + 2};
}

// The key with its top-left corner at `at`. The charts use the orange/blue
// colours of the signs.
void PaintKey(QPainter& p, QPointF at) {
  const QRectF box = PhaseWheelBounds({0, 0}, kRadius, kFont);
  PaintPhaseWheel(p, at + QPointF(1, 1) - box.topLeft(), kRadius, OrangeBlue, kFont, true);
}

class PhaseKey final : public QWidget {
 public:
  explicit PhaseKey(QWidget* view) : QWidget(view) {
    setObjectName(QStringLiteral("phaseKey"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(KeySize());
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
    PaintKey(p, {0, 0});
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

void PaintShownPhaseKey(const QWidget* view, QPainter& painter, QSize size) {
  const auto* key =
      view->findChild<PhaseKey*>(QStringLiteral("phaseKey"), Qt::FindDirectChildrenOnly);
  if (!key || key->isHidden()) return;
  PaintKey(painter, QPointF(size.width() - KeySize().width() - kMargin, kMargin));
}

}  // namespace wl
