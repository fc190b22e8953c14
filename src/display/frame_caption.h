// The frame caption: one line that several parts of the program speak
// through. Each part sets or clears its own reason; what the line shows is
// decided here, once.
#pragma once

#include <string>

#include "common/colours.h"

namespace koralin {

struct App;

// The reasons the caption can show. A note ("(Locked 2D)", "CRC error !",
// "Bad sentence !", "log not written") follows the title; the others replace it.
struct FrameCaptionReasons {
  std::string playing;  // the log being played and how to stop it
  std::string lost;     // a lost port and what it waits for
  std::string note;     // with its leading blank; "" for none
  std::string warning;  // no input for a while
  Colour warningColour = colour::kBlack;
};

// What the caption shows, first match first:
//   text:      playing, lost, title + note, warning, title
//   colour:    playing blue, the warning's colour, lost red, else black
//   underline: only while no port is lost and no warning stands
struct FrameCaptionLook {
  std::string text;
  Colour colour;
  bool underline;
};
FrameCaptionLook CaptionLook(const FrameCaptionReasons& r);

void SetCaptionNote(App& app, std::string note);
// The no-input warning takes the place of any note: it is the newer news.
void SetNoInputWarning(App& app, std::string text, Colour colour);
void SetLostCaption(App& app, std::string text);  // "" when no port is lost
void SetPlayingCaption(App& app, std::string text);
// Back to the plain title: no note, no warning, no playback; a lost port
// keeps saying so until it is back.
void RestoreFrameCaption(App& app);

}  // namespace koralin
