// The platform's connection to a team's MQTT broker. The adapter keeps
// reconnecting by itself, with backoff, until Disconnect; it tells what
// happens through the events, on the window's thread, never while a call of
// this interface is running.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace koralin {

struct TeamConnection {
  std::string host;
  int port = 1883;
  bool tls = false;       // verifies the broker's certificate against caFile
  std::string caFile;
  std::string user;       // empty: anonymous
  std::string password;
  std::string clientId;   // the same each time: the broker keeps its session
  // The broker's last will: published, retained, when the car vanishes.
  std::string willTopic, willPayload;
};

class TeamLink {
 public:
  struct Events {
    std::function<void()> connected;
    // The connection went or could not be made; the adapter tries again.
    std::function<void(const std::string& reason)> lost;
    // The broker or the set-up says no (login, certificate, unknown host);
    // said once per connection, however often it is tried again.
    std::function<void(const std::string& reason)> refused;
    std::function<void(const std::string& topic, std::string_view payload)> message;
  };

  virtual ~TeamLink() = default;
  virtual void Connect(const TeamConnection& connection, Events events) = 0;
  // Only while connected; the caller queues what it formed meanwhile.
  virtual void Publish(const std::string& topic, const std::string& payload, int qos, bool retain) = 0;
  virtual void Subscribe(const std::string& pattern) = 0;
  // A clean end: no last will, no more tries.
  virtual void Disconnect() = 0;
};

}  // namespace koralin
