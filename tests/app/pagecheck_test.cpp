// The pages as built beside the program: every page has a title and a node
// in the tree, every link leads somewhere real (a page of the tree, an anchor
// that exists, or a command the program knows), every picture was rendered,
// and every anchor the program opens exists.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include "AppTestSupport.h"
#include "help/PageCommands.h"
#include "help/cFileSys.h"
#include "help/modHTML.h"

using namespace wltest;
using wl::cFileSys;

namespace {

struct Page {
  QString path;  // real path
  QString text;
};

QString Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool HasAnchor(const QString& html, const QString& anchor) {
  const QString name = QRegularExpression::escape(anchor);
  return QRegularExpression(QStringLiteral("(name|id)\\s*=\\s*[\"']%1[\"']").arg(name),
                            QRegularExpression::CaseInsensitiveOption)
      .match(html)
      .hasMatch();
}

class Pages : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    w = &Started();
    const QString home = w->PageFiles.value(w->HomePage);
    ASSERT_FALSE(home.isEmpty()) << "no home page beside the program";
    folder = QFileInfo(home).absolutePath();
    pages.push_back({home, Read(home)});
    for (const char* sub : {"HELP", "REFERENCE"}) {
      QDirIterator it(QDir(folder).filePath(QLatin1String(sub)),
                      {QStringLiteral("*.htm"), QStringLiteral("*.HTM")}, QDir::Files,
                      QDirIterator::Subdirectories);
      while (it.hasNext()) {
        const QString path = it.next();
        pages.push_back({path, Read(path)});
      }
    }
  }
  QString Key(const QString& real) const { return cFileSys::KeyForm(real).toUpper(); }

  wl::frmMain* w = nullptr;
  QString folder;
  std::vector<Page> pages;
};

TEST_F(Pages, EveryPageHasATitleAndANode) {
  ASSERT_GE(pages.size(), 5u);
  for (const Page& p : pages) {
    EXPECT_FALSE(wl::modHTML::GetHTMLTitle(Key(p.path)).isEmpty()) << p.path.toStdString();
    EXPECT_NE(w->Node(Key(p.path)), nullptr) << p.path.toStdString();
  }
}

TEST_F(Pages, EveryLinkLeadsSomewhereReal) {
  static const QRegularExpression href(QStringLiteral("href\\s*=\\s*[\"']([^\"']*)[\"']"),
                                       QRegularExpression::CaseInsensitiveOption);
  int links = 0;
  for (const Page& p : pages) {
    auto it = href.globalMatch(p.text);
    while (it.hasNext()) {
      const QString target = it.next().captured(1);
      const std::string where = p.path.toStdString() + " -> " + target.toStdString();
      ++links;
      if (target.startsWith(QLatin1String("status:"))) {
        const QString command = target.mid(7);
        if (command.startsWith(QLatin1String("OV"))) {
          EXPECT_GE(wl::ParseOrbitalLink(command.mid(2)).Index, 0) << where;
        } else {
          EXPECT_TRUE(command == QLatin1String("OS") || command.startsWith(QLatin1String("ST")) ||
                      command == QLatin1String("RS"))
              << where;
        }
        continue;
      }
      const auto hash = target.indexOf(QLatin1Char('#'));
      const QString file = hash < 0 ? target : target.left(hash);
      const QString anchor = hash < 0 ? QString() : target.mid(hash + 1);
      EXPECT_FALSE(file.contains(QLatin1String("://"))) << "outside link: " << where;
      const QString real =
          file.isEmpty() ? p.path : QDir::cleanPath(QFileInfo(p.path).dir().filePath(file));
      ASSERT_TRUE(QFileInfo::exists(real)) << where;
      EXPECT_NE(w->Node(Key(real)), nullptr) << "page not in the tree: " << where;
      if (!anchor.isEmpty()) {
        EXPECT_TRUE(HasAnchor(Read(real), anchor)) << where;
      }
    }
  }
  EXPECT_GT(links, 10);
}

TEST_F(Pages, EveryPictureWasRendered) {
  static const QRegularExpression src(QStringLiteral("<img[^>]*src\\s*=\\s*[\"']([^\"']*)[\"']"),
                                      QRegularExpression::CaseInsensitiveOption);
  for (const Page& p : pages) {
    auto it = src.globalMatch(p.text);
    while (it.hasNext()) {
      const QString picture = it.next().captured(1);
      EXPECT_TRUE(QFileInfo(QFileInfo(p.path).dir().filePath(picture)).isFile())
          << p.path.toStdString() << " -> " << picture.toStdString();
    }
  }
}

TEST_F(Pages, TheAnchorsAndPagesTheProgramOpensExist) {
  for (const QString& key : {w->HomePage, w->HelpIndex, w->RefIndex, w->HelpSelectorPage,
                             w->HelpViewerPage, w->HelpOptionsPage}) {
    EXPECT_TRUE(w->PageFiles.contains(key)) << key.toStdString();
  }
  const QString options = Read(w->PageFiles.value(w->HelpOptionsPage));
  for (const char* anchor :
       {"ProbabilityShading", "CameraSettings", "DotDensity", "VolumetricQuality"}) {
    EXPECT_TRUE(HasAnchor(options, QLatin1String(anchor))) << anchor;
  }
}

}  // namespace
