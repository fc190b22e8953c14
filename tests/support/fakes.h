// Scripted stand-ins for the platform, and a clock that drives the window's
// timers deterministically.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "common/error.h"

namespace koralin::test {

// Drives Timer controls: a timer fires `interval` ms after it was enabled,
// then every `interval` ms while it stays enabled.
class FakeClock {
 public:
  void Attach(Timer& timer);
  void Advance(long long ms);  // fires every tick due within ms
  void Pass(long long ms) { now_ += ms; }  // time passes, nothing fires
  long long Now() const { return now_; }

 private:
  struct Entry { Timer* timer; bool enabled = false; int interval = 0; long long due = 0; };
  void Reschedule(Entry& e);
  std::vector<std::unique_ptr<Entry>> entries_;
  long long now_ = 0;
};

// A settings folder of this test process's own.
std::string ProcessFolder();

class FakeSystem : public System {
 public:
  explicit FakeSystem(FakeClock& clock) : clock_(clock) {}
  void Beep() override { ++beeps; }
  void Sleep(int ms) override { clock_.Pass(ms); }
  void DoEvents() override {
    ++doEvents;
    clock_.Advance(0);  // the ticks due now
    if (onDoEvents) onDoEvents();
  }
  double Rnd() override { return 0.5; }  // the random test bearing is 180
  std::string AppPath() override { return appPath; }
  std::string ExeName() override { return "koralin-gps"; }
  bool PrevInstance() override { return prevInstance; }
  bool SettingsWritable() override { return true; }
  DateTime Now() override { return now; }
  std::string DeviceHolder(const std::string& device) override { return deviceHolder ? deviceHolder(device) : ""; }
  void ShowSerialPortListing() override {
    if (failListing) throw *failListing;
    ++listings;
  }
  void EndProcess(int status) override { ended = true, endStatus = status; }
  // What the user does while the program lets pending events run.
  std::function<void()> onDoEvents;
  std::function<std::string(const std::string&)> deviceHolder;  // none: no other process holds a device
  int beeps = 0, doEvents = 0, listings = 0;
  std::string appPath = ProcessFolder();  // one per test process: tests run in parallel
  bool ended = false, prevInstance = false;
  int endStatus = 0;
  std::optional<RunTimeError> failListing;
  DateTime now{2026, 12, 5, 12, 0, 0};

 private:
  FakeClock& clock_;
};

// The next scripted answer, or `otherwise` when none is left.
template <class T> T Next(std::deque<T>& answers, T otherwise) {
  if (!answers.empty()) otherwise = std::move(answers.front()), answers.pop_front();
  return otherwise;
}

class FakeDialogs : public Dialogs {
 public:
  MsgResult MsgBox(const MessageBox& box) override { return boxes.push_back(box), Next(msgAnswers, MsgResult::kOk); }
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override {
    return inputs.push_back({prompt, title, defaultText}), Next(inputAnswers, std::string());
  }

  struct Input { std::string prompt, title, defaultText; };
  std::vector<MessageBox> boxes;
  std::vector<Input> inputs;
  std::deque<MsgResult> msgAnswers;     // default kOk
  std::deque<std::string> inputAnswers;  // default "" (Cancel)
};

class FakeSerialPort : public SerialPort {
 public:
  void Open(int port, const std::string& settings, int inBufferSize, int outBufferSize) override;
  void SetSettings(const std::string& settings) override { settings_ = settings; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int CommPort() const override { return port_; }
  std::string Settings() const override { return settings_; }
  int InBufferCount() override { return failRead ? throw *failRead : static_cast<int>(input_.size()); }
  std::string ReadAll() override { return failRead ? throw *failRead : std::exchange(input_, {}); }
  void Write(std::string_view text) override {
    if (!open_) throw RunTimeError(err::kPortNotOpen);
    written += failWrite ? throw *failWrite : text;
  }
  int OutBufferCount() override { return outPending; }
  long Dropped() const override { return dropped; }
  bool WakeOnInput(std::function<void()> fn) override {
    wake = std::move(fn);
    return canWake;
  }

  // Text that arrives on the line.
  void Feed(std::string_view text) { input_ += text; }

  std::string written;
  std::vector<int> opened;  // port numbers, in order
  std::vector<std::string> openedSettings;
  int inBufferSize = 0, outBufferSize = 0;
  int outPending = 0;  // characters that never leave
  long dropped = 0;    // sentences a network reader was too slow for
  bool canWake = false;
  std::function<void()> wake;
  std::optional<RunTimeError> failOpen, failRead, failWrite;

 private:
  bool open_ = false;
  int port_ = 0;
  std::string settings_;
  std::string input_;
};

class FakeClockSetter : public ClockSetter {
 public:
  // The system answers the waiting setting.
  void Answer(const std::optional<RunTimeError>& refusal = {}) { std::exchange(answered_, nullptr)(refusal); }
  std::vector<DateTime> set;  // every setting started
  std::optional<RunTimeError> fail;  // refused at once
  bool waits = false;  // the system answers only when told to

