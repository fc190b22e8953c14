// The fix quality ($GPGSA): the lock text in the frame caption.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void ExtractingGPGSA(App& app, std::string_view text);
// Switches the lock check; off takes the lock text out of the frame caption.
void mnuLockCheck_Click(App& app);
// Puts the frame caption back to its plain title.
void RestoreFrameCaption(App& app);

}  // namespace koralin
