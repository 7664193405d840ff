#include "Worksheet.h"

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "ChartKit.h"
#include "RadialChart.h"
#include "SavePrintTexts.h"
#include "main/Fonts.h"
#include "main/frmMain.h"
#include "shell/Services.h"
#include "shell/WholeFile.h"

namespace wl {

namespace {

// The chart is laid out at this size and scaled onto the page, so that its
// letters keep their proportion to its lines.
constexpr QSize kGraphLayout(800, 420);
constexpr double kMarginMillimetres = 15;
// The PDF is laid out at the screen's density, the one the chart's fonts are
// measured at; its text stays vector and its pictures keep all their pixels.
constexpr int kScreenDpi = 96;

const OrbitalView* ShownView(const frmMain& main) {
  const auto index = static_cast<size_t>(main.CurrentOrbital);
  if (main.CurrentOrbital < 0 || index >= main.OrbitalViews.size()) return nullptr;
  return &main.OrbitalViews[index];
}

// Lengths on the page: millimetres and points in the device's pixels.
struct PageUnits {
  double mm, pt;
  explicit PageUnits(const QPaintDevice& device)
      : mm(device.logicalDpiY() / 25.4), pt(device.logicalDpiY() / 72.0) {}
};

// The height of `text` wrapped into `width` in `font`.
double TextHeight(const QFont& font, double width, const QString& text) {
  if (text.isEmpty()) return 0;
  return QFontMetricsF(font)
      .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text)
      .height();
}

}  // namespace

WorksheetContent GatherWorksheet(frmMain& main, const WorksheetChoice& choice) {
  WorksheetContent content;
  const OrbitalView* view = ShownView(main);
  if (!view) return content;
  content.Heading = OrbitalCaption(*view);
  // With the pictures, their captions say what the views show.
  if (!choice.Views) content.Subtitle = ViewsLine(*view);
  if (choice.Views) {
    const bool swapped = view->Swapped == 1;
    const QString solid = ModeWord(view->Mode), slice = TransectPhrase(*view);
    content.MainPicture = main.ViewPicture(Main, choice.Pixels);
    content.SmallPicture = main.ViewPicture(Nano, choice.Pixels);
    content.MainCaption = QStringLiteral("Main view: ") + (swapped ? slice : solid);
    content.SmallCaption = QStringLiteral("Small view: ") + (swapped ? solid : slice);
  }
  if (choice.RadialGraph) {
    content.Graph.reset(BuildRadialChart(main.SubjectOf(main.CurrentOrbital)));
  }
  const OrbitalStats stats = main.Engine.Orbitals().GetStats(main.CurrentOrbital);
  content.Figures = StatsFigures(stats);
  content.Figures.push_back({QStringLiteral("Most frequent probability level"), stats.Mode});
  return content;
}

