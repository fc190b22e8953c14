// Published values and the companion link.
#pragma once

namespace koralin {

struct DdeState {};

}  // namespace koralin
