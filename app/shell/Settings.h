// What the program keeps between runs (the last picture and lesson folders, the
// recent lesson files, the places of its tool windows), in the user's
// configuration under "Wavelore".
#pragma once

#include <QSettings>

namespace wl {

inline QSettings ProgramSettings() {
  return QSettings(QStringLiteral("Wavelore"), QStringLiteral("Wavelore"));
}

}  // namespace wl
