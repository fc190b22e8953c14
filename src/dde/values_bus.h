// The bus that publishes the program's live values to other local programs,
// and the one client link to the companion direction-finder program.
#pragma once

#include <functional>
#include <string>

namespace koralin {

class ValuesBus {
 public:
  virtual ~ValuesBus() = default;
  virtual void Publish(const std::string& item, const std::string& value) = 0;
  // Follows the companion's item; false when the companion is not there.
  virtual bool Link(const std::string& item, std::function<void(const std::string&)> onChange) = 0;
  virtual void Unlink() = 0;
};

}  // namespace koralin
