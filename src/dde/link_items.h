// The names under which the source labels are published.
#pragma once

#include <array>

#include "display/form1.h"

namespace koralin {

struct LinkItem {
  Label Form1::*label;
  const char* item;
};

// In the order the information box lists them.
inline constexpr std::array<LinkItem, 7> kLinkItems{{
    {&Form1::lblLat1, "lblDDELat"},
    {&Form1::lblLong1, "lblDDELong"},
    {&Form1::lblVal1, "lblDDEVal"},
    {&Form1::lblCompas1, "lblDDECompas"},
    {&Form1::lblHeight1, "lblDDEHeight"},
    {&Form1::lblSpeed1, "lblDDESpeed"},
    {&Form1::lblDoppler1, "lblDoppler1"},
}};

// The companion direction finder's side of the client link.
inline constexpr const char* kCompanionApplication = "Quillwave";
inline constexpr const char* kCompanionTopic = "Form1";
inline constexpr const char* kCompanionItem = "lblDDESound1";
inline constexpr int kLinkTimeoutTenths = 800;

}  // namespace koralin
