#include "df/hunt.h"

#include <algorithm>

namespace koralin {

double QualityWeight(int quality) {
  if (quality == kNoQuality) return 0.5;
  return (std::clamp(quality, 0, 9) + 1) / 10.0;
}

void DfHunt::Add(const LineOfBearing& line) {
  if (lines_.size() == kMaxLines) {
    lines_.pop_front();
    ids_.erase(ids_.begin());
  }
  lines_.push_back(line);
  ids_.push_back(nextId_++);
  changed_ = true;
}

void DfHunt::Clear() {
  lines_.clear();
  ids_.clear();
  solver_.Reset();
  estimate_ = DfEstimate{};
  changed_ = false;
}

std::vector<double> DfHunt::Weights(const HuntRules& rules) const {
  std::vector<double> w(lines_.size(), 0.0);
  if (lines_.empty()) return w;
  const double newest = std::max_element(lines_.begin(), lines_.end(), [](const auto& a, const auto& b) {
                          return a.time < b.time;
                        })->time;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const LineOfBearing& l = lines_[i];
    if (l.quality != kNoQuality && l.quality < rules.minQuality) continue;
    if (rules.maxAgeSeconds > 0 && newest - l.time > rules.maxAgeSeconds) continue;
    if (leftOut_.contains(l.source)) continue;
    w[i] = QualityWeight(l.quality);
  }
  return w;
}

void DfHunt::LeaveOut(const std::string& source, bool out) {
  if (out ? leftOut_.insert(source).second : leftOut_.erase(source) > 0) changed_ = true;
}

bool DfHunt::Update(const HuntRules& rules) {
  if (!changed_) return false;
  changed_ = false;
  estimate_ = solver_.Solve(lines_, ids_, Weights(rules));
  return true;
}

}  // namespace koralin
