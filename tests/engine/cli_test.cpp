// The command-line tool's list, eval and stats commands, run as a separate
// process: the orbital table it prints, the densities it evaluates, the
// statistics of a calculation, how it resolves orbital names and how it
// rejects bad input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ExpectedOrbitals.h"
#include "JsonReader.h"
#include "ToolRunner.h"
#include "core/Platform.h"
#include "core/cOrbitalCol.h"
#include "core/OrbitalLookup.h"
#include "core/modOrbitals.h"
#include "core/Utf8.h"
#include "orbitals/OrbitalCatalog.h"

namespace {

using wltest::Field;
using wltest::Json;
using wltest::kExpectedOrbitals;
using wltest::ParseJson;

using Result = wltest::ToolResult;

// Runs the tool with the given arguments, capturing stdout and stderr.
Result RunTool(const std::vector<std::string>& args) {
  return wltest::RunProgram(WL_RENDER_EXE, args);
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) parts.push_back(part);
  return parts;
}

// The significant digits of a number, without sign, exponent and the zeros
// at either end.
std::string SignificantDigits(const std::string& number) {
  std::string digits;
  for (char c : number) {
    if (c == 'e' || c == 'E') break;
    if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
  }
  digits.erase(0, digits.find_first_not_of('0'));
  digits.erase(digits.find_last_not_of('0') + 1);
  return digits;
}

// The value rounded to 17 significant digits, as a digit string.
std::string Digits17(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.16e", v);
  return SignificantDigits(buf);
}

// ---------------------------------------------------------------- list

