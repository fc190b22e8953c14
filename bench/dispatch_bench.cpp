// Cost of one poll: every decoder over a one-second burst of a typical
// receiver (RMC, GGA, GSA, three GSV, VTG; about 500 characters).
#include <benchmark/benchmark.h>

#include "display/compass.h"
#include "app/fix_intake.h"
#include "nmea/rmc.h"
#include "app/intake.h"
#include "nmea/sentence.h"
#include "support/fakes.h"

namespace {

using namespace koralin;

std::string Burst() {
  const char* bodies[] = {
      "$GPRMC,123519.00,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*",
      "$GPGGA,123519.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*",
      "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*",
      "$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*",
      "$GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00*",
      "$GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,00,,,,*",
      "$GPVTG,084.4,T,087.5,M,022.4,N,041.5,K,A*",
  };
  std::string text;
  for (const char* b : bodies) text += AddCrc(b);
  return text;
}

void BM_DispatchSentences(benchmark::State& state) {
  test::TestRig rig;
  App& app = rig.app;
  rig.ReadyToDecode(3);
  app.form1.mnuCrcCheck.SetChecked(true);
  app.form1.mnuLockCheck.SetChecked(true);
  const std::string burst = Burst();
  app.poll.RxText = burst;
  app.poll.RxTextAltitude = burst;
  app.poll.RxTextDoppler = burst;
  for (auto _ : state) {
    DispatchSentences(app);
    benchmark::DoNotOptimize(app.fix.LatitudeText);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * burst.size()));
}
BENCHMARK(BM_DispatchSentences);

}  // namespace

BENCHMARK_MAIN();
