#include "support/fakes.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "display/compass.h"
#include "nmea/gps_time.h"

namespace koralin::test {

std::string ProcessFolder() {
  static const std::string folder = [] {
    const auto p = std::filesystem::temp_directory_path() / ("koralin-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p.string();
  }();
  return folder;
}

void FakeClock::Attach(Timer& timer) {
  entries_.push_back(std::make_unique<Entry>(Entry{&timer}));
  Entry* e = entries_.back().get();
  timer.changed.Subscribe([this, e] { Reschedule(*e); });
  Reschedule(*e);
}

void FakeClock::Reschedule(Entry& e) {
  const bool enabled = e.timer->Enabled() && e.timer->Interval() > 0;
  if (enabled && (!e.enabled || e.interval != e.timer->Interval())) e.due = now_ + e.timer->Interval();
  e.enabled = enabled;
  e.interval = e.timer->Interval();
}

void FakeClock::Advance(long long ms) {
  const long long end = now_ + ms;
  for (;;) {
    Entry* next = nullptr;
    for (auto& e : entries_)
      if (e->enabled && e->due <= end && (!next || e->due < next->due)) next = e.get();
    if (!next) break;
    now_ = std::max(now_, next->due);
    next->due = now_ + next->interval;
    next->timer->Tick();
  }
  now_ = std::max(now_, end);
}

void FakeSerialPort::Open(int port, const std::string& settings, int inSize, int outSize) {
  if (failOpen) throw *failOpen;
  opened.push_back(port);
  openedSettings.push_back(settings);
  inBufferSize = inSize;
  outBufferSize = outSize;
  port_ = port;
  settings_ = settings;
  open_ = true;
}

void FakeBus::Link(const std::string& application, const std::string& topic, const std::string& item, int,
                   OnValue onValue, OnLost onLost) {
  if (!companionRunning) throw RunTimeError(282, "No foreign application responded");
  linkedTo = application + "|" + topic + "!" + item;
  onValue_ = std::move(onValue);
  onLost_ = std::move(onLost);
  onValue_(companionValue);
}

void TestRig::ReadyToDecode(int input) {
  FillMonthTable(app.fix.MonthTable);
  FillCompassTexts(app);
  app.settings.ComPortIn = static_cast<std::int16_t>(input);
}

// Null: the fake bus, which only exists once the fakes are built.
TestRig::TestRig(ValuesBus* realBus)
    : app(Platform{system, dialogs, comm1, comm2, clockSetter, realBus ? *realBus : bus, team}) {
  for (Timer* t : app.form1.Timers()) clock.Attach(*t);
}

}  // namespace koralin::test