TEST(CliList, PrintsOneTabSeparatedLinePerOrbital) {
  const Result r = RunTool({"list"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ASSERT_FALSE(r.out.empty());
  EXPECT_EQ(r.out.back(), '\n');
  const auto lines = Split(r.out, '\n');
  ASSERT_EQ(lines.size(), 168u);
  for (const auto& row : kExpectedOrbitals) {
    const auto cols = Split(lines[row.index], '\t');
    ASSERT_EQ(cols.size(), 12u) << lines[row.index];
    const std::vector<std::string> want = {std::to_string(row.index),
                                           row.name,
                                           std::to_string(row.n),
                                           std::to_string(row.l),
                                           std::to_string(row.M),
                                           row.type,
                                           std::to_string(row.pdfRadius),
                                           std::to_string(row.pdfThreshold),
                                           row.pdfFactor,
                                           std::to_string(row.drpdfRadius),
                                           std::to_string(row.drpdfThreshold),
                                           row.drpdfFactor};
    EXPECT_EQ(cols, want) << "line " << row.index;
  }
  // The superscripts are UTF-8.
  EXPECT_NE(lines[26].find("4Fz(x\xC2\xB2-y\xC2\xB2)"), std::string::npos);
  EXPECT_NE(lines[23].find("4Fz\xC2\xB3"), std::string::npos);
}

TEST(CliList, JsonHasTheRecordFieldsOfEveryOrbital) {
  const Result r = RunTool({"list", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json doc = ParseJson(r.out);
  ASSERT_EQ(doc.kind, Json::Array);
  ASSERT_EQ(doc.items.size(), 168u);
  const std::set<std::string> keys = {"Name",
                                      "DefaultPDFAtomRadius",
                                      "DefaultDRPDFAtomRadius",
                                      "DefaultPDFDotThreshold",
                                      "DefaultDRPDFDotThreshold",
                                      "n",
                                      "l",
                                      "M",
                                      "OrbType",
                                      "PDFOptFactor",
                                      "DRPDFOptFactor"};
  for (const auto& row : kExpectedOrbitals) {
    const Json& o = doc.items[row.index];
    ASSERT_EQ(o.kind, Json::Object);
    std::set<std::string> got;
    for (const auto& [k, v] : o.fields) got.insert(k);
    EXPECT_EQ(got, keys) << "object " << row.index;
    auto text = [&](const char* k) { return Field(o, k) ? Field(o, k)->text : "?"; };
    auto num = [&](const char* k) { return Field(o, k) ? Field(o, k)->number : -999; };
    EXPECT_EQ(text("Name"), row.name);
    EXPECT_EQ(text("OrbType"), row.type);
    EXPECT_EQ(text("PDFOptFactor"), row.pdfFactor);
    EXPECT_EQ(text("DRPDFOptFactor"), row.drpdfFactor);
    EXPECT_EQ(num("n"), row.n);
    EXPECT_EQ(num("M"), row.M);
    EXPECT_EQ(num("DefaultDRPDFAtomRadius"), row.drpdfRadius);
    EXPECT_EQ(num("DefaultPDFDotThreshold"), row.pdfThreshold);
  }
}

// ---------------------------------------------------------------- eval

struct Point {
  const char *x, *y, *z;
};

// Runs eval and checks its four densities and ψ (null for subshell averages)
// against the engine's wave function of orbital `index` at the same point.
void ExpectEval(const std::vector<std::string>& orbitalArgs, int index, const Point& p) {
  std::vector<std::string> args = {"eval"};
  args.insert(args.end(), orbitalArgs.begin(), orbitalArgs.end());
  args.insert(args.end(), {"--x", p.x, "--y", p.y, "--z", p.z});
  const Result r = RunTool(args);
  SCOPED_TRACE(args[2] + " -> orbital " + std::to_string(index));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
  const Json doc = ParseJson(r.out);
  ASSERT_EQ(doc.kind, Json::Object);
  ASSERT_EQ(doc.fields.size(), 5u) << r.out;

  const double x = std::strtod(p.x, nullptr), y = std::strtod(p.y, nullptr),
               z = std::strtod(p.z, nullptr);
  const wl::COORDdoubleParams c{x * x, y * y, z * z};
  auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(index));
  const std::map<std::string, double> want = {
      {"NonScaledPDF", e->GetNonScaledPDF(c)},
      {"RealPDF", e->GetRealPDF(c)},
      {"NonScaledDRPDF", e->GetNonScaledDRPDF(c)},
      {"RealDRPDF", e->GetRealDRPDF(c)},
  };
  for (const auto& [key, value] : want) {
    const Json* f = Field(doc, key);
    ASSERT_TRUE(f) << "no " << key << " in " << r.out;
    ASSERT_EQ(f->kind, Json::Number) << key;
    EXPECT_EQ(f->number, value) << key << " printed as " << f->text;
    EXPECT_EQ(SignificantDigits(f->text), Digits17(value)) << key << " printed as " << f->text;
  }
  const Json* psi = Field(doc, "Psi");
  ASSERT_TRUE(psi) << "no Psi in " << r.out;
  const double want_psi = e->GetPsi({x, y, z});
  if (std::isnan(want_psi)) {
    EXPECT_EQ(psi->kind, Json::Null) << r.out;
  } else {
    ASSERT_EQ(psi->kind, Json::Number) << r.out;
    EXPECT_EQ(psi->number, want_psi) << "Psi printed as " << psi->text;
    EXPECT_EQ(SignificantDigits(psi->text), Digits17(want_psi)) << "Psi printed as " << psi->text;
  }
}

constexpr Point kPoint{"0.7", "-1.1", "1.9"};

TEST(CliEval, PrintsTheFourDensitiesAndPsiWithSeventeenDigits) {
  ExpectEval({"--orbital", "6"}, 6, kPoint);
  ExpectEval({"--orbital", "0"}, 0, {"0", "0", "0"});
  ExpectEval({"--orbital", "39"}, 39, {"-12.25", "3e-1", "7"});
  ExpectEval({"--orbital", "23"}, 23, {"1e-3", "2.5", "-0.125"});
  // ψ keeps its sign: 2Pz below the xy plane is negative.
  const Result below = RunTool({"eval", "--orbital", "2Pz", "--x", "0", "--y", "0", "--z", "-1"});
  ASSERT_EQ(below.status, 0) << below.err;
  const Json doc = ParseJson(below.out);
  const Json* psi = Field(doc, "Psi");
  ASSERT_TRUE(psi && psi->kind == Json::Number) << below.out;
  EXPECT_LT(psi->number, 0);
}

TEST(CliEval, ResolvesIndicesAndNames) {
  // Every orbital has its own values at this point, so the numbers tell
  // which one was chosen.
  std::set<double> distinct;
  for (int i = 0; i < 40; ++i) {
    auto e = wl::modOrbitals::CreateElectron(static_cast<wl::Integer>(i));
    distinct.insert(e->GetRealDRPDF({0.49, 1.21, 3.61}));
  }
  ASSERT_EQ(distinct.size(), 40u);

  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{"--orbital", "29"}, 29},
      {{"--orbital", "2pz"}, 4},
      {{"--orbital", "2PZ"}, 4},
      {{"--orbital", "3dz2"}, 9},
      {{"--orbital", "3DZ\xC2\xB2"}, 9},
      {{"--orbital", "3dx2-y2"}, 10},
      {{"--orbital", "4Fz(x2-y2)"}, 26},
      {{"--orbital", "4fz(x\xC2\xB2-y\xC2\xB2)"}, 26},
      {{"--orbital", "4fy(3x2-y2)"}, 29},
      {{"--orbital", "4Fz3"}, 23},
      {{"--orbital", "1s"}, 0},
      {{"--orbital", "1S", "--average"}, 30},
      {{"--orbital", "3D", "--average"}, 35},
      {{"--average", "--orbital", "4f"}, 39},
      {{"--orbital=2p", "--average"}, 32},
  };
  for (const auto& [args, index] : cases) ExpectEval(args, index, kPoint);
}

// ------------------------------------------------------------ bad input

// Bad input: exit status 2, nothing on stdout, one line on stderr that
// contains every one of `mentions`.
void ExpectRejected(const std::vector<std::string>& args,
                    const std::vector<std::string>& mentions) {
  const Result r = RunTool(args);
  std::string joined;
  for (const auto& a : args) joined += " " + a;
  SCOPED_TRACE("wavelore-render" + joined);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.back(), '\n');
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  for (const auto& m : mentions) EXPECT_NE(r.err.find(m), std::string::npos) << r.err;
}

