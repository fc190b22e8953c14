#include "qt/port_listing_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>
#include <map>

#include "app/events.h"
#include "qt/text.h"
#include "qt/bind.h"
#include "serial/port_listing.h"

namespace koralin::qt {

namespace {

// "/dev/ttyUSB0" -> "/dev/serial/by-id/usb-...", from the links udev makes.
std::map<std::string, std::string> StableNames() {
  std::map<std::string, std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator("/dev/serial/by-id", ec)) {
    const auto real = std::filesystem::canonical(e.path(), ec);
    if (!ec) names.emplace(real.string(), e.path().string());
  }
  return names;
}

// gpsd is offered when it answers on its usual port within this time.
constexpr int kGpsdProbeMs = 300;

}  // namespace

std::vector<SerialDevice> SerialDevicesPresent() {
  std::vector<SerialDevice> devices;
  const auto stable = StableNames();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    SerialDevice d;
    d.path = FromQ(info.systemLocation());
    if (const auto it = stable.find(d.path); it != stable.end()) d.stableName = it->second;
    d.description = FromQ(info.description());
    d.manufacturer = FromQ(info.manufacturer());
    if (info.hasVendorIdentifier()) d.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier()) d.productId = info.productIdentifier();
    devices.push_back(std::move(d));
  }
  return devices;
}

namespace {

QLabel* FixedLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  label->setContentsMargins(4, 0, 0, 0);  // in line with the list's rows
  return label;
}

void BindList(QListWidget* list, ListBox& model) {
  QObject::connect(list, &QListWidget::currentRowChanged, list, [&model](int row) { model.SetListIndex(row); });
  auto sync = [list, &model] {
    QStringList rows;
    for (const std::string& item : model.Items()) rows << ToQ(item);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    if (shown != rows) {
      const QSignalBlocker block(list);
      list->clear();
      list->addItems(rows);
    }
    if (list->currentRow() != model.ListIndex()) {
      const QSignalBlocker block(list);
      list->setCurrentRow(model.ListIndex());
    }
  };
  model.changed.Subscribe(sync);
  sync();
}

}  // namespace

PortListingWindow::PortListingWindow(App& app) : app_(app) {
  PortListing& l = app.terminal.listing;
  setObjectName(ToQ(l.form.Name()));
  setWindowTitle(ToQ(l.form.Caption()));

  auto* list = new QListWidget;
  list->setObjectName("lstDevices");
  list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list->setMinimumSize(760, 180);
  BindList(list, l.lstDevices);

  auto* number = new QLineEdit;
  number->setObjectName("txtPortNumber");
  number->setMaximumWidth(60);
  Bind(number, l.txtPortNumber);
  auto* assign = new QPushButton;
  assign->setObjectName("cmdAssign");
  Bind(assign, l.cmdAssign);
  auto* refresh = new QPushButton("&Refresh");
  connect(refresh, &QPushButton::clicked, this, [this] { Refresh(); });

  auto* status = new QLabel;
  status->setObjectName("lblStatus");
  auto syncStatus = [status, &l] { status->setText(ToQ(l.lblStatus.Caption())); };
  l.lblStatus.changed.Subscribe(syncStatus);
  syncStatus();

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Selected device opens as port number:"));
  row->addWidget(number);
  row->addWidget(assign);
  row->addStretch(1);
  row->addWidget(refresh);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FixedLabel(ToQ(PortListingHeader())));
  layout->addWidget(list, 1);
  layout->addLayout(row);
  layout->addWidget(status);
}

// The list is filled once gpsd has answered or not, so its row never comes
// and goes; the window meanwhile shows the last list and stays responsive.
void PortListingWindow::Refresh() {
  delete probe_;
  probe_ = new QTcpSocket(this);
  auto fill = [this, probe = probe_, devices = SerialDevicesPresent()](bool gpsd) mutable {
    if (probe != probe_) return;  // answered already, or a newer refresh asks
    probe_ = nullptr;
    probe->deleteLater();
    if (gpsd) devices.push_back({"gpsd://localhost:2947", "gpsd on this PC", "", -1, -1, true, ""});
    Guarded(app_, [&devices](App& app) { FillPortListing(app, std::move(devices)); })();
  };
  connect(probe_, &QTcpSocket::connected, probe_, [fill]() mutable { fill(true); });
  connect(probe_, &QTcpSocket::errorOccurred, probe_, [fill]() mutable { fill(false); });
  QTimer::singleShot(kGpsdProbeMs, probe_, [fill]() mutable { fill(false); });
  probe_->connectToHost(QHostAddress::LocalHost, 2947);
}

void PortListingWindow::Open() {
  Refresh();
  show();
  raise();
  activateWindow();
}

}  // namespace koralin::qt
