#include "qt/mqtt_link.h"

#include <mosquitto.h>

#include <QHostAddress>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace koralin::qt {

namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr int kMaxBackoffMs = 60000;
// Reads per wake-up: TLS may hold decrypted bytes the socket no longer shows.
constexpr int kReadsPerWake = 64;

}  // namespace

MqttLink::MqttLink() {
  mosquitto_lib_init();
  misc_.setInterval(1000);
  connect(&misc_, &QTimer::timeout, this, [this] { Misc(); });
  retry_.setSingleShot(true);
  connect(&retry_, &QTimer::timeout, this, [this] { Lookup(); });
}

MqttLink::~MqttLink() {
  Drop();
  mosquitto_lib_cleanup();
}

void MqttLink::Connect(const TeamConnection& connection, Events events) {
  Drop();
  c_ = connection;
  events_ = std::move(events);
  backoffMs_ = 1000;
  refused_ = false;
  retry_.start(0);  // events come from the loop, never from inside this call
}

void MqttLink::Lookup() {
  QHostAddress literal;
  if (literal.setAddress(QString::fromStdString(c_.host)) || c_.host == "localhost") {
    Looked(QHostInfo());
    return;
  }
  lookupId_ = QHostInfo::lookupHost(QString::fromStdString(c_.host), this, [this](const QHostInfo& info) {
    lookupId_ = -1;
    Looked(info);
  });
}

void MqttLink::Looked(const QHostInfo& info) {
  std::string host = c_.host;
  if (!info.addresses().isEmpty()) {
    // Plain MQTT connects to the address found; TLS checks the certificate
    // against the name, so it passes the name (just looked up) on.
    if (!c_.tls) host = info.addresses().front().toString().toStdString();
  } else if (info.error() != QHostInfo::NoError) {
    return Refuse("unknown host " + c_.host);
  }
  // The same client across reconnections keeps the lines the broker has not
  // acknowledged yet and sends them again; the other cars drop repeats.
  if (!mosq_ && !Prepare()) return;
  const int rc = mosquitto_connect_async(mosq_, host.c_str(), c_.port, kKeepAliveSeconds);
  // A local broker has done the handshake by now.
  if (rc == MOSQ_ERR_TLS) return Refuse(NotTrusted());
  if (rc != MOSQ_ERR_SUCCESS) return Failed(rc);
  Watch();
  misc_.start();
}

bool MqttLink::Prepare() {
  // A kept session: while this car is away the broker keeps the other cars'
  // lines for it (QoS 1), so it misses none of them.
  mosq_ = mosquitto_new(c_.clientId.c_str(), false, this);
  if (!mosq_) return Failed(MOSQ_ERR_NOMEM), false;
  mosquitto_connect_callback_set(mosq_, &MqttLink::OnConnect);
  mosquitto_message_callback_set(mosq_, &MqttLink::OnMessage);
  if (!c_.user.empty()) mosquitto_username_pw_set(mosq_, c_.user.c_str(), c_.password.c_str());
  mosquitto_will_set(mosq_, c_.willTopic.c_str(), static_cast<int>(c_.willPayload.size()), c_.willPayload.data(), 1, true);
  if (c_.tls) {
    // mosquitto_tls_set looks whether the file can be read; the handshake
    // then verifies the broker's certificate and its name against it.
    if (mosquitto_tls_set(mosq_, c_.caFile.c_str(), nullptr, nullptr, nullptr, nullptr) != MOSQ_ERR_SUCCESS)
      return Refuse("CA file " + c_.caFile + " cannot be read"), false;
    mosquitto_tls_opts_set(mosq_, 1, nullptr, nullptr);
    mosquitto_tls_insecure_set(mosq_, false);
  }
  return true;
}

void MqttLink::Watch() {
  const int fd = mosquitto_socket(mosq_);
  if (fd < 0) return;
  if (!read_ || read_->socket() != fd) {
    Unnotify();
    read_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(read_.get(), &QSocketNotifier::activated, this, [this] { Read(); });
    write_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    connect(write_.get(), &QSocketNotifier::activated, this, [this] { Write(); });
  }
  write_->setEnabled(mosquitto_want_write(mosq_));
}

