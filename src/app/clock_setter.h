// Sets the PC's clock. The system may take a while to answer (it may ask the
// user for a password first), so a setting can wait for its answer while the
// program goes on; only one setting waits at a time.
#pragma once

#include <functional>
#include <optional>

#include "common/error.h"
#include "common/system.h"

namespace koralin {

class ClockSetter {
 public:
  // Empty when the clock was set, else why it was not.
  using Done = std::function<void(const std::optional<RunTimeError>& refusal)>;

  virtual ~ClockSetter() = default;

  // True while a setting waits for the system's answer.
  bool Busy() const { return busy_; }

  // Sets the clock to a local date and time: true when it is set at once,
  // false when the setting waits and `done` will tell its outcome. A refusal
  // known at once raises RunTimeError. Call it only when not Busy().
  bool Start(const DateTime& local, Done done) {
    busy_ = true;
    try {
      if (SetDateTime(local, [this, done = std::move(done)](const std::optional<RunTimeError>& refusal) {
            busy_ = false;
            done(refusal);
          })) {
        busy_ = false;
        return true;
      }
    } catch (...) {
      busy_ = false;
      throw;
    }
    return false;
  }

 protected:
  // As Start, for one setting; `answered` runs once and only after a false
  // return.
  virtual bool SetDateTime(const DateTime& local, Done answered) = 0;

 private:
  bool busy_ = false;
};

}  // namespace koralin
