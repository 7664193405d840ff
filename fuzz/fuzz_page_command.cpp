// The pages' "OV" command and its hover line, and the addresses the page
// browser reports, on any text.
#include <QString>
#include <QUrl>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "help/HelpBrowser.h"
#include "help/PageCommands.h"
#include "orbitals/OrbitalCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
  const wl::OrbitalLink link = wl::ParseOrbitalLink(text);
  if ((link.Index < 0) == link.Error.isEmpty() || link.Index >= wl::kOrbitalCount ||
      (link.Index >= 0 && !wl::CheckSetup(link.Setup).empty())) std::abort();
  if (wl::OrbitalLinkHint(link).isEmpty()) std::abort();
  wl::HelpBrowser::ReportedAddress(QUrl(text));
  wl::HelpBrowser::ReportedAddress(QUrl::fromLocalFile(text));
  return 0;
}
