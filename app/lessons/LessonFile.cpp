#include "LessonFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <string>
#include <utility>

#include "Cli.h"
#include "core/OrbitalLookup.h"
#include "core/Utf8.h"
#include "orbitals/OrbitalCatalog.h"

namespace wl {

namespace {

constexpr int kFormat = 1;                      // the "wavelore" key: the document's format
constexpr double kTurn = 2 * std::numbers::pi;  // angles are kept within one turn either way
constexpr int kMaxThreshold = 250;
constexpr double kMaxMarker = 32767;

// A refusal: the message names the key; `where` prefixes keys inside the list.
struct Refusal {
  QString Text;
};

[[noreturn]] void Refuse(const QString& key, const QString& what) {
  throw Refusal{QStringLiteral("\"%1\" %2").arg(key, what)};
}

QString Shown(const QJsonValue& v) {
  if (v.isString()) return QLatin1Char('"') + v.toString() + QLatin1Char('"');
  QString text = QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
  text = text.mid(1, text.size() - 2);
  return text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
}

// Names of the choices of an enumeration, in its order.
template <size_t N>
using Names = std::array<const char*, N>;
constexpr Names<2> kViewNames = {"pdf", "drpdf"};
constexpr Names<2> kGlassesNames = {"red-green", "red-cyan"};
constexpr Names<3> kPaletteNames = {"orange-blue", "red-blue", "colour-safe"};
constexpr Names<4> kTabNames = {"radial", "within", "angular", "compare"};

// Reads the keys of one JSON object, remembering which were used.
class Reader {
 public:
  Reader(QJsonObject object, QString prefix)
      : object_(std::move(object)), prefix_(std::move(prefix)) {}

  bool Has(const char* key) const { return object_.contains(QLatin1String(key)); }
  QString Key(const char* key) const { return prefix_ + QLatin1String(key); }

  QJsonValue Take(const char* key) {
    used_.insert(QLatin1String(key));
    return object_.value(QLatin1String(key));
  }

  bool Bool(const char* key, bool def) {
    if (!Has(key)) return def;
    const QJsonValue v = Take(key);
    if (!v.isBool())
      Refuse(Key(key), QStringLiteral("must be true or false, not %1").arg(Shown(v)));
    return v.toBool();
  }

  double Real(const char* key, double def, double lo, double hi, const QString& unit = {}) {
    if (!Has(key)) return def;
    const QJsonValue v = Take(key);
    if (!v.isDouble() || !(v.toDouble() >= lo && v.toDouble() <= hi))
      Refuse(Key(key), QStringLiteral("must be a number from %1 to %2%3, not %4")
                           .arg(lo, 0, 'g', 6)
                           .arg(hi, 0, 'g', 6)
                           .arg(unit, Shown(v)));
    return v.toDouble();
  }

  long Whole(const char* key, long def, long lo, long hi) {
    if (!Has(key)) return def;
    const QJsonValue v = Take(key);
    const double d = v.toDouble();
    if (!v.isDouble() || d != std::floor(d) || d < lo || d > hi)
      Refuse(Key(key), QStringLiteral("must be a whole number from %1 to %2, not %3")
                           .arg(lo)
                           .arg(hi)
                           .arg(Shown(v)));
    return static_cast<long>(d);
  }