std::vector<std::string> Eval(std::vector<std::string> rest) {
  rest.insert(rest.begin(), "eval");
  return rest;
}

TEST(CliErrors, UnknownOrbitals) {
  // The message names the input and the valid choices.
  ExpectRejected(Eval({"--orbital", "5Q", "--x", "1", "--y", "1", "--z", "1"}), {"5Q", "2Pz"});
  ExpectRejected(Eval({"--orbital", "168", "--x", "1", "--y", "1", "--z", "1"}),
                 {"168", "0 to 167"});
  ExpectRejected(Eval({"--orbital", "3D", "--x", "1", "--y", "1", "--z", "1"}), {"3D"});
  ExpectRejected(Eval({"--orbital", "2Px", "--average", "--x", "1", "--y", "1", "--z", "1"}),
                 {"2Px", "2P"});
  ExpectRejected(Eval({"--orbital", "", "--x", "1", "--y", "1", "--z", "1"}), {"--orbital"});
}

TEST(CliErrors, MissingValuesAndOptions) {
  ExpectRejected(Eval({"--orbital", "1S", "--x", "1", "--y", "1", "--z"}), {"--z"});
  ExpectRejected(Eval({"--orbital"}), {"--orbital"});
  ExpectRejected(Eval({"--orbital", "1S", "--x", "1", "--y", "1"}), {"--z"});
  ExpectRejected(Eval({"--x", "1", "--y", "1", "--z", "1"}), {"--orbital"});
}

TEST(CliErrors, NonNumericValues) {
  ExpectRejected(Eval({"--orbital", "1S", "--x", "abc", "--y", "1", "--z", "1"}), {"--x", "abc"});
  ExpectRejected(Eval({"--orbital", "1S", "--x", "1", "--y", "1.5.2", "--z", "1"}),
                 {"--y", "1.5.2"});
  ExpectRejected(Eval({"--orbital", "1S", "--x", "1", "--y", "1", "--z", "2x"}), {"--z", "2x"});
  ExpectRejected(Eval({"--orbital", "1S", "--x", "", "--y", "1", "--z", "1"}), {"--x"});
}