void MqttLink::Read() {
  for (int i = 0; i < kReadsPerWake && mosq_; ++i) {
    const int rc = mosquitto_loop_read(mosq_, 1);
    if (rc != MOSQ_ERR_SUCCESS) return Failed(rc);
  }
  if (mosq_) Watch();
}

void MqttLink::Write() {
  if (const int rc = mosquitto_loop_write(mosq_, 1); rc != MOSQ_ERR_SUCCESS) return Failed(rc);
  Watch();
}

void MqttLink::Misc() {
  if (!mosq_) return;
  if (const int rc = mosquitto_loop_misc(mosq_); rc != MOSQ_ERR_SUCCESS) return Failed(rc);
  Watch();
}

void MqttLink::OnConnect(mosquitto*, void* self, int rc) {
  auto* link = static_cast<MqttLink*>(self);
  // Inside libmosquitto's read: the refusal is told once the read returned.
  if (rc != 0) return void(link->refusal_ = mosquitto_connack_string(rc));
  link->connected_ = true;
  link->refused_ = false;
  link->backoffMs_ = 1000;
  if (link->events_.connected) link->events_.connected();
}

void MqttLink::OnMessage(mosquitto*, void* self, const mosquitto_message* m) {
  auto* link = static_cast<MqttLink*>(self);
  if (link->events_.message && m->topic)
    link->events_.message(m->topic, std::string_view(static_cast<const char*>(m->payload),
                                                     static_cast<std::size_t>(std::max(0, m->payloadlen))));
}

void MqttLink::Publish(const std::string& topic, const std::string& payload, int qos, bool retain) {
  if (!mosq_ || !connected_) return;
  mosquitto_publish(mosq_, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), qos, retain);
  Watch();
}

void MqttLink::Subscribe(const std::string& pattern) {
  if (!mosq_ || !connected_) return;
  mosquitto_subscribe(mosq_, nullptr, pattern.c_str(), 1);
  Watch();
}

void MqttLink::Failed(int rc) {
  const bool wasConnected = connected_;
  // A certificate refused in the handshake is no passing fault.
  const bool tls = rc == MOSQ_ERR_TLS && !wasConnected;
  Unwatch();
  if (!refusal_.empty()) return Refuse(std::exchange(refusal_, {}));
  if (tls) return Refuse(NotTrusted());
  if (!refused_ && events_.lost) {
    const std::string why = rc == MOSQ_ERR_ERRNO ? std::strerror(errno) : mosquitto_strerror(rc);
    events_.lost(why);
  }
  Retry();
}

// A handshake that failed, or a CA file without a certificate: either way
// the CA file does not vouch for this broker.
std::string MqttLink::NotTrusted() const { return "the broker's certificate is not trusted by the CA file " + c_.caFile; }

// A new client next time: the set-up (CA file, login) may have changed.
void MqttLink::Refuse(const std::string& reason) {
  Drop();
  if (!refused_ && events_.refused) events_.refused(reason);
  refused_ = true;
  Retry();
}

void MqttLink::Retry() {
  retry_.start(backoffMs_);
  backoffMs_ = std::min(2 * backoffMs_, kMaxBackoffMs);
}

void MqttLink::Unwatch() {
  if (lookupId_ != -1) QHostInfo::abortHostLookup(lookupId_), lookupId_ = -1;
  misc_.stop();
  retry_.stop();
  Unnotify();
  connected_ = false;
}

// Possibly inside a notifier's own signal: it goes once that returned.
void MqttLink::Unnotify() {
  for (auto* n : {&read_, &write_})
    if (*n) (*n)->setEnabled(false), n->release()->deleteLater();
}

void MqttLink::Drop() {
  Unwatch();
  if (mosq_) mosquitto_destroy(mosq_), mosq_ = nullptr;
}

void MqttLink::Disconnect() {
  if (mosq_ && connected_) {
    mosquitto_disconnect(mosq_);
    // What is still queued ("offline", the DISCONNECT) goes if the socket takes it now.
    for (int i = 0; i < 8 && mosquitto_want_write(mosq_); ++i)
      if (mosquitto_loop_write(mosq_, 1) != MOSQ_ERR_SUCCESS) break;
  }
  Drop();
  events_ = {};
}

}  // namespace koralin::qt
