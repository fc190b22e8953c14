// The bus that publishes the program's live values to other local programs,
// and the one client link to the companion direction-finder program.
#pragma once

#include <functional>
#include <string>

namespace koralin {

class ValuesBus {
 public:
  using OnValue = std::function<void(const std::string& value)>;
  using OnLost = std::function<void(const std::string& why)>;

  virtual ~ValuesBus() = default;
  // Publishes the new value of one of the program's items.
  virtual void Publish(const std::string& item, const std::string& value) = 0;
  // Links to `item` of `application`'s `topic`: onValue receives its current
  // value and every change; onLost tells that the application went away.
  // Raises RunTimeError when the application does not answer within the
  // time-out (tenths of a second).
  virtual void Link(const std::string& application, const std::string& topic, const std::string& item,
                    int timeoutTenths, OnValue onValue, OnLost onLost) = 0;
  virtual void Unlink() = 0;
  virtual bool Linked() const = 0;

  // Where other programs find the items, and why they cannot when the values
  // are not published; all empty for a bus without addresses.
  struct Address {
    std::string busName, objectPath, interface, problem;
  };
  virtual Address Where() const { return {}; }
};

}  // namespace koralin