TEST(CliErrors, UnknownOptionsAndCommands) {
  ExpectRejected(Eval({"--orbital", "1S", "--x", "1", "--y", "1", "--z", "1", "--w", "1"}),
                 {"--w"});
  ExpectRejected({"list", "--xml"}, {"--xml"});
  ExpectRejected({"list", "extra"}, {"extra"});
  ExpectRejected({"frobnicate"}, {"frobnicate"});
  ExpectRejected({}, {});
}

// ------------------------------------------------------- orbital choice

TEST(CliOrbitalChoice, EveryCatalogueNameAndItsTypedFormsFindTheirRow) {
  for (int i = 0; i < wl::kOrbitalCount; ++i) {
    const wl::OrbitalRow& row = wl::OrbitalRowAt(i);
    const bool average = row.OrbType == wl::AverageOrbs;
    const std::string name = wl::ToUtf8(row.Name);
    EXPECT_EQ(wl::LookupOrbital(name, average).Index, i) << name;
    EXPECT_EQ(wl::LookupOrbital(wl::TypedName(name), average).Index, i) << name;
  }
  const int g = wl::IndexOfOrbital(5, 4, -4, false);
  ASSERT_GE(g, wl::kSeedOrbitalCount);
  for (const char* typed : {"5g(m=-4)", "5G m=-4", "5g (m = \xE2\x88\x92" "4)", "5G(M=-4)"})
    EXPECT_EQ(wl::LookupOrbital(typed, false).Index, g) << typed;
  const int plus = wl::IndexOfOrbital(7, 6, 3, false);
  for (const char* typed : {"7i(m=3)", "7i m=+3", "7I (m = +3)"})
    EXPECT_EQ(wl::LookupOrbital(typed, false).Index, plus) << typed;
  EXPECT_EQ(wl::LookupOrbital("6dz2", false).Index, wl::IndexOfOrbital(6, 2, 0, false));
  EXPECT_EQ(wl::LookupOrbital("7I", true).Index, wl::IndexOfOrbital(7, 6, 0, true));
  EXPECT_EQ(wl::LookupOrbital("167", false).Index, 167);
  // The averaged subshell's name without --average says how to get it.
  EXPECT_NE(wl::LookupOrbital("6H", false).Error.find("--average"), std::string::npos);

  // The tool lists the new rows in the same order, with their numbers.
  const Result list = RunTool({"list"});
  ASSERT_EQ(list.status, 0) << list.err;
  const auto lines = Split(list.out, '\n');
  ASSERT_EQ(lines.size(), 168u);
  for (int i : {40, g, plus, 150, 167}) {
    const wl::OrbitalRow& row = wl::OrbitalRowAt(i);
    const auto cols = Split(lines[static_cast<size_t>(i)], '\t');
    ASSERT_EQ(cols.size(), 12u);
    EXPECT_EQ(cols[1], wl::ToUtf8(row.Name));
    EXPECT_EQ(cols[2] + "," + cols[3] + "," + cols[4] + "," + cols[5],
              std::to_string(row.n) + "," + std::to_string(row.l) + "," + std::to_string(row.M) +
                  "," + (row.OrbType == wl::SingleOrb ? "SingleOrb" : "AverageOrbs"));
  }
}

// eval's output without the line end, or the refusal.
std::string EvalOut(std::vector<std::string> choice) {
  for (const char* a : {"--x", "0.7", "--y", "-1.1", "--z", "1.9"}) choice.emplace_back(a);
  const Result r = RunTool(Eval(choice));
  return r.status == 0 ? r.out : "status " + std::to_string(r.status) + ": " + r.err;
}

