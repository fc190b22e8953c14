#include "serial/output_port.h"

#include "app/app.h"

namespace koralin {

// The output port cannot be opened yet.
void ComOutSelect(App&, int, long) {}

}  // namespace koralin
