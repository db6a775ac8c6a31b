// Peers for the SNMP tests, all on the loopback address: the system's snmpd serving a
// printer's objects, a port that reads and never answers, and a relay in front of an
// agent that sends what a network may send besides the answer.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace kx::test {

// One object the agent serves: its object id (dotted, with the leading dot), its type
// as snmpd's pass_persist protocol names it (integer, gauge, counter, timeticks,
// ipaddress, objectid, octet, string) and its value as that protocol writes it.
struct AgentObject {
  std::string objectId;
  std::string type;
  std::string value;
};

// snmpd, started as the current user on a free loopback UDP port with a configuration
// written for it: the community (read-only, from 127.0.0.1) and the objects, served by a
// pass_persist script that logs every GET. Stopped when the object goes.
class SnmpAgent {
 public:
  explicit SnmpAgent(const std::vector<AgentObject>& objects,
                     const std::string& community = "kestra");
  ~SnmpAgent();
  SnmpAgent(const SnmpAgent&) = delete;
  SnmpAgent& operator=(const SnmpAgent&) = delete;

  // False when snmpd could not be started (a test failure has then been recorded).
  bool running() const { return pid_ > 0; }
  // "127.0.0.1:PORT".
  std::string address() const;
  uint16_t port() const { return port_; }

  // The object ids of the GETs the agent answered or refused, in order.
  std::vector<std::string> Requests() const;
  size_t RequestCount(const std::string& objectId) const;

 private:
  bool Start();
  void Stop();

  std::string directory_;
  int pid_ = -1;
  uint16_t port_ = 0;
};

// A UDP socket on loopback that reads every datagram and never answers.
class SilentUdpPort {
 public:
  SilentUdpPort();
  ~SilentUdpPort();
  SilentUdpPort(const SilentUdpPort&) = delete;
  SilentUdpPort& operator=(const SilentUdpPort&) = delete;

  std::string address() const;
  int datagrams() const { return datagrams_.load(); }

 private:
  int socket_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> datagrams_{0};
  std::thread reader_;
};

// Forwards each request to an agent and answers with what the agent answered, in one of
// two ways.
class MisbehavingRelay {
 public:
  enum class Mode {
    // Before each answer: an earlier answer (a reply for another request), the answer cut
    // in half, bytes that are no SNMP message at all, and the request sent back.
    kNoiseFirst,
    // Only the answer, its object id changed (the agent answers for another object).
    kOtherObject,
  };

  MisbehavingRelay(uint16_t agentPort, Mode mode);
  ~MisbehavingRelay();
  MisbehavingRelay(const MisbehavingRelay&) = delete;
  MisbehavingRelay& operator=(const MisbehavingRelay&) = delete;

  std::string address() const;
  int answersRelayed() const { return answers_.load(); }

 private:
  void Run(uint16_t agentPort);

  Mode mode_;
  int socket_ = -1;
  int upstream_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> answers_{0};
  std::thread worker_;
};

}  // namespace kx::test
