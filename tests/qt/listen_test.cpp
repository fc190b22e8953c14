// listen:// on real sockets: who gets a place when the table is full, whose
// sentences are read, and the warning for a server open to the network.
#include <QTcpServer>

#include "qt/listen_port.h"
#include "qt/rig.h"
#include "qt/target_port.h"
#include "serial/output_port.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using namespace std::chrono_literals;

int FreePort() {  // free again once this server is gone
  QTcpServer s;
  return s.listen(QHostAddress::LocalHost, 0) ? s.serverPort() : 0;
}

std::string Listen(int tcp, const std::string& host = "127.0.0.1") {
  return "listen://" + host + ":" + std::to_string(tcp);
}

// 16 clients connect and say and read nothing; the 17th gets a place only
// once they have been idle for 30 s, and then gets sentences at once.
TEST(Listen, AFullTableGivesTheLongestIdlePlaceToANewClient) {
  const struct { std::chrono::seconds idle; bool served; } cases[] = {{31s, true}, {10s, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.idle.count());
    const int tcp = FreePort();
    qt::SteadyTime now{};
    qt::ListenPort port(ParseTarget(Listen(tcp)), {.isInput = false, .maxClients = 16, .now = [&] { return now; }});
    port.Open(1, "4800,N,8,1", 0, 0);
    std::vector<int> idle;
    for (int i = 0; i < 16; ++i) idle.push_back(test::ConnectLocal(tcp));
    ASSERT_TRUE(test::WaitFor([&] { return port.InBufferCount() == 0 && port.Clients() == 16; }));
    now += c.idle;
    const int late = test::ConnectLocal(tcp);
    std::string got;
    const auto until = std::chrono::steady_clock::now() + 1s;
    while (got.empty() && std::chrono::steady_clock::now() < until)
      port.Write(test::Rmc() + "\r\n"), got = test::Receive(late, 50);
    EXPECT_EQ(got.starts_with(test::Rmc()), c.served) << got;
    EXPECT_EQ(port.Clients(), 16);
    for (const int fd : idle) ::close(fd);
    ::close(late);
  }
}

// A client's sentence is data on the input port; on the output port only
// when the line asks for it.
TEST(Listen, ClientsAreReadOnTheInputOrWhenTheLineAsks) {
  const struct { bool isInput; const char* flag; bool read; } cases[] = {
      {true, "", true}, {false, "", false}, {false, "?input=1", true}};
  const std::string hdt = "$HCHDT,123.4,T*2B\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.isInput ? "input" : "output") + c.flag);
    test::PortMap map;
    const int tcp = FreePort();
    map.Map(2, Listen(tcp) + c.flag);
    qt::TargetPort port(map.Folder(), c.isInput);
    port.Open(2, "4800,N,8,1", 0, 0);
    const int fd = test::ConnectLocal(tcp);
    ASSERT_EQ(::write(fd, hdt.data(), hdt.size()), static_cast<ssize_t>(hdt.size()));
    std::string got;
    test::WaitFor([&] { return (got += port.ReadAll()).size() >= hdt.size(); }, 500);
    EXPECT_EQ(got, c.read ? hdt : "");
    ::close(fd);
  }
}

// Chosen as the output: a bind beyond loopback is said once in Terminal Out
// when it opens; "[::]" takes IPv4 clients too.
TEST(Listen, ABindBeyondLoopbackIsWarnedAndAnyBindsBothFamilies) {
  const struct { const char* host; bool warned; } cases[] = {{"127.0.0.1", false}, {"0.0.0.0", true}, {"[::]", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.host);
    test::PtyRig rig;
    const int tcp = FreePort();
    const std::string target = Listen(tcp, c.host);
    rig.map.Map(1, target);
    ComOutSelect(rig.app, 1, 4800);
    ASSERT_EQ(rig.app.settings.ComPortOut, 1) << rig.Box();
    const MenuItem& terminalOut = rig.app.form1.mnuTerminalOut;
    terminalOut.Click();  // opens it
    EXPECT_EQ(rig.app.terminal.TerminalText[0],
              c.warned ? "Warning: " + target + " is open to the network: any host on it can read the position\r\n"
                       : "");
    terminalOut.Click(), terminalOut.Click();
    EXPECT_EQ(rig.app.terminal.TerminalText[0], "") << "said once";
    const int fd = test::ConnectLocal(tcp);
    EXPECT_GE(fd, 0) << "127.0.0.1 refused";
    if (fd >= 0) ::close(fd);
  }
}

}  // namespace
}  // namespace koralin
