#include "app/team_intake.h"

#include "app/app.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "common/basic.h"
#include "common/error.h"
#include "common/text_file.h"

namespace koralin {

namespace {

// A password file is one line; anything longer is not one.
constexpr std::size_t kMaxPasswordFile = 1024;

// Relative names are taken beside Gps.cfg.
std::string Beside(const App& app, const std::string& name) {
  return name.empty() || name.front() == '/' ? name : BesideSettings(app, name);
}

}  // namespace

void StartTeam(App& app) {
  TeamOptions o = app.teamOptions;
  o.caFile = Beside(app, o.caFile);
  std::string password;
  if (!o.broker.empty() && !o.passwordFile.empty()) {
    try {
      const auto lines = SplitLines(ReadTextFile(Beside(app, o.passwordFile), kMaxPasswordFile), 1);
      if (!lines.empty()) password = lines.front();
    } catch (const RunTimeError& e) {
      // Told in the state only: the same words would come at every start.
      app.team.Refuse("password file: " + std::string(e.what()));
      return;
    }
  }
  app.team.Start(o, password);
}

void ApplyTeamOptions(App& app, const TeamOptions& options) {
  app.teamOptions = options;
  for (const char* key : {"TeamBroker", "TeamCaFile", "TeamUser", "TeamPasswordFile", "TeamHunt", "TeamCar"})
    KeepOption(app, key);
  StartTeam(app);
}

}  // namespace koralin
