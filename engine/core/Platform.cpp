#include "core/Platform.h"

#include <chrono>

namespace wl {

namespace {
ClockFn& Clock() {
  static ClockFn clock;
  return clock;
}
std::optional<std::int32_t>& FixedSeed() {
  static std::optional<std::int32_t> seed;
  return seed;
}
DebugSinkFn& Sink() {
  static DebugSinkFn sink;
  return sink;
}
AboutBoxFn& About() {
  static AboutBoxFn about;
  return about;
}
}  // namespace

std::uint32_t timeGetTime() {
  if (Clock()) return Clock()();
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(ms);
}

void SetClockHook(ClockFn clock) {
  Clock() = std::move(clock);
}

void SetSeedHook(std::optional<std::int32_t> seed) {
  FixedSeed() = seed;
}
std::optional<std::int32_t> SeedHook() {
  return FixedSeed();
}

void SetDebugSink(DebugSinkFn sink) {
  Sink() = std::move(sink);
}
void DebugPrint(const std::string& text) {
  if (Sink()) Sink()(text);
}

void SetAboutBoxHook(AboutBoxFn about) {
  About() = std::move(about);
}
void ShowAboutBox() {
  if (About()) About()();
}

}  // namespace wl
