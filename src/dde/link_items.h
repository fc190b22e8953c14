// The companion direction finder's side of the client link.
#pragma once

namespace koralin {

inline constexpr const char* kCompanionApplication = "Quillwave";
inline constexpr const char* kCompanionTopic = "Form1";
inline constexpr const char* kCompanionItem = "lblDDESound1";
inline constexpr int kLinkTimeoutTenths = 800;

}  // namespace koralin
