// 'plot': the Graphs window's graphs of one orbital as a CSV table of their
// numbers, or as a PNG or SVG picture drawn by the same chart builders.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "Cli.h"
#include "Commands.h"
#include "analysis/GraphTables.h"
#include "analysis/Radial.h"
#include "core/WLError.h"
#include "core/cWL.h"

#ifdef WL_HAVE_QT_CHARTS
#include <QApplication>
#include <QChart>
#include <QFile>
#include <QPolarChart>

#include "AngularChart.h"
#include "CumulativeChart.h"
#include "RadialChart.h"
#endif

namespace wlrender {

namespace {

const char* kPlotHelp =
    R"(usage: wavelore-render plot --orbital O [--average] --kind radial|cumulative|angular
                            --format csv|png|svg -o FILE [--rmax R] [--points N]
                            [--plane xz|yz|xy] [--size WxH] [--marker A]

Writes the graphs of the orbital's radial and angular functions.

  --kind radial       R(r) and P(r) = r²R² with the radial nodes, the most
                      probable radius, <r> and the radius holding 90%
  --kind cumulative   the probability within a radius, P(r < a)
  --kind angular      the angular factor around the slice plane (a polar plot)
  --format F          csv, png or svg (default: the extension of FILE)
  -o FILE             the output file (required)
  --rmax R            end of the r axis in Bohr radii, above 0 up to 10000
                      (default: a round radius holding at least 99.9%)
  --points N          samples: 2 to 100000 along r (default 400), 8 to 100000
                      around the plane (default 720)
  --plane P           the plane of the angular graph: xz (default), yz or xy
  --size WxH          picture size in pixels, 200 to 8000 each (default 800x500)
  --marker A          cumulative pictures: the marker radius a (default: the
                      radius holding 90%)

CSV columns: radial and cumulative 'r,R,P,cumulative' (r in Bohr radii, R in
a0^(-3/2), P per a0); angular 'angle_deg,factor' (the angle in the plane from
its first axis towards its second: from +x towards +z in xz, from +y towards
+z in yz, from +x towards +y in xy).
)";

enum class Kind { Radial, Cumulative, Angular };
enum class Format { Csv, Png, Svg };

struct PlotRequest {
  int orbital = 0;
  Kind kind = Kind::Radial;
  Format format = Format::Csv;
  std::string file;
  double rmax = 0;  // 0: the round default
  int points = 0;
  wl::TransectDirection plane = wl::Alongy;
  int width = 800, height = 500;
  double marker = 0;  // 0: the 90% radius
};

Format FormatOf(const Args& args, const std::string& file) {
  if (args.Has("--format")) {
    return Choice<Format>(args, "--format",
                          {{"csv", Format::Csv}, {"png", Format::Png}, {"svg", Format::Svg}},
                          Format::Csv);
  }
  const auto dot = file.rfind('.');
  std::string ext = dot == std::string::npos ? "" : file.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "csv") return Format::Csv;
  if (ext == "png") return Format::Png;
  if (ext == "svg") return Format::Svg;
  throw UsageError("--format csv|png|svg is needed for '" + file + "'");
}

PlotRequest ReadPlot(const Args& args) {
  PlotRequest p;
  const wl::OrbitalSetup choice = ReadOrbitalChoice(args);
  // The graphs are those of hydrogen's orbitals and subshells.
  if (choice.Hybrid != wl::NoHybrid || choice.Complex || choice.Charge != 1)
    throw UsageError("plot draws the graphs of hydrogen's orbitals of the table (--orbital or "
                     "--nlm); --charge, --complex, --hybrid and --combine are not taken");
  p.orbital = choice.OrbitalIndex;
  if (!args.Has("--kind")) throw UsageError("--kind radial|cumulative|angular is required");
  p.kind = Choice<Kind>(
      args, "--kind",
      {{"radial", Kind::Radial}, {"cumulative", Kind::Cumulative}, {"angular", Kind::Angular}},
      Kind::Radial);
  const auto file = args.Get("-o");
  if (!file || file->empty()) throw UsageError("-o FILE is required");
  p.file = *file;
  p.format = FormatOf(args, p.file);
  if (args.Has("--rmax")) {
    p.rmax = args.Real("--rmax", 0);
    if (!(p.rmax > 0 && p.rmax <= 10000)) {
      throw UsageError("--rmax must lie above 0 and up to 10000, not '" + *args.Get("--rmax") +
                       "'");
    }
    if (p.kind == Kind::Angular) throw UsageError("--rmax applies to radial and cumulative plots");
  }
  const bool angular = p.kind == Kind::Angular;
  p.points =
      static_cast<int>(args.Integer("--points", angular ? 8 : 2, 100000, angular ? 720 : 400));
  p.plane = Choice<wl::TransectDirection>(
      args, "--plane", {{"xz", wl::Alongy}, {"yz", wl::AlongX}, {"xy", wl::Alongz}}, wl::Alongy);
  if (args.Has("--plane") && !angular) throw UsageError("--plane applies to angular plots");
  if (const auto size = args.Get("--size")) {
    int w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(size->c_str(), "%dx%d%c", &w, &h, &tail) != 2 || w < 200 || h < 200 ||
        w > 8000 || h > 8000) {
      throw UsageError("--size must be WxH with each from 200 to 8000, not '" + *size + "'");
    }
    if (p.format == Format::Csv) throw UsageError("--size applies to png and svg pictures");
    p.width = w;
    p.height = h;
  }
  if (args.Has("--marker")) {
    p.marker = args.Real("--marker", 0);
    if (p.kind != Kind::Cumulative || p.format == Format::Csv) {
      throw UsageError("--marker applies to cumulative pictures");
    }
    if (!(p.marker > 0 && p.marker <= 10000)) {
      throw UsageError("--marker must lie above 0 and up to 10000, not '" + *args.Get("--marker") +
                       "'");
    }
  }
  return p;
}

