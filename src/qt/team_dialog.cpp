#include "qt/team_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "app/events.h"
#include "app/team_intake.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

// The fields in the dialog's order, each with its option.
constexpr std::array<std::pair<const char*, std::string TeamOptions::*>, 6> kFields = {{
    {"Broker (mqtt://host:port or mqtts://host:port)", &TeamOptions::broker},
    {"CA file (mqtts://)", &TeamOptions::caFile},
    {"User", &TeamOptions::user},
    {"Password file", &TeamOptions::passwordFile},
    {"Hunt", &TeamOptions::hunt},
    {"This car", &TeamOptions::car},
}};

}  // namespace

TeamDialog::TeamDialog(App& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("TeamDialog");
  setWindowTitle("Team options");
  auto* form = new QFormLayout(this);
  for (std::size_t i = 0; i < kFields.size(); ++i) form->addRow(kFields[i].first, fields_[i] = new QLineEdit(this));
  form->addRow(new QLabel("An empty broker turns the team hunt off.", this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    TeamOptions o;
    for (std::size_t i = 0; i < kFields.size(); ++i) o.*kFields[i].second = FromQ(fields_[i]->text().trimmed());
    Guarded(app_, [&o](App& a) { ApplyTeamOptions(a, o); })();
    accept();
  });
}

void TeamDialog::Open() {
  for (std::size_t i = 0; i < kFields.size(); ++i) fields_[i]->setText(ToQ(app_.teamOptions.*kFields[i].second));
  show();
  raise();
  activateWindow();
}

}  // namespace koralin::qt