TEST(CliOrbitalChoice, QuantumNumbersPickTheNamedOrbital) {
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> same = {
      {{"--nlm", "2,1,1"}, {"--orbital", "2Px"}},
      {{"--nlm", "2,1,-1"}, {"--orbital", "2Py"}},
      {{"--nlm", "3, 2, 0"}, {"--orbital", "3Dz2"}},
      {{"--nlm", "4,3,-2"}, {"--orbital", "4Fxyz"}},
      {{"--nlm", "4,3", "--average"}, {"--orbital", "4F", "--average"}},
      {{"--nlm=1,0,0"}, {"--orbital", "0"}},
  };
  for (const auto& [nlm, named] : same) {
    const std::string a = EvalOut(nlm), b = EvalOut(named);
    EXPECT_EQ(a.rfind("{", 0), 0u) << a;
    EXPECT_EQ(a, b) << nlm[0] << " " << nlm[1];
  }
}

// The tool's refusal is the setup's own: the same line, word for word.
void ExpectSetupRefusal(const std::vector<std::string>& choice, const wl::OrbitalSetup& setup) {
  const std::string refusal = wl::CheckSetup(setup);
  ASSERT_FALSE(refusal.empty());
  EXPECT_EQ(EvalOut(choice), "status 2: wavelore-render: " + refusal + "\n");
}

TEST(CliOrbitalChoice, RefusalsNameTheOptionOrAreTheSetupsOwn) {
  wl::OrbitalSetup s;
  s.OrbitalIndex = 4;
  s.Charge = 11;
  ExpectSetupRefusal({"--orbital", "2Pz", "--charge", "11"}, s);
  s.Charge = 0;
  ExpectSetupRefusal({"--nlm", "2,1,0", "--charge", "0"}, s);
  s = {};
  s.OrbitalIndex = static_cast<wl::Integer>(wl::IndexOfOrbital(6, 2, 0, true));
  s.Complex = wl::kTrue;
  ExpectSetupRefusal({"--nlm", "6,2", "--average", "--complex"}, s);
  s = {};
  s.Hybrid = wl::HybridSp3;
  s.HybridMember = 5;
  ExpectSetupRefusal({"--hybrid", "sp3", "--member", "5"}, s);
  s.HybridMember = 1;
  s.HybridShell = 1;
  ExpectSetupRefusal({"--hybrid", "sp3", "--member", "1", "--n", "1"}, s);
  s = {};
  s.Hybrid = wl::HybridSp3d;
  s.HybridShell = 2;
  ExpectSetupRefusal({"--hybrid", "sp3d", "--member", "1", "--n", "2"}, s);
  s = {};
  s.Hybrid = wl::HybridSp;
  s.Complex = wl::kTrue;
  ExpectSetupRefusal({"--hybrid", "sp", "--member", "1", "--complex"}, s);
  s = {};
  s.Hybrid = wl::CustomCombination;
  s.TermCount = 2;
  s.Terms[0] = {1, 0.5};
  s.Terms[1] = {6, 0.5};  // 3Px
  ExpectSetupRefusal({"--combine", "2s:0.5,3px:0.5"}, s);
  s.Terms[1] = {32, 0.5};  // the 2p average
  ExpectSetupRefusal({"--combine", "2s:0.5,2P:0.5"}, s);
  s.Terms[1] = {1, 0.5};
  ExpectSetupRefusal({"--combine", "2s:0.5,1:0.5"}, s);
  s.Terms[0].Coefficient = s.Terms[1].Coefficient = 0;
  s.Terms[1] = {2, 0};
  ExpectSetupRefusal({"--combine", "2s:0,2px:0"}, s);
  s.TermCount = 5;
  ExpectSetupRefusal({"--combine", "2s,2px,2py,2pz,1s"}, s);

  // Refusals of the command line itself name the option.
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> refused = {
      {{"--nlm", "2,1"}, {"--nlm", "N,L,M"}},
      {{"--nlm", "2,1,0", "--average"}, {"--nlm", "--average", "N,L"}},
      {{"--nlm", "8,0,0"}, {"--nlm", "n must be 1 to 7"}},
      {{"--nlm", "3,3,0"}, {"--nlm", "l must be 0 to 2"}},
      {{"--nlm", "3,1,2"}, {"--nlm", "m must be -1 to 1"}},
      {{"--nlm", "a,b,c"}, {"--nlm"}},
      {{"--orbital", "2Pz", "--nlm", "2,1,0"}, {"--orbital", "--nlm"}},
      {{"--hybrid", "sp3", "--member", "1", "--combine", "2s"}, {"--hybrid", "--combine"}},
      {{"--orbital", "2s", "--member", "1"}, {"--member needs --hybrid"}},
      {{"--orbital", "2s", "--n", "3"}, {"--n needs --hybrid"}},
      {{"--hybrid", "sp3"}, {"--member"}},
      {{"--hybrid", "sp4", "--member", "1"}, {"--hybrid", "sp|sp2|sp3|sp3d|sp3d2", "sp4"}},
      {{"--hybrid", "sp3", "--member", "one"}, {"--member", "one"}},
      {{"--hybrid", "sp3", "--member", "1", "--average"}, {"--average"}},
      {{"--orbital", "2Pz", "--charge", "two"}, {"--charge", "two"}},
      {{"--combine", "2s:0.5,,2px:0.5"}, {"--combine", "NAME:COEFFICIENT"}},
      {{"--combine", "2s:half"}, {"--combine", "2s:half"}},
      {{"--combine", "2q:1"}, {"--combine", "2q"}},
      {{"--charge", "2"}, {"--orbital", "--nlm", "--hybrid", "--combine"}},
  };
  for (const auto& [choice, mentions] : refused) {
    std::vector<std::string> args = choice;
    for (const char* a : {"--x", "1", "--y", "1", "--z", "1"}) args.emplace_back(a);
    ExpectRejected(Eval(args), mentions);
  }
}

