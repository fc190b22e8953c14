#include "log/demo.h"

#include "app/app.h"

namespace koralin {

// The demo sentences are not built in yet.
void getDemoInput(App&) {}

}  // namespace koralin