void PaintWorksheet(QPainter& p, const WorksheetContent& content) {
  const QPaintDevice& device = *p.device();
  const PageUnits u(device);
  const QRectF area(0, 0, device.width(), device.height());
  const QFont heading = PixelFont(15 * u.pt, true), body = PixelFont(10 * u.pt),
              small = PixelFont(9 * u.pt), section = PixelFont(11 * u.pt, true);
  const double gap = 5 * u.mm;
  const bool pictures = !content.MainPicture.isNull() || !content.SmallPicture.isNull();
  const bool graph = content.Graph != nullptr;

  // The texts keep their sizes; the pictures and the graph share what is left.
  const double headingHeight = TextHeight(heading, area.width(), content.Heading);
  const double subtitleHeight = TextHeight(body, area.width(), content.Subtitle);
  const double captionHeight = QFontMetricsF(small).height() * 2;
  const double rowHeight = QFontMetricsF(body).height() * 1.35;
  const int rows = static_cast<int>((content.Figures.size() + 1) / 2);
  const double figuresHeight = QFontMetricsF(section).height() * 1.5 + rows * rowHeight;
  double pictureSide = (area.width() - 6 * u.mm) / 2;
  double graphWidth = area.width();
  double graphHeight = graphWidth * kGraphLayout.height() / kGraphLayout.width();
  const double fixed = headingHeight + 2 * u.mm +
                       (subtitleHeight > 0 ? subtitleHeight + gap : 2 * u.mm) + figuresHeight +
                       (pictures ? 1.5 * u.mm + captionHeight + gap : 0) + (graph ? gap : 0);
  const double flexible = (pictures ? pictureSide : 0) + (graph ? graphHeight : 0);
  if (flexible > 0 && fixed + flexible > area.height()) {
    const double k = std::max(0.1, (area.height() - fixed) / flexible);
    pictureSide *= k;
    graphWidth *= k;
    graphHeight *= k;
  }

  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // The pictures go into a PDF with every pixel as drawn, not as JPEG.
  p.setRenderHint(QPainter::LosslessImageRendering);
  p.setPen(Qt::black);
  double y = area.top();
  p.setFont(heading);
  p.drawText(QRectF(area.left(), y, area.width(), headingHeight), Qt::TextWordWrap,
             content.Heading);
  y += headingHeight + 2 * u.mm;
  p.setFont(body);
  p.drawText(QRectF(area.left(), y, area.width(), subtitleHeight), Qt::TextWordWrap,
             content.Subtitle);
  y += (subtitleHeight > 0 ? subtitleHeight + gap : 2 * u.mm);

  if (pictures) {
    // The two views side by side, centred, each under a thin frame.
    const double left = area.center().x() - pictureSide - 3 * u.mm;
    const QRectF places[2] = {QRectF(left, y, pictureSide, pictureSide),
                              QRectF(left + pictureSide + 6 * u.mm, y, pictureSide, pictureSide)};
    const QImage* images[2] = {&content.MainPicture, &content.SmallPicture};
    const QString* captions[2] = {&content.MainCaption, &content.SmallCaption};
    p.setFont(small);
    for (int i = 0; i < 2; ++i) {
      if (!images[i]->isNull()) p.drawImage(places[i], *images[i]);
      p.setPen(QPen(QColor(150, 150, 150), 0.2 * u.mm));
      p.drawRect(places[i]);
      p.setPen(Qt::black);
      p.drawText(
          QRectF(places[i].left(), places[i].bottom() + 1.5 * u.mm, pictureSide, captionHeight),
          Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, *captions[i]);
    }
    y += pictureSide + 1.5 * u.mm + captionHeight + gap;
  }

  if (graph) {
    const QRectF place(area.center().x() - graphWidth / 2, y, graphWidth, graphHeight);
    if (std::abs(device.logicalDpiY() - kScreenDpi) < 1) {
      // As vectors: the chart's letters, sized in points, come out in
      // proportion on a device of the screen's density.
      p.save();
      p.translate(place.topLeft());
      p.scale(graphWidth / kGraphLayout.width(), graphHeight / kGraphLayout.height());
      PaintChart(content.Graph.get(), kGraphLayout, p);
      p.restore();
    } else {
      // A printer of another density gets the chart at its own resolution.
      p.drawImage(place,
                  ChartImage(content.Graph.get(), kGraphLayout, graphWidth / kGraphLayout.width()));
    }
    y += graphHeight + gap;
  }

  // The figures of the Orbital Properties window in two columns.
  p.setFont(section);
  p.setPen(Qt::black);
  p.drawText(QPointF(area.left(), y + QFontMetricsF(section).ascent()),
             QStringLiteral("Orbital Properties"));
  y += QFontMetricsF(section).height() * 1.5;
  p.setFont(body);
  const double column = (area.width() - 10 * u.mm) / 2;
  for (size_t i = 0; i < content.Figures.size(); ++i) {
    const StatsFigure& figure = content.Figures[i];
    const double x = area.left() + (i < static_cast<size_t>(rows) ? 0 : column + 10 * u.mm);
    const double top = y + static_cast<double>(i % static_cast<size_t>(rows)) * rowHeight;
    const QRectF cell(x, top, column, rowHeight);
    p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, figure.Title);
    p.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, QString::number(figure.Value));
    p.setPen(QPen(QColor(200, 200, 200), 0.15 * u.mm));
    p.drawLine(cell.bottomLeft(), cell.bottomRight());
    p.setPen(Qt::black);
  }
  p.restore();
}

QByteArray WorksheetPdf(const WorksheetContent& content, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Wavelore"));
    writer.setResolution(kScreenDpi);
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    PaintWorksheet(painter, content);
    if (!painter.end()) return {};
  }
  return bytes;
}

QStringList WorksheetFileFilters() {
  return {QStringLiteral("PDF documents (*.pdf)")};
}

ImageTarget ResolveWorksheetTarget(const QString& name) {
  const QString extension = FileNameExtension(QFileInfo(name).fileName());
  if (extension.isEmpty()) {
    QString path = name;
    if (!path.endsWith(QLatin1Char('.'))) path += QLatin1Char('.');
    return {path + QStringLiteral("pdf"), "PDF", {}};
  }
  if (extension.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) return {name, "PDF", {}};
  return {name,
          {},
          QStringLiteral("Worksheets cannot be saved as .%1 files. Please use a name ending in "
                         ".pdf, or no extension to take it.")
              .arg(extension)};
}

std::optional<QString> SaveWorksheet(frmMain& main, QWidget* parent, const QString& caption,
                                     const WorksheetChoice& choice) {
  const OrbitalView* view = ShownView(main);
  if (!view) return std::nullopt;
  const QString start = PictureFolder() + QLatin1Char('/') + DefaultFileName(*view, 3) +
                        QStringLiteral(" worksheet.pdf");
  QString filter = WorksheetFileFilters().first();
  const std::optional<QString> name =
      AppServices().Files->SaveFileName(parent, caption, start, WorksheetFileFilters(), &filter);
  if (!name) return std::nullopt;
  const ImageTarget target = ResolveWorksheetTarget(*name);
  if (!target.Refusal.isEmpty()) return target.Refusal;
  if (!MayReplace(parent, *name, target.Path)) return std::nullopt;

  QApplication::setOverrideCursor(Qt::WaitCursor);
  WorksheetContent content;
  const bool gathered = main.EngineGuard([&] { content = GatherWorksheet(main, choice); });
  QByteArray bytes;
  if (gathered) bytes = WorksheetPdf(content, content.Heading);
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (!gathered) return std::nullopt;
  if (bytes.isEmpty()) {
    return CannotWrite(target.Path, QStringLiteral("the document could not be made"));
  }
  std::optional<QString> error = WriteWholeFile(target.Path, bytes);
  if (!error) RememberPictureFolder(QFileInfo(target.Path).absolutePath());
  return error;
}

}  // namespace wl
