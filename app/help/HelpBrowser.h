// The page browser: a QTextBrowser that lets its owner decide every
// navigation. Addresses are reported as the owner's page keys expect them: a
// page without an anchor as its key-form path ("home\ann\wl\HELP\INDEX.HTM"),
// a page with an anchor as a file address ("file:///home/ann/wl/HELP/X.HTM#A").
// Links of the scheme "status:" command the program instead of navigating:
// clicking one raises its text as a status-text change; hovering an "ST"
// link raises its text, hovering an "OV" link a line saying which orbital it
// opens, and leaving either raises "RS".
#pragma once

#include <QTextBrowser>
#include <functional>
#include <optional>

#include "wlapp_export.h"

namespace wl {

class WLAPP_EXPORT HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  // The component's major version.
  static int Version();

  // Navigates to a page key, with "#" and an anchor when one is given. The
  // before-navigation event is raised first and may cancel.
  void Navigate(const QString& address);
  // Maps a page key to the real file; none when there is no such page.
  std::function<std::optional<QString>(const QString& key)> ResolvePage;

  // Saves the page shown as a file the user chooses, starting in `folder`;
  // printing prints it. Failures and cancels are silent: the page stays.
  void SavePage(const QString& folder);
  void PrintPage();

  // Shows a short note of the program's own in place of a page (a heading,
  // then HTML text), with a way on to the orbital selector.
  void ShowNote(const QString& heading, const QString& text);

  // The address a link target is reported under (see above).
  static QString ReportedAddress(const QUrl& url);

 signals:
  void BeforeNavigate(const QString& address, bool* cancel);
  void StatusTextChange(const QString& text);

 private:
  void LinkClicked(const QUrl& url);
  void LinkHovered(const QUrl& url);
  void Load(const QString& address);
  bool HoveringStatus_ = false;
};

}  // namespace wl
