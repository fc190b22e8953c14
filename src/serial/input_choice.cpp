#include "serial/input_choice.h"

#include "app/app.h"

namespace koralin {

// Only the input-off state exists yet.
void ComPortInSelect(App&) {}

}  // namespace koralin
