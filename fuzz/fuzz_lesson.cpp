// Lesson files: any bytes are either refused with a message or read into a
// lesson whose values lie in their ranges, and which reads back unchanged
// from the document written for it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "lessons/LessonFile.h"
#include "orbitals/OrbitalCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const wl::LessonReading reading = wl::ReadLesson(text);
  if (!reading.Lesson) {
    if (reading.Error.isEmpty()) std::abort();
    return 0;
  }
  const wl::Lesson& lesson = *reading.Lesson;
  if (lesson.Orbitals.empty() || lesson.Shown >= lesson.Orbitals.size()) std::abort();
  for (const wl::LessonOrbital& o : lesson.Orbitals) {
    if (o.OrbitalIndex < 0 || o.OrbitalIndex >= wl::kOrbitalCount ||
        !wl::CheckSetup(wl::SetupOf(o)).empty() || o.AtomRadius < 1 || o.DotThreshold > 250 ||
        o.TransectNo < -127 || o.TransectNo > 127 || o.Theta < -7 || o.Theta > 7 ||
        o.ProjectionPlane - o.CameraPos < 10 || o.ProjectionPlane - o.CameraPos > 900)
      std::abort();
  }
  const wl::LessonReading again = wl::ReadLesson(wl::WriteLesson(lesson));
  if (!again.Lesson || !(*again.Lesson == lesson) || !again.Warnings.isEmpty()) std::abort();
  return 0;
}
