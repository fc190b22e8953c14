#include "log/demo.h"

#include <array>
#include <string>

#include "app/app.h"
#include "nmea/sentence.h"

namespace koralin {

namespace {

// One step: the bearing text, the $GPRMC body (or a whole $GPGSA), the
// $PGRMZ, $GPGGA and $HCHDT bodies. The checksums written here are replaced
// by computed ones.
struct DemoStep {
  const char* doppler;
  const char* rmc;
  const char* pgrmz;
  const char* gpgga;
  const char* hchdt;
};

// Good, void, odd and malformed data, so that every decoder is exercised.
constexpr std::array<DemoStep, kDemoSteps> kDemo{{
    // bearing inside other text; four longitude digits before the point; "." for ","
    {"rommel%323/9Bla bla", ",060606.632,A,5157.6039,N,0534.6300,E,0.000,0.0,040311,0.8,W*6C", ",166,f.3*87", "", ""},
    // void fix with empty fields; compass heading
    {"", ",,V,,,,,,,,011205,,A*88", "", "", ",170.8,T*"},
    // bearing with trailing text; empty variation direction
    {"%332/1 1aaaaaaaaaa", ",060606.675,A,5157.9800,N,00539.0000,E,020.0,135.0,010311,020.3,,A*68", ",006,f,3*87", "",
     ""},
    // 3D lock, no $GPRMC
    {"", "$GPGSA,A,3,,,,,*", "", "", ",170.8,T*"},
    {"%032/0", ",155512,A,5151.00,N,00540.00,E,050.0,233.1,010611,,,A*71", "", "", ""},
    {"$DFBRG200/4", ",160115.888,A,5149.01,N,00549.900,E,051.0,277.7,010811,020.3,W,A*68", "", "", ""},
    // seven-digit time
    {"", ",1614422,A,5144.80,N,00531.00,E,044.0,338.2,010905,020.3,W,A*68", "", "", ""},
    {"DF032/1", ",1713300,A,5152.30,N,00525.74,E,011.3,221.1,011211,020.3,W,A*93", ",002,f,3*77", "", ""},
    {"DF270/0", ",1713300,A,5153.16,N,00505.87,E,011.3,221.1,011211,020.3,W,A*93", "", "", ""},
    // course without leading zero
    {"%188/7", ",1801815.777,A,5204.00,N,00507.00,E,016.0,66.0,010111,020.3,E,A*68", "", "", ""},
    // void status with data
    {"", ",195540,V,5149.00,N,00532.00,E,000.5,22.1,011011,020.3,W,A*68", "", "", ""},
    // bearing out of range inside text; speed 0
    {"Blaaaa%999/9 alowat test", ",205546,A,5213.00,N,00510.00,E,000.0,186.0,010511,020.3,E,A*77", "", "",
     ",180.8,T*"},
    {"", ",213300,A,5208.00,N,00523.008,E,011.3,221.1,011211,020.3,W,A*93", "", "", ""},
    {"", ",214415,A,5213.00,N,00528.00,E,016.0,66.0,010111,020.3,E,A*68", "", "", ""},
    {"", ",225540,A,5177.00,N,00532.00,E,019.0,22.1,011011,020.3,W,A*68", ",011,f,2*66", "", ""},
    {"", ",225546,A,5220.00,N,00537.00,E,011.0,186.0,010511,020.3,E,A*77", "", "", ""},
    {"", ",230300,A,5221.00,N,00544.0000,E,011.3,221.1,011211,020.3,W,A*93", "", "", ""},
    // no $GPRMC; negative altitude
    {"%091/9", "", ",-001,f,2*31", "", ""},
    // mode field C
    {"", ",233300,A,5211.35,N,00557.0800,E,018.0,345.1,011211,020.3,W,C*22", ",005,f,3*77", "", ""},
    {"DF101/9 [12]", ",233900,A,5158.47,N,00555.4100,E,015.0,003.1,011211,020.3,W,C*22", ",004,f,2*37", "", ""},
    {"", ",235900,A,5149.47,N,00540.4100,E,022.0,003.1,011211,020.3,W,C*22", ",004,f,3*77", "", ""},
    // altitude from $GPGGA; speed without leading zero
    {"", ",235900,A,5159.47,N,00546.4100,E,45.0,003.1,011211,020.3,W,C*22", "",
     ",121945,5146.6039,N,00531.2582,E,1,06,1.40,20.6,M,47.2,M,,*4E", ""},
    // no lock; compass line with "F" in place of "T"
    {"", "$GPGSA,A,1,,,,,,,,,,,,,,,*1E", ",005,f*76", "", ",90,F*"},
}};

}  // namespace

void FillDemoInput(App& app) {
  PollTexts& p = app.poll;
  int& step = app.log.DemoStep;
  ++step;
  const DemoStep& d = kDemo[static_cast<std::size_t>(step - 1)];
  p.RxTextDoppler = d.doppler;
  p.RxText = d.rmc;
  if (!p.RxText.empty() && p.RxText.find("$GPGSA") == std::string::npos) p.RxText.insert(0, "$GPRMC");
  p.RxTextAltitude.clear();
  if (*d.pgrmz) p.RxTextAltitude = std::string("$PGRMZ") + d.pgrmz;
  if (*d.gpgga) p.RxTextAltitude = std::string("$GPGGA") + d.gpgga;
  std::string compass;
  if (*d.hchdt) compass = AddCrc(std::string("$HCHDT") + d.hchdt) + "\r\n";
  if (step == kDemoSteps) step = 0;

  p.RxText = compass + AddCrc(p.RxText);
  p.RxTextAltitude = AddCrc(p.RxTextAltitude);
}

}  // namespace koralin