 protected:
  bool SetDateTime(const DateTime& local, Done answered) override {
    if (fail) throw *fail;
    set.push_back(local);
    if (waits) answered_ = std::move(answered);
    return !waits;
  }

 private:
  Done answered_;
};

class FakeBus : public ValuesBus {
 public:
  void Publish(const std::string&, const std::string&) override {}
  void PublishEstimate(const DfEstimate& estimate) override { estimates.push_back(estimate); }
  void Link(const std::string& application, const std::string& topic, const std::string& item, int timeoutTenths,
            OnValue onValue, OnLost onLost) override;
  void Unlink() override { onValue_ = nullptr; onLost_ = nullptr; }
  bool Linked() const override { return static_cast<bool>(onValue_); }
  // The companion changes its item, or leaves.
  void CompanionSays(const std::string& value) {
    if (companionValue = value; onValue_) onValue_(value);
  }
  void CompanionLeaves() {
    if (companionRunning = false; onLost_) onLost_("The companion left the bus");
  }

  bool companionRunning = true;
  std::string companionValue = "%---";
  std::string linkedTo;  // "application|topic!item"
  std::vector<DfEstimate> estimates;  // each one published, in order

 private:
  OnValue onValue_;
  OnLost onLost_;
};

// A broker that connects when told to; it keeps what the program sends.
class FakeTeamLink : public TeamLink {
 public:
  void Connect(const TeamConnection& c, Events events) override { connection = c, events_ = std::move(events); }
  void Publish(const std::string& topic, const std::string& payload, int qos, bool retain) override {
    published.push_back({topic, payload, qos, retain});
  }
  void Subscribe(const std::string& pattern) override { subscribed.push_back(pattern); }
  void Disconnect() override { events_ = {}, ++disconnects; }
  // The broker's side.
  void Connected() { events_.connected(); }
  void Lost() { events_.lost("gone"); }
  void Refused(const std::string& reason) { events_.refused(reason); }
  void Message(const std::string& topic, std::string_view payload) { events_.message(topic, payload); }
  bool Connecting() const { return static_cast<bool>(events_.connected); }

  struct Sent { std::string topic, payload; int qos; bool retain; };
  std::optional<TeamConnection> connection;
  std::vector<Sent> published;
  std::vector<std::string> subscribed;
  int disconnects = 0;

 private:
  Events events_;
};

// A stand-in for every part of the platform, and the clock for the timers.
struct Fakes {
  FakeClock clock;
  FakeSystem system{clock};
  FakeDialogs dialogs;
  FakeSerialPort comm1, comm2;
  FakeClockSetter clockSetter;
  FakeBus bus;
  FakeTeamLink team;
};

// A whole program on fakes (or on the given bus).
struct TestRig : Fakes {
  TestRig() : TestRig(nullptr) {}
  explicit TestRig(ValuesBus* realBus);
  // The tables start-up fills, so that decoding can run; input is ComPortIn.
  void ReadyToDecode(int input);
  App app;
};

}  // namespace koralin::test
