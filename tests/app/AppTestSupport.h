// Test doubles of the platform services and a fixture that starts the real
// program with them: a message-box layer that records what was asked and
// answers from a script, and a display back end with a chosen mode list.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QWindow>
#include <deque>
#include <memory>
#include <vector>

#include "core/Platform.h"
#include "main/frmMain.h"
#include "shell/Services.h"
#include "shell/modMain.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace wltest {

struct AskedBox {
  QString text, title;
  wl::MsgIcon icon;
  wl::MsgButtons buttons;
};

class FakeMessages : public wl::MessageBoxService {
 public:
  wl::MsgAnswer Show(QWidget*, const QString& text, const QString& title, wl::MsgIcon icon,
                     wl::MsgButtons buttons) override {
    asked.push_back({text, title, icon, buttons});
    if (buttons == wl::MsgButtons::OK) return wl::MsgAnswer::OK;
    if (answers.empty()) return wl::MsgAnswer::No;
    const wl::MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<AskedBox> asked;
  std::deque<wl::MsgAnswer> answers;  // for Yes/No boxes, in order; No when empty
};

inline wl::DEVMODE Mode(wl::Long w, wl::Long h, wl::Long bits, wl::Long hz = 60) {
  wl::DEVMODE m;
  m.dmPelsWidth = w;
  m.dmPelsHeight = h;
  m.dmBitsPerPel = bits;
  m.dmDisplayFrequency = hz;
  return m;
}

class FakeDisplay : public wl::DisplayBackEnd {
 public:
  wl::DEVMODE CurrentMode() override { return current; }
  bool EnumMode(wl::Long i, wl::DEVMODE& mode) override {
    if (i < 0 || i >= static_cast<wl::Long>(modes.size())) return false;
    mode = modes[static_cast<size_t>(i)];
    return true;
  }
  wl::Long ChangeMode(const wl::DEVMODE& mode) override {
    changes.push_back(mode);
    if (changeResult == 0) current = mode;
    return changeResult;
  }
  QPoint Origin() override {
    const bool presented = current.dmPelsWidth == 800 && current.dmPelsHeight == 600;
    return presented ? presentedOrigin : QPoint(0, 0);
  }
  double LogPixelsX() override { return dpi; }
  void PresentAbove(QWidget* window) override { presentedAbove = window; }
  void ShowPresentation(bool visible) override { presentationShown.push_back(visible); }

  wl::DEVMODE current = Mode(1024, 768, 32);
  QWidget* presentedAbove = nullptr;   // the window kept above the presentation
  std::vector<bool> presentationShown;  // hidden on minimising, shown on restore
  std::vector<wl::DEVMODE> modes{Mode(1024, 768, 32), Mode(800, 600, 32)};
  std::vector<wl::DEVMODE> changes;
  wl::Long changeResult = 0;
  double dpi = 96;
  QPoint presentedOrigin;  // the window's corner while the last mode is shown
};

struct AskedFile {
  QString caption, startPath;
  QStringList filters;
};

class FakeFiles : public wl::FileDialogService {
 public:
  std::optional<QString> SaveFileName(QWidget*, const QString& caption, const QString& startPath,
                                      const QStringList& filters,
                                      QString* chosenFilter = nullptr) override {
    asked.push_back({caption, startPath, filters});
    if (chosenFilter && filter) *chosenFilter = *filter;
    return answer;
  }
  std::optional<QString> OpenFileName(QWidget*, const QString& caption, const QString& startFolder,
                                      const QStringList& filters) override {
    asked.push_back({caption, startFolder, filters});
    return answer;
  }
  std::vector<AskedFile> asked;
  std::optional<QString> answer;  // the name the user picks; none cancels
  std::optional<QString> filter;  // the filter the user picks; none keeps the first
};

// A printer whose page is an image: what was printed can be looked at.
class FakePrinter : public wl::PrinterService {
 public:
  bool HasPrinter() override { return present; }
  wl::DialogOutcome Print(QWidget*, const std::function<void(QPainter&)>& paint,
                          QString& error) override {
    ++dialogs;
    if (outcome != wl::DialogOutcome::Done) {
      error = QStringLiteral("paper jam");
      return outcome;
    }
    page = QImage(850, 1100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter);
    return outcome;
  }
  wl::DialogOutcome PrintDocument(QWidget*, const QTextDocument& document,
                                  QString& error) override {
    ++dialogs;
    if (outcome != wl::DialogOutcome::Done) {
      error = QStringLiteral("paper jam");
      return outcome;
    }
    printedText = document.toPlainText();
    return outcome;
  }
  bool present = true;
  wl::DialogOutcome outcome = wl::DialogOutcome::Done;
  QString printedText;
  int dialogs = 0;
  QImage page;
};

// What the program remembers goes to a folder of this test run, never to the
// user's own settings; each call starts with nothing remembered.
inline void IsolateSettings() {
  static QTemporaryDir folder;
  static const bool placed = [] {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    return true;
  }();
  ASSERT_TRUE(placed && folder.isValid());
  QSettings(QStringLiteral("Wavelore"), QStringLiteral("Wavelore")).clear();
}

// Installs the doubles for one test and puts the Qt services back afterwards.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IsolateSettings();
    messages = std::make_shared<FakeMessages>();
    display = std::make_shared<FakeDisplay>();
    files = std::make_shared<FakeFiles>();
    printer = std::make_shared<FakePrinter>();
    wl::Services& s = wl::AppServices();
    s.Messages = messages;
    s.Display = display;
    s.Files = files;
    s.Printer = printer;
    s.BrowserVersion = [this] { return browserVersion; };
    s.OpenExternal = [this](const QString& target) {
      opened.push_back(target);
      return true;
    };
  }
  // Every test leaves the engine's seed and clock as it found them.
  void TearDown() override {
    window.reset();
    wl::ResetAppServices();
    wl::SetSeedHook(std::nullopt);
    wl::SetClockHook(nullptr);
  }

  // Runs the start procedure; the window (if any) is kept in `window`.
  wl::StartResult Start(std::optional<wl::OrbitalSetup> orbital = std::nullopt) {
    wl::StartOptions options;
    options.Orbital = orbital;
    wl::StartResult r = wl::modMain::Main(options);
    window = std::move(r.Window);
    return wl::StartResult{nullptr, r.ExitCode};
  }
  // Starts on a roomy desktop and waits for the shown window.
  wl::frmMain& Started() {
    Start();
    EXPECT_TRUE(window);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  std::shared_ptr<FakeMessages> messages;
  std::shared_ptr<FakeDisplay> display;
  std::shared_ptr<FakeFiles> files;
  std::shared_ptr<FakePrinter> printer;
  wl::Long browserVersion = 6;
  std::vector<QString> opened;
  std::unique_ptr<wl::frmMain> window;
};

}  // namespace wltest
