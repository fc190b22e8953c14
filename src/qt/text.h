// The core's texts are Latin-1 bytes; Qt's are Unicode.
#pragma once

#include <QString>
#include <string>

#include "common/colours.h"
#include <QColor>

namespace koralin::qt {

inline QString ToQ(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string FromQ(const QString& s) { return s.toLatin1().toStdString(); }
inline QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
// 15 twips to a logical pixel.
inline int Px(int twips) { return twips / 15; }

}  // namespace koralin::qt
