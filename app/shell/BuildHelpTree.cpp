#include "BuildHelpTree.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTreeWidget>
#include <algorithm>

#include "help/cFileSys.h"
#include "help/modHTML.h"
#include "main/frmMain.h"
#include "modWindows.h"

namespace wl {

namespace {
// Records the real file of a key when it exists.
void Record(frmMain& form, const QString& key) {
  if (const auto real = cFileSys::RealPath(key)) form.PageFiles.insert(key, *real);
}
}  // namespace

void BuildHelpTree(frmMain& form, QTreeWidget* Tree, const QString& pagesFolder) {
  cFileSys fs;
  form.AppPath =
      cFileSys::NormalizePath(cFileSys::KeyForm(QDir(pagesFolder).absolutePath())).toUpper();
  modWindows::SetTreeColours(Tree);
  form.ClearNodes();
  form.PageFiles.clear();

  const QString refFolder = form.AppPath + QStringLiteral("REFERENCE\\");
  const QString helpFolder = form.AppPath + QStringLiteral("HELP\\");
  form.HelpSelectorPage = helpFolder + QStringLiteral("A_ORBITALSELECTOR.HTM");
  form.HelpViewerPage = helpFolder + QStringLiteral("B_ORBITALVIEWER.HTM");
  form.HelpOptionsPage = helpFolder + QStringLiteral("C_FURTHEROPTIONS.HTM");
  form.HomePage = form.AppPath + QStringLiteral("WL.HTM");
  form.HelpIndex = helpFolder + QStringLiteral("INDEX.HTM");
  form.RefIndex = refFolder + QStringLiteral("INDEX.HTM");

  form.AddNode(QString(), form.HomePage, QStringLiteral("Wavelore: Home"));
  form.AddNode(form.HomePage, QStringLiteral("Orbitals"), QStringLiteral("View an Orbital"));
  form.AddNode(form.HomePage, form.RefIndex, QStringLiteral("Reference"));
  form.AddNode(form.HomePage, form.HelpIndex, QStringLiteral("Help"));
  for (const QString& key : {form.HomePage, form.RefIndex, form.HelpIndex}) Record(form, key);

  // A folder reached twice (through a link back to a parent) is walked once.
  QSet<QString> walked;
  QStringList list{refFolder, helpFolder};
  while (!list.isEmpty()) {
    QStringList next;
    for (const QString& folder : list) {
      const QString F = folder.toUpper();
      const auto real = cFileSys::RealPath(F);
      if (!real || walked.contains(QFileInfo(*real).canonicalFilePath())) continue;
      walked.insert(QFileInfo(*real).canonicalFilePath());

      QStringList folders = fs.EnumFolders(F, QStringLiteral("*.*"));
      QStringList files = fs.EnumFiles(F, QStringLiteral("*.htm"));
      std::sort(folders.begin(), folders.end());
      std::sort(files.begin(), files.end());
      const QString parent = F + QStringLiteral("INDEX.HTM");
      for (const QString& S : folders) {
        next << F + S + QLatin1Char('\\');
        const QString key = F + S.toUpper() + QStringLiteral("\\INDEX.HTM");
        form.AddNode(parent, key, S);
        Record(form, key);
      }
      for (const QString& file : files) {
        const QString N = file.toUpper();
        if (N.left(N.size() - 4) == QLatin1String("INDEX")) continue;
        const QString key = F + N;
        form.PageFiles.insert(key, QDir(*real).filePath(file));
        QString title = modHTML::GetHTMLTitle(key);
        // A page without a title is listed under its file name.
        if (title.isEmpty()) title = file;
        form.AddNode(parent, key, title);
      }
    }
    list = next;
  }
  if (QTreeWidgetItem* root = form.Node(form.HomePage)) root->setExpanded(true);
}

}  // namespace wl