  template <size_t N>
  int Choice(const char* key, int def, const Names<N>& names) {
    if (!Has(key)) return def;
    const QJsonValue v = Take(key);
    QStringList list;
    for (size_t i = 0; i < N; ++i) {
      if (v.isString() && v.toString().compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
        return static_cast<int>(i);
      list << QLatin1String(names[i]);
    }
    Refuse(Key(key),
           QStringLiteral("must be %1, not %2").arg(list.join(QLatin1Char('|')), Shown(v)));
  }

  QString Text(const char* key) {
    const QJsonValue v = Take(key);
    if (!v.isString()) Refuse(Key(key), QStringLiteral("must be a text, not %1").arg(Shown(v)));
    return v.toString();
  }

  // Keys nobody asked for.
  void WarnUnknown(QStringList& warnings) const {
    for (auto it = object_.begin(); it != object_.end(); ++it) {
      if (!used_.contains(it.key()))
        warnings << QStringLiteral("unknown key \"%1\" ignored").arg(prefix_ + it.key());
    }
  }

 private:
  QJsonObject object_;
  QString prefix_;
  QSet<QString> used_;
};

// The choice of what is calculated: "orbital" (with "average", "charge" and
// "complex"), or "hybrid" with "member" and "shell", or "combination".
OrbitalSetup ReadChoice(Reader& r) {
  const bool hybrid = r.Has("hybrid"), combination = r.Has("combination");
  const char* chosen = hybrid ? "hybrid" : combination ? "combination" : "orbital";
  for (const char* other : {"combination", "orbital"}) {
    if (std::strcmp(other, chosen) != 0 && r.Has(other))
      Refuse(r.Key(chosen),
             QStringLiteral("and \"%1\" are both given: an orbital is one or the other")
                 .arg(QLatin1String(other)));
  }
  OrbitalSetup s;
  if (hybrid) {
    const QString word = r.Text("hybrid");
    try {
      s.Hybrid = wlcli::ParseHybrid("hybrid", word.toStdString());
    } catch (const wlcli::UsageError& e) {
      Refuse(r.Key("hybrid"), QString::fromStdString(e.what()).section(QLatin1Char(' '), 1));
    }
    s.HybridMember = static_cast<Integer>(r.Whole("member", 1, 1, HybridSize(s.Hybrid)));
    s.HybridShell = static_cast<Integer>(
        r.Whole("shell", HybridLowestShell(s.Hybrid), HybridLowestShell(s.Hybrid), kHighestN));
  } else if (combination) {
    const QString text = r.Text("combination");
    try {
      wlcli::ParseCombination("combination", text.toStdString(), s);
    } catch (const wlcli::UsageError& e) {
      Refuse(r.Key("combination"), QString::fromStdString(e.what()).section(QLatin1Char(' '), 1));
    }
  } else {
    if (!r.Has("orbital"))
      Refuse(r.Key("orbital"), QStringLiteral("is missing: every lesson names its orbital"));
    const bool average = r.Bool("average", false);
    const QJsonValue named = r.Take("orbital");
    std::string text;
    if (named.isString()) {
      text = named.toString().toStdString();
    } else if (named.isDouble() && named.toDouble() == std::floor(named.toDouble()) &&
               named.toDouble() >= 0 && named.toDouble() < kOrbitalCount) {
      text = std::to_string(named.toInt());
    } else {
      Refuse(r.Key("orbital"), QStringLiteral("must be an orbital name or an index 0 to %1, not %2")
                                   .arg(kOrbitalCount - 1)
                                   .arg(Shown(named)));
    }
    const OrbitalChoice choice = LookupOrbital(text, average);
    if (choice.Index < 0)
      Refuse(r.Key("orbital"), QStringLiteral("is refused: ") + QString::fromStdString(choice.Error));
    s.OrbitalIndex = static_cast<Integer>(choice.Index);
  }
  s.Complex = ToBoolean(r.Bool("complex", false));
  s.Charge = static_cast<Integer>(r.Whole("charge", 1, 1, kHighestCharge));
  // What the keys cannot tell alone: a complex average, a combination's terms.
  const std::string refusal = CheckSetup(s);
  if (!refusal.empty())
    Refuse(r.Key(hybrid ? "hybrid" : combination ? "combination" : "complex"),
           QStringLiteral("is refused: ") + QString::fromStdString(refusal));
  return s;
}

LessonOrbital ReadOrbital(Reader& r) {
  const OrbitalSetup setup = ReadChoice(r);
  const auto view = static_cast<wl::ViewMode>(r.Choice("view", PDF, kViewNames));
  LessonOrbital o = DefaultLessonOrbital(setup, view);
  o.AtomRadius = static_cast<Integer>(r.Whole("radius", o.AtomRadius, 1, 32767));
  o.DotThreshold = static_cast<Byte>(r.Whole("threshold", o.DotThreshold, 0, kMaxThreshold));
  if (r.Has("mode")) {
    const QString mode = r.Text("mode");
    try {
      o.Mode = wlcli::ParseMode("mode", mode.toStdString(), false);
    } catch (const wlcli::UsageError& e) {
      Refuse(r.Key("mode"), QString::fromStdString(e.what()).section(QLatin1Char(' '), 1));
    }
  }
  const QString radians = QStringLiteral(" (radians)");
  o.Theta = r.Real("theta", o.Theta, -kTurn, kTurn, radians);
  o.Phi = r.Real("phi", o.Phi, -kTurn, kTurn, radians);
  if (r.Has("transect")) {
    const QString slice = r.Text("transect");
    try {
      const wlcli::SlicePlace place = wlcli::ParseTransect("transect", slice.toStdString());
      o.TransectDir = place.Direction;
      o.TransectNo = place.Number;
    } catch (const wlcli::UsageError& e) {
      Refuse(r.Key("transect"), QString::fromStdString(e.what()).section(QLatin1Char(' '), 1));
    }
  }
  o.Transector = r.Bool("show_slice", o.Transector);
  o.Swapped = r.Bool("swap", o.Swapped);
  o.DotTarget = r.Whole("dots", o.DotTarget, 50, 32000);
  o.ShowProbLevelOnDots = r.Bool("colour_dots", o.ShowProbLevelOnDots);
  o.ShowProbLevelOnTrans = r.Bool("colour_slice", o.ShowProbLevelOnTrans);
  o.VolQuality = static_cast<Integer>(r.Whole("volume_quality", o.VolQuality, 5, 10));
  o.CameraPos = static_cast<Integer>(r.Whole("camera", o.CameraPos, -1000, -222));
  // The projection plane lies 10 to 900 in front of the camera; without a
  // plane of its own it keeps its distance from the camera.
  o.ProjectionPlane = static_cast<Integer>(
      r.Whole("projection_plane", o.CameraPos + 315, o.CameraPos + 10, o.CameraPos + 900));
  o.StereoFactor = static_cast<Integer>(r.Whole("stereo", o.StereoFactor, 10, 40));
  o.Glasses = static_cast<AnaglyphGlasses>(r.Choice("glasses", o.Glasses, kGlassesNames));
  o.ShowPhase = r.Bool("phase", o.ShowPhase);
  o.Palette = static_cast<PhasePalette>(r.Choice("palette", o.Palette, kPaletteNames));
  o.EnclosedShare = r.Real("enclosed", o.EnclosedShare, 0.5, 0.99);
  o.SurfaceNested = r.Bool("nested", o.SurfaceNested);
  o.SurfaceCutaway = r.Bool("cutaway", o.SurfaceCutaway);
  o.ShowScaleBar = r.Bool("scale_bar", o.ShowScaleBar);
  o.MarkerRadius = r.Real("marker", o.MarkerRadius, 0, kMaxMarker, QStringLiteral(" (Bohr radii)"));
  o.MarkerInSlice = r.Bool("marker_in_slice", o.MarkerInSlice);
  o.MarkerIn3D = r.Bool("marker_in_3d", o.MarkerIn3D);
  return o;
}

Lesson ReadDocument(const QByteArray& text, QStringList& warnings) {
  QJsonParseError parse{};
  const QJsonDocument doc = QJsonDocument::fromJson(text, &parse);
  if (parse.error != QJsonParseError::NoError)
    throw Refusal{QStringLiteral("This is not a lesson file: it is not JSON (%1 at character %2).")
                      .arg(parse.errorString())
                      .arg(parse.offset)};
  if (!doc.isObject())
    throw Refusal{QStringLiteral("This is not a lesson file: it holds no {...} object.")};
  Reader top(doc.object(), QString());
  if (!top.Has("wavelore"))
    Refuse(QStringLiteral("wavelore"), QStringLiteral("is missing: this is not a lesson file"));
  const QJsonValue format = top.Take("wavelore");
  if (format.isDouble() && format.toDouble() > kFormat)
    Refuse(QStringLiteral("wavelore"),
           QStringLiteral("is %1: the file comes from a newer Wavelore, this one reads format %2")
               .arg(Shown(format))
               .arg(kFormat));
  if (format.toDouble() != kFormat)
    Refuse(QStringLiteral("wavelore"),
           QStringLiteral("must be %1 (the format of lesson files), not %2")
               .arg(kFormat)
               .arg(Shown(format)));

  Lesson lesson;
  if (top.Has("orbitals")) {
    if (top.Has("orbital"))
      Refuse(QStringLiteral("orbitals"),
             QStringLiteral("and \"orbital\" are both given: a lesson has one or the other"));
    const QJsonValue list = top.Take("orbitals");
    if (!list.isArray() || list.toArray().isEmpty())
      Refuse(QStringLiteral("orbitals"), QStringLiteral("must be a list of one or more orbitals"));
    const QJsonArray array = list.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
      const QString prefix = QStringLiteral("orbitals[%1].").arg(i);
      if (!array[i].isObject())
        Refuse(QStringLiteral("orbitals[%1]").arg(i), QStringLiteral("must be a {...} object"));
      Reader item(array[i].toObject(), prefix);
      lesson.Orbitals.push_back(ReadOrbital(item));
      item.WarnUnknown(warnings);
    }
  } else {
    lesson.Orbitals.push_back(ReadOrbital(top));
  }
  lesson.Shown =
      static_cast<size_t>(top.Whole("shown", 0, 0, static_cast<long>(lesson.Orbitals.size()) - 1));
  lesson.Graphs = top.Bool("graphs", false);
  lesson.Tab = static_cast<GraphsTab>(top.Choice("graphs_tab", 0, kTabNames));
  top.WarnUnknown(warnings);
  return lesson;
}

// One value as JSON text (numbers in their shortest exact form).
QByteArray Encode(const QJsonValue& v) {
  const QByteArray a = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
  return a.mid(1, a.size() - 2);
}

using Fields = std::vector<std::pair<const char*, QJsonValue>>;

// The orbital's name as typed on the command line: ² and ³ as 2 and 3.
QString TypedName(Integer index) {
  return QString::fromStdString(wl::TypedName(ToUtf8(OrbitalRowAt(index).Name)));
}

// The keys of what is calculated: a hybrid or a combination has no "orbital",
// so that a program that knows neither refuses the file rather than showing
// something else.
Fields ChoiceFields(const LessonOrbital& o) {
  Fields f;
  if (o.Hybrid == CustomCombination) {
    f.push_back({"combination", QString::fromStdString(CombinationText(SetupOf(o)))});
  } else if (o.Hybrid != NoHybrid) {
    f.push_back({"hybrid", QString::fromStdString(wlcli::HybridWord(o.Hybrid))});
    f.push_back({"member", o.HybridMember});
    f.push_back({"shell", o.HybridShell});
  } else {
    f.push_back({"orbital", TypedName(o.OrbitalIndex)});
    f.push_back({"average", OrbitalRowAt(o.OrbitalIndex).OrbType == AverageOrbs});
    f.push_back({"complex", o.Complex});
  }
  f.push_back({"charge", o.Charge});
  return f;
}

Fields OrbitalFields(const LessonOrbital& o) {
  const auto name = [](const auto& names, int i) {
    return QJsonValue(QLatin1String(names[static_cast<size_t>(i)]));
  };
  Fields fields = ChoiceFields(o);
  const Fields views = {
      {"view", name(kViewNames, o.ViewMode)},
      {"radius", o.AtomRadius},
      {"threshold", o.DotThreshold},
      {"mode", QString::fromStdString(wlcli::ModeName(o.Mode))},
      {"theta", o.Theta},
      {"phi", o.Phi},
      {"transect", QString::fromStdString(wlcli::TransectName({o.TransectDir, o.TransectNo}))},
      {"show_slice", o.Transector},
      {"swap", o.Swapped},
      {"dots", static_cast<qint64>(o.DotTarget)},
      {"colour_dots", o.ShowProbLevelOnDots},
      {"colour_slice", o.ShowProbLevelOnTrans},
      {"volume_quality", o.VolQuality},
      {"camera", o.CameraPos},
      {"projection_plane", o.ProjectionPlane},
      {"stereo", o.StereoFactor},
      {"glasses", name(kGlassesNames, o.Glasses)},
      {"phase", o.ShowPhase},
      {"palette", name(kPaletteNames, o.Palette)},
      {"enclosed", o.EnclosedShare},
      {"nested", o.SurfaceNested},
      {"cutaway", o.SurfaceCutaway},
      {"scale_bar", o.ShowScaleBar},
      {"marker", o.MarkerRadius},
      {"marker_in_slice", o.MarkerInSlice},
      {"marker_in_3d", o.MarkerIn3D},
  };
  fields.insert(fields.end(), views.begin(), views.end());
  return fields;
}

void WriteFields(QByteArray& out, const Fields& fields, const QByteArray& indent, bool more) {
  for (size_t i = 0; i < fields.size(); ++i) {
    out += indent + '"' + fields[i].first + "\": " + Encode(fields[i].second);
    out += i + 1 < fields.size() || more ? ",\n" : "\n";
  }
}

}  // namespace

LessonOrbital DefaultLessonOrbital(Integer index, wl::ViewMode view) {
  OrbitalSetup setup;
  setup.OrbitalIndex = index;
  return DefaultLessonOrbital(setup, view);
}

LessonOrbital DefaultLessonOrbital(const OrbitalSetup& setup, wl::ViewMode view) {
  const OrbitalDefaults defaults = DefaultsOf(setup, view);
  LessonOrbital o;
  o.OrbitalIndex = setup.OrbitalIndex;
  o.Charge = setup.Charge;
  o.Complex = setup.Complex != 0;
  o.Hybrid = setup.Hybrid;
  o.HybridMember = setup.HybridMember;
  o.HybridShell = setup.HybridShell;
  if (setup.Hybrid == CustomCombination)
    o.Terms.assign(setup.Terms.begin(), setup.Terms.begin() + setup.TermCount);
  o.ViewMode = view;
  o.AtomRadius = defaults.Radius;
  o.DotThreshold = static_cast<Byte>(std::min<int>(kMaxThreshold, defaults.Threshold));
  return o;
}

OrbitalSetup SetupOf(const LessonOrbital& o) {
  OrbitalSetup s;
  s.OrbitalIndex = o.OrbitalIndex;
  s.OrbitalViewMode = o.ViewMode;
  s.AtomRadius = o.AtomRadius;
  s.DotThreshold = o.DotThreshold;
  s.DotTarget = 16000;
  s.Charge = o.Charge;
  s.Complex = ToBoolean(o.Complex);
  s.Hybrid = o.Hybrid;
  s.HybridMember = o.HybridMember;
  s.HybridShell = o.HybridShell;
  s.TermCount = static_cast<Integer>(std::min(o.Terms.size(), s.Terms.size()));
  std::copy_n(o.Terms.begin(), s.TermCount, s.Terms.begin());
  return s;
}

LessonReading ReadLesson(const QByteArray& text) {
  LessonReading reading;
  try {
    reading.Lesson = ReadDocument(text, reading.Warnings);
  } catch (const Refusal& refusal) {
    reading.Error = refusal.Text;
    reading.Warnings.clear();
  }
  return reading;
}

QByteArray WriteLesson(const Lesson& lesson) {
  const Fields document = {
      {"wavelore", kFormat},
      {"shown", static_cast<qint64>(lesson.Shown)},
      {"graphs", lesson.Graphs},
      {"graphs_tab", QLatin1String(kTabNames[static_cast<size_t>(lesson.Tab)])},
  };
  QByteArray out = "{\n";
  if (lesson.Orbitals.size() == 1) {
    Fields fields = document;
    fields.erase(fields.begin() + 1);  // one orbital is the one shown
    WriteFields(out, fields, "  ", true);
    WriteFields(out, OrbitalFields(lesson.Orbitals.front()), "  ", false);
  } else {
    WriteFields(out, document, "  ", true);
    out += "  \"orbitals\": [\n";
    for (size_t i = 0; i < lesson.Orbitals.size(); ++i) {
      out += "    {\n";
      WriteFields(out, OrbitalFields(lesson.Orbitals[i]), "      ", false);
      out += i + 1 < lesson.Orbitals.size() ? "    },\n" : "    }\n";
    }
    out += "  ]\n";
  }
  out += "}\n";
  return out;
}

}  // namespace wl