// The wave function of a setup here, when the engine can make it.
std::unique_ptr<wl::cElectron> ElectronHere(const wl::OrbitalSetup& s) {
  return wl::modOrbitals::CreateElectron(s);
}

TEST(CliOrbitalChoice, IonsComplexOrbitalsHybridsAndCombinationsEvaluate) {
  wl::OrbitalSetup ion;
  ion.OrbitalIndex = 4;  // 2Pz
  ion.Charge = 3;
  wl::OrbitalSetup complex;
  complex.OrbitalIndex = static_cast<wl::Integer>(wl::IndexOfOrbital(3, 1, 1, false));
  complex.Complex = wl::kTrue;
  wl::OrbitalSetup hybrid;
  hybrid.Hybrid = wl::HybridSp3;
  hybrid.HybridMember = 2;
  wl::OrbitalSetup combination;
  combination.Hybrid = wl::CustomCombination;
  combination.TermCount = 2;
  combination.Terms[0] = {1, 1};   // 2S
  combination.Terms[1] = {4, -2};  // 2Pz
  const std::vector<std::pair<std::vector<std::string>, wl::OrbitalSetup>> cases = {
      {{"--orbital", "2Pz", "--charge", "3"}, ion},
      {{"--nlm", "3,1,1", "--complex"}, complex},
      {{"--hybrid", "sp3", "--member", "2"}, hybrid},
      {{"--combine", "2s:1, 2pz:-2"}, combination},
  };
  const double x = 0.7, y = -1.1, z = 1.9;
  for (const auto& [choice, setup] : cases) {
    SCOPED_TRACE(choice[0] + " " + choice[1]);
    auto e = ElectronHere(setup);
    if (!e) GTEST_SKIP() << "the engine makes no wave function for this setup yet";
    const Json doc = ParseJson(EvalOut(choice));
    ASSERT_EQ(doc.kind, Json::Object);
    ASSERT_TRUE(Field(doc, "RealPDF"));
    // The densities at the point itself, also where the hybrids lack the
    // mirror symmetry of single orbitals (y < 0 here): |ψ|², and for DRPDF
    // weighted by the distances from the z axis and the nucleus.
    const double density = std::norm(e->GetPsiComplex({x, y, z}));
    const double weight = std::sqrt(x * x + y * y) * std::sqrt(x * x + y * y + z * z);
    EXPECT_NEAR(Field(doc, "RealPDF")->number, density, 1e-12 * density);
    EXPECT_NEAR(Field(doc, "RealDRPDF")->number, density * weight, 1e-12 * density * weight);
    if (setup.Complex) {
      const std::complex<double> psi = e->GetPsiComplex({x, y, z});
      ASSERT_TRUE(Field(doc, "PsiRe") && Field(doc, "PsiIm"));
      EXPECT_EQ(Field(doc, "PsiRe")->number, psi.real());
      EXPECT_EQ(Field(doc, "PsiIm")->number, psi.imag());
      EXPECT_NE(psi.imag(), 0);
      EXPECT_EQ(Field(doc, "Psi"), nullptr);
    } else {
      ASSERT_TRUE(Field(doc, "Psi"));
      EXPECT_EQ(Field(doc, "Psi")->number, e->GetPsi({x, y, z}));
    }
  }
}