#ifdef WL_HAVE_QT_CHARTS
// The name of the orbital as the viewer titles it.
QString SubjectName(const wl::OrbInfo& info) {
  QString name =
      QString::fromStdU16String(info.Name) + QStringLiteral(" (%1,%2").arg(info.n).arg(info.l);
  return name + (info.OrbType == wl::AverageOrbs ? QStringLiteral(",all) average")
                                                 : QStringLiteral(",%1)").arg(info.M));
}

void WritePicture(const PlotRequest& p, const wl::OrbInfo& info) {
  // A window-less application when the tool is not inside one already.
  std::unique_ptr<QApplication> app;
  if (!QApplication::instance()) {
    // Qt's notes about the missing desktop are no concern of a file writer.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
    });
    static int argc = 3;
    static char arg0[] = "wavelore-render", arg1[] = "-platform", arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
  }
  wl::GraphSubject subject;
  subject.OrbitalIndex = p.orbital;
  subject.Name = SubjectName(info);
  subject.n = info.n;
  subject.l = info.l;
  subject.Average = info.OrbType == wl::AverageOrbs;
  subject.SlicePlane = p.plane;
  const wl::RadialChartOptions options{p.rmax, p.points};

  QChart* chart = nullptr;
  switch (p.kind) {
    case Kind::Radial:
      chart = wl::BuildRadialChart(subject, options);
      break;
    case Kind::Cumulative: {
      auto* c = new wl::CumulativeChart(subject, options);
      c->SetMarker(p.marker > 0 ? p.marker : wl::RadiusHolding(info.n, info.l, 0.9));
      chart = c;
      break;
    }
    case Kind::Angular:
      chart = wl::BuildAngularChart(subject, p.points);
      break;
  }
  const std::unique_ptr<QChart> owned(chart);
  const QSize size(p.width, p.height);
  bool written = false;
  QFile out(QString::fromStdString(p.file));
  if (p.format == Format::Png) {
    written = out.open(QIODevice::WriteOnly) && wl::ChartImage(chart, size, 1).save(&out, "PNG");
  } else {
    const QByteArray bytes = wl::ChartSvg(chart, size, chart->title());
    written =
        !bytes.isEmpty() && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
  }
  if (!written || !out.flush()) throw std::runtime_error("cannot write '" + p.file + "'");
}
#endif

}  // namespace

int CmdPlot(const ArgList& argv) {
  for (const std::string& a : argv) {
    if (a == "--help" || a == "-h") {
      std::cout << kPlotHelp;
      return 0;
    }
  }
  std::vector<std::string> valued = OrbitalValued();
  valued.insert(valued.end(), {"--kind", "--format", "-o", "--rmax", "--points", "--plane",
                               "--size", "--marker"});
  Args args(argv, {valued, OrbitalFlags()}, "plot");
  const PlotRequest p = ReadPlot(args);
  const wl::OrbInfo info = wl::cWL().EnumOrbitals().at(static_cast<size_t>(p.orbital));
  try {
    if (p.format == Format::Csv) {
      std::string text;
      if (p.kind == Kind::Angular) {
        text = wl::AngularCsv(wl::AngularRows(p.orbital, p.plane, p.points));
      } else {
        const double rmax = p.rmax > 0 ? p.rmax : wl::RadialPlotEnd(info.n, info.l);
        text = wl::RadialCsv(wl::RadialRows(info.n, info.l, rmax, p.points));
      }
      std::ofstream out(p.file, std::ios::binary);
      out << text;
      out.close();
      if (!out) throw std::runtime_error("cannot write '" + p.file + "'");
    } else {
#ifdef WL_HAVE_QT_CHARTS
      WritePicture(p, info);
#else
      throw UsageError("this build of wavelore-render has no image writer (built without Qt)");
#endif
    }
  } catch (const std::runtime_error& e) {
    if (dynamic_cast<const UsageError*>(&e) || dynamic_cast<const wl::WLError*>(&e)) throw;
    std::cerr << "wavelore-render: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace wlrender
