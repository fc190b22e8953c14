#include "display/frame_caption.h"

#include "app/app.h"

namespace koralin {

namespace {

void ShowFrameCaption(App& app) {
  const FrameCaptionLook look = CaptionLook(app.display.caption);
  Frame& frame = app.form1.Frame1;
  frame.SetFontUnderline(look.underline);
  frame.SetForeColor(look.colour);
  frame.SetCaption(look.text);
}

}  // namespace

FrameCaptionLook CaptionLook(const FrameCaptionReasons& r) {
  FrameCaptionLook look{kFrameCaption, colour::kBlack, r.lost.empty() && r.warning.empty()};
  if (!r.playing.empty())
    look.text = r.playing;
  else if (!r.lost.empty())
    look.text = r.lost;
  else if (!r.note.empty())
    look.text += r.note;
  else if (!r.warning.empty())
    look.text = r.warning;
  if (!r.playing.empty())
    look.colour = colour::kBlue;
  else if (!r.warning.empty())
    look.colour = r.warningColour;
  else if (!r.lost.empty())
    look.colour = colour::kRed;
  return look;
}

void SetCaptionNote(App& app, std::string note) {
  app.display.caption.note = std::move(note);
  ShowFrameCaption(app);
}

void SetNoInputWarning(App& app, std::string text, Colour colour) {
  FrameCaptionReasons& r = app.display.caption;
  r.note.clear();
  r.warning = std::move(text);
  r.warningColour = colour;
  ShowFrameCaption(app);
}

void SetLostCaption(App& app, std::string text) {
  app.display.caption.lost = std::move(text);
  ShowFrameCaption(app);
}

void SetPlayingCaption(App& app, std::string text) {
  app.display.caption.playing = std::move(text);
  ShowFrameCaption(app);
}

void RestoreFrameCaption(App& app) {
  FrameCaptionReasons& r = app.display.caption;
  r.playing.clear();
  r.note.clear();
  r.warning.clear();
  ShowFrameCaption(app);
}

}  // namespace koralin