TEST(CliOrbitalChoice, StatsCalculateTheChoiceWithItsOwnDefaults) {
  wl::OrbitalSetup s;
  s.Hybrid = wl::HybridSp2;
  s.HybridMember = 3;
  s.HybridShell = 3;
  s.Charge = 2;
  if (!ElectronHere(s)) GTEST_SKIP() << "the engine makes no wave function for hybrids yet";
  const wl::OrbInfo info = wl::InfoOf(s);
  const Result r = RunTool({"stats", "--hybrid", "sp2", "--member", "3", "--n", "3", "--charge",
                            "2", "--dots", "300", "--seed", "11"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json j = ParseJson(r.out);
  s.OrbitalViewMode = wl::PDF;
  s.AtomRadius = info.DefaultPDFAtomRadius;
  s.DotThreshold = static_cast<wl::Byte>(info.DefaultPDFDotThreshold);
  s.DotTarget = 300;
  wl::SetSeedHook(11);
  wl::cOrbitalCol col;
  const wl::Integer i = col.Add(s);
  wl::SetSeedHook(std::nullopt);
  const wl::OrbitalStats here = col.GetStats(i);
  EXPECT_EQ(Field(j, "DotTotal")->number, here.DotTotal);
  EXPECT_EQ(Field(j, "Peak")->number, dynamic_cast<const wl::cOrbitalObject&>(col.At(i)).Peak());
  const auto& freqs = Field(j, "ProbFreqs")->items;
  ASSERT_EQ(freqs.size(), 256u);
  for (int p = 0; p < 256; ++p) EXPECT_EQ(freqs[p].number, here.ProbFreqs[p]) << p;
}

// ------------------------------------------------------------------ stats

// The same calculation in this process, through the collection.
wl::OrbitalStats StatsHere(wl::Integer index, wl::ViewMode view, wl::Integer radius,
                           wl::Byte threshold, wl::Integer dots, std::int32_t seed, double* peak) {
  wl::SetSeedHook(seed);
  wl::cOrbitalCol col;
  wl::OrbitalSetup s;
  s.OrbitalIndex = index;
  s.OrbitalViewMode = view;
  s.AtomRadius = radius;
  s.DotThreshold = threshold;
  s.DotTarget = dots;
  const wl::Integer i = col.Add(s);
  wl::SetSeedHook(std::nullopt);
  *peak = dynamic_cast<const wl::cOrbitalObject&>(col.At(i)).Peak();
  return col.GetStats(i);
}

TEST(CliStats, PrintsEveryFieldOfTheCalculation) {
  const Result r = RunTool({"stats", "--orbital", "3dz2", "--view", "drpdf", "--seed", "77"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json j = ParseJson(r.out);
  double peak = 0;
  // The DRPDF defaults of 3Dz²: radius 20, threshold 50; 16000 dots.
  const wl::OrbitalStats here = StatsHere(9, wl::DRPDF, 20, 50, 16000, 77, &peak);
  for (const char* key :
       {"FramesRendered", "ProbFreqs", "TotalSamples", "Mode", "CalcTime", "CalcRate", "DotTarget",
        "DotTotal", "DotTime", "Peak", "DotScale", "Seed"}) {
    EXPECT_NE(Field(j, key), nullptr) << key;
  }
  ASSERT_NE(Field(j, "ProbFreqs"), nullptr);
  const auto& freqs = Field(j, "ProbFreqs")->items;
  ASSERT_EQ(freqs.size(), 256u);
  for (int p = 0; p < 256; ++p) EXPECT_EQ(freqs[p].number, here.ProbFreqs[p]) << p;
  EXPECT_EQ(Field(j, "TotalSamples")->number, 2097152);
  EXPECT_EQ(Field(j, "Mode")->number, here.Mode);
  EXPECT_EQ(Field(j, "DotTarget")->number, 16000);
  EXPECT_EQ(Field(j, "DotTotal")->number, here.DotTotal);
  EXPECT_EQ(Field(j, "FramesRendered")->number, 0);
  EXPECT_EQ(Field(j, "Seed")->number, 77);
  EXPECT_EQ(Field(j, "Peak")->number, peak);
  EXPECT_EQ(SignificantDigits(Field(j, "Peak")->text), Digits17(peak));
  EXPECT_GE(Field(j, "CalcTime")->number, 1);
}

TEST(CliStats, OptionsOverrideTheDefaults) {
  const Result r = RunTool({"stats", "--orbital", "4F", "--average", "--radius", "30",
                            "--threshold", "80", "--dots", "500", "--seed", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json j = ParseJson(r.out);
  double peak = 0;
  const wl::OrbitalStats here = StatsHere(39, wl::PDF, 30, 80, 500, 3, &peak);
  EXPECT_EQ(Field(j, "DotTotal")->number, here.DotTotal);
  EXPECT_EQ(Field(j, "DotTarget")->number, 500);
  EXPECT_EQ(Field(j, "Peak")->number, peak);
  // Without --seed the seed comes from the clock and is reported.
  const Result clock = RunTool({"stats", "--orbital", "1S", "--dots", "10"});
  ASSERT_EQ(clock.status, 0) << clock.err;
  EXPECT_NE(Field(ParseJson(clock.out), "Seed"), nullptr);
}

TEST(CliStats, RefusesValuesOutsideTheirRanges) {
  ExpectRejected({"stats", "--orbital", "1S", "--radius", "0"}, {"--radius", "1", "32767"});
  ExpectRejected({"stats", "--orbital", "1S", "--radius", "32768"}, {"--radius"});
  ExpectRejected({"stats", "--orbital", "1S", "--threshold", "256"}, {"--threshold", "255"});
  ExpectRejected({"stats", "--orbital", "1S", "--dots", "-1"}, {"--dots"});
  ExpectRejected({"stats", "--orbital", "1S", "--dots", "40000"}, {"--dots", "32767"});
  ExpectRejected({"stats", "--orbital", "1S", "--seed", "-5"}, {"--seed"});
  ExpectRejected({"stats", "--orbital", "1S", "--seed", "2147483648"}, {"--seed"});
  ExpectRejected({"stats", "--orbital", "1S", "--view", "dr"}, {"--view", "drpdf"});
  ExpectRejected({"stats", "--radius", "5"}, {"--orbital"});
  ExpectRejected({"stats", "--orbital", "1S", "--radius", "5.5"}, {"--radius", "5.5"});
}

TEST(CliHelp, DocumentsTheOptions) {
  const Result r = RunTool({"--help"});
  ASSERT_EQ(r.status, 0);
  for (const char* word :
       {"list", "--json", "eval", "--orbital", "--x", "--y", "--z", "--average"}) {
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  }
  // -h is the same request, for the tool and for its render command.
  const Result shortForm = RunTool({"-h"});
  EXPECT_EQ(shortForm.status, 0);
  EXPECT_EQ(shortForm.out, r.out);
  const Result renderHelp = RunTool({"render", "--help"});
  EXPECT_EQ(renderHelp.status, 0);
  EXPECT_NE(renderHelp.out, r.out);
  EXPECT_EQ(RunTool({"render", "-h"}).out, renderHelp.out);
}

}  // namespace
