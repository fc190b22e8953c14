// Names on the session bus. The program owns org.koralin.<executable name>
// (characters other than letters, digits and "_" become "_") and exports
// /Form1 with interface org.koralin.Form1, one read-only string property per
// item; a companion program follows the same pattern under its own name.
// The DF estimate has an object of its own, /DfEstimate with interface
// org.koralin.DfEstimate, so that /Form1 keeps exactly its items.
#pragma once

#include <QString>

namespace koralin::qt {

inline constexpr const char* kBusInterface = "org.koralin.Form1";
inline constexpr const char* kEstimateInterface = "org.koralin.DfEstimate";
inline constexpr const char* kEstimatePath = "/DfEstimate";

inline QString BusServiceName(const QString& application) {
  QString name = application;
  for (QChar& c : name)
    if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != '_') c = '_';
  if (name.isEmpty() || name[0].isDigit()) name.prepend('_');
  return "org.koralin." + name;
}

inline QString BusObjectPath(const QString& topic) { return "/" + topic; }

}  // namespace koralin::qt
