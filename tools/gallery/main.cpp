// Renders every control of the control library in its typical states to PNG
// files, so that they can be looked at without running the program:
//
//   wl-gallery <folder>
//
// Runs without a display (offscreen) unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>
#include <vector>

#include "Axes.h"
#include "CameraView.h"
#include "Line3D.h"
#include "NoFocusCont.h"
#include "RollOverImage.h"
#include "SpinButton.h"
#include "render/PixelArray.h"
#include "render/Surfaces.h"
#include "render/cMemoryDCEx.h"

namespace {

struct Shot {
  QString name;
  QImage image;
};

QImage Grab(QWidget& w) {
  return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A button face in the program's look: dark panel, a glyph and a caption;
// "on" is the lit variant shown while the pointer is over the button.
QPixmap ButtonFace(bool on) {
  QPixmap face(96, 28);
  face.fill(on ? QColor(128, 126, 140) : QColor(100, 98, 104));
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(on ? QColor(255, 230, 120) : QColor(200, 200, 200), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(14, 14), 7, 7);
  p.drawEllipse(QPointF(14, 14), 3, 7);
  p.setPen(on ? Qt::white : QColor(220, 220, 220));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  p.setFont(font);
  p.drawText(QRect(26, 0, 70, 28), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Volume"));
  return face;
}

// A stand-in for a rendered orbital view: a soft two-lobed glow in an
// engine bitmap, copied into the container with the engine's block copy.
std::unique_ptr<wl::cMemoryDCEx> FakeRender(int size) {
  auto dc = std::make_unique<wl::cMemoryDCEx>();
  dc->Create(size, size);
  wl::PixelArray bits(size, size);
  const double c = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = (x - c) / c, dy = (y - c) / c;
      const double lobe = std::exp(-8 * ((std::abs(dy) - 0.4) * (std::abs(dy) - 0.4) + dx * dx));
      const auto v = static_cast<wl::Byte>(std::lround(255 * lobe));
      bits(x, y) = wl::RGBA{v, v, static_cast<wl::Byte>(v / 2), 0};
    }
  }
  dc->SetAllBits(bits);
  return dc;
}

std::vector<Shot> RollOverShots() {
  std::vector<Shot> shots;
  wl::RollOverImage button;
  button.resize(96, 28);
  button.setPicture(ButtonFace(false));
  shots.push_back({"rollover_off", Grab(button)});
  button.setPicture(ButtonFace(true));
  shots.push_back({"rollover_on", Grab(button)});
  button.setBorderStyle(1);
  shots.push_back({"rollover_on_border", Grab(button)});
  return shots;
}

std::vector<Shot> ContainerShots() {
  std::vector<Shot> shots;
  wl::NoFocusCont view;
  view.resize(127, 127);
  view.setBackColor(Qt::black);
  const auto render = FakeRender(127);
  wl::BitBlt(view.hdc(), 0, 0, 127, 127, render->hdc(), 0, 0);
  view.Refresh();
  shots.push_back({"nofocuscont_view", Grab(view)});

  wl::NoFocusCont page;
  page.resize(180, 90);
  auto* layout = new QVBoxLayout(&page);
  layout->addWidget(new QLabel(QStringLiteral("Dots and threshold")));
  layout->addWidget(new QCheckBox(QStringLiteral("Show probability on dots")));
  auto* spin = new wl::SpinButton;
  spin->setMax(32000);
  spin->setValue(16000);
  layout->addWidget(spin);
  shots.push_back({"nofocuscont_page", Grab(page)});
  return shots;
}

std::vector<Shot> SpinShots() {
  std::vector<Shot> shots;
  wl::SpinButton spin;
  spin.resize(90, 20);
  spin.setMax(32000);
  spin.setMin(50);
  spin.setValue(16000);
  shots.push_back({"spin_enabled", Grab(spin)});
  spin.setEnabled(false);
  shots.push_back({"spin_disabled", Grab(spin)});
  spin.setEnabled(true);
  spin.setBorderStyle(0);
  shots.push_back({"spin_borderless", Grab(spin)});
  return shots;
}

std::vector<Shot> AxesShots() {
  constexpr double kPi = std::numbers::pi;
  struct State {
    const char* name;
    double theta, phi;
    wl::RenderMode mode;
    wl::Integer plane, camera, stereo;
  };
  const State states[] = {
      {"axes_front", 0, 0, wl::Orthographic, 0, -500, 10},
      {"axes_turned", kPi / 6, kPi / 5, wl::Orthographic, 0, -500, 10},
      {"axes_perspective", kPi / 6, kPi / 5, wl::Perspective, 0, -150, 10},
      {"axes_anaglyph", kPi / 6, kPi / 5, wl::Anaglyph, 0, -150, 10},
      {"axes_anaglyph_yellow", kPi / 6, kPi / 5, wl::Anaglyph, 0, -100, 200},
      {"axes_clipped", 0.2, 0.3, wl::Perspective, 60, -60, 10},
  };
  std::vector<Shot> shots;
  wl::Axes axes;
  for (const State& s : states) {
    axes.Draw(s.theta, s.phi, s.mode, s.plane, s.camera, s.stereo);
    shots.push_back({s.name, axes.Image()});
  }
  return shots;
}

std::vector<Shot> CameraShots() {
  std::vector<Shot> shots;
  wl::CameraView view;
  view.Draw(-500, -200, wl::Perspective, 10);
  shots.push_back({"camera_perspective", Grab(view)});
  view.Draw(-500, -200, wl::Anaglyph, 10);
  shots.push_back({"camera_anaglyph", Grab(view)});
  view.Draw(-1000, -990, wl::Perspective, 10);
  shots.push_back({"camera_plane_at_camera", Grab(view)});
  return shots;
}

std::vector<Shot> LineShots() {
  std::vector<Shot> shots;
  // On a dialog-coloured panel, where the etched look shows.
  QWidget panel;
  panel.resize(120, 40);
  panel.setAutoFillBackground(true);
  auto* horizontal = new wl::Line3D(&panel);
  horizontal->setGeometry(10, 10, 100, 2);
  auto* vertical = new wl::Line3D(&panel);
  vertical->setGeometry(60, 16, 2, 20);
  panel.show();
  shots.push_back({"line3d", Grab(panel)});
  return shots;
}

// All pictures at twice their size, each with its name, in one image.
QImage ContactSheet(const std::vector<Shot>& shots) {
  constexpr int kScale = 2, kColumns = 3, kCell = 300, kCaption = 18;
  int rowHeight = 0;
  for (const Shot& s : shots) rowHeight = std::max(rowHeight, s.image.height() * kScale);
  const int rows = (static_cast<int>(shots.size()) + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCell, rows * (rowHeight + kCaption + 10), QImage::Format_RGB32);
  sheet.fill(QColor(60, 60, 64));
  QPainter p(&sheet);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(Qt::white);
  for (size_t i = 0; i < shots.size(); ++i) {
    const int x = static_cast<int>(i % kColumns) * kCell + 5;
    const int y = static_cast<int>(i / kColumns) * (rowHeight + kCaption + 10) + 5;
    p.drawText(x, y + 12, shots[i].name);
    const QImage& img = shots[i].image;
    p.drawImage(QRect(x, y + kCaption, img.width() * kScale, img.height() * kScale), img);
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: wl-gallery <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "wl-gallery: cannot create %s\n", argv[1]);
    return 1;
  }
  std::vector<Shot> shots;
  for (auto&& part :
       {RollOverShots(), ContainerShots(), SpinShots(), AxesShots(), CameraShots(), LineShots()}) {
    shots.insert(shots.end(), part.begin(), part.end());
  }
  shots.push_back({"sheet", ContactSheet(shots)});
  int failures = 0;
  for (const Shot& s : shots) {
    const QString path = folder.filePath(s.name + ".png");
    if (s.image.isNull() || !s.image.save(path)) {
      std::fprintf(stderr, "wl-gallery: could not write %s\n", qPrintable(path));
      ++failures;
    }
  }
  std::printf("wl-gallery: wrote %zu pictures to %s\n", shots.size() - failures,
              qPrintable(folder.path()));
  return failures == 0 ? 0 : 1;
}
