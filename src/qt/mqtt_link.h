// The team hunt's broker on libmosquitto, driven from the Qt event loop
// through its socket: a read and a write notifier and a timer for the
// keep-alive; nothing blocks and nothing polls busily. The host name is
// looked up with QHostInfo first, without waiting.
#pragma once

#include <QHostInfo>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>

#include "team/team_link.h"

struct mosquitto;
struct mosquitto_message;

namespace koralin::qt {

class MqttLink : public QObject, public TeamLink {
 public:
  MqttLink();
  ~MqttLink() override;

  void Connect(const TeamConnection& connection, Events events) override;
  void Publish(const std::string& topic, const std::string& payload, int qos, bool retain) override;
  void Subscribe(const std::string& pattern) override;
  void Disconnect() override;

 private:
  void Lookup();
  void Looked(const QHostInfo& info);
  bool Prepare();
  void Watch();
  void Read();
  void Write();
  void Misc();
  // The connection failed or went (rc a MOSQ_ERR_ number); tries again later.
  void Failed(int rc);
  void Retry();
  void Refuse(const std::string& reason);
  std::string NotTrusted() const;
  void Unnotify();
  void Unwatch();  // the socket, the timers and a lookup; the client stays
  void Drop();     // the client too
  static void OnConnect(mosquitto*, void* self, int rc);
  static void OnMessage(mosquitto*, void* self, const mosquitto_message* m);

  TeamConnection c_;
  Events events_;
  mosquitto* mosq_ = nullptr;
  std::unique_ptr<QSocketNotifier> read_, write_;
  QTimer misc_, retry_;
  int lookupId_ = -1;
  int backoffMs_ = 1000;
  bool connected_ = false;
  bool refused_ = false;  // said once; "lost" stays unsaid until connected again
  std::string refusal_;   // the broker's answer to the login, until the read returns
};

}  // namespace koralin::qt
