// Publishing the program's live values: the source labels of the main
// window, the items they go by, and the bus that carries them to other
// local programs (which also holds the one client link, see client_link.h).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "df/estimate.h"
#include "team/team.h"

namespace koralin {

struct App;
class Label;

class ValuesBus {
 public:
  using OnValue = std::function<void(const std::string& value)>;
  using OnLost = std::function<void(const std::string& why)>;

  virtual ~ValuesBus() = default;
  // Publishes the new value of one of the program's items.
  virtual void Publish(const std::string& item, const std::string& value) = 0;
  // Publishes the DF estimate on its own object (see estimate_items.h); a bus
  // without one ignores it.
  virtual void PublishEstimate(const DfEstimate&) {}
  // The team hunt's items on the same object (TeamItems), only those that changed.
  virtual void PublishTeam(const Team&) {}
  // Links to `item` of `application`'s `topic` without waiting: onValue
  // receives its current value and every change; onLost tells that the
  // application is not there, did not answer within the time-out (tenths of
  // a second) or went away. Raises RunTimeError when there is no bus at all.
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

// A label whose caption is published, and the item name it goes by.
struct DdeSource {
  Label* label = nullptr;
  const char* linkItem = "";
};

struct DdeState {
  // The seven published labels, in the order the information box names them.
  std::array<DdeSource, 7> sources;
  bool linkOpen = false;  // the companion link is up
};

// Gives the source labels their item names; hides them.
void SetUpDdeSources(App& app);
void DDElinks(App& app);
// Gives the source labels their link-item names.
void SetDDELinkItems(App& app);
void SetDDELabelsVisible(App& app, bool visible);
// With toggle set, flips mnuShowDDE first; then shows or hides the source
// labels by its check and re-fits the window's height.
void ShowDDELabels(App& app, bool& toggle);
void mnuShowDDE_Click(App& app);
// Publishes every source label's current value.
void PublishLinkItems(App& app);
// The part of Info > DDE Info that tells other programs where the items are
// on the bus: empty for a bus without addresses, else it starts with a blank line.
std::string BusInfoText(const ValuesBus::Address& where);

}  // namespace koralin
