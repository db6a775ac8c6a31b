#include "device/snmp_agent.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

extern char** environ;

namespace kx::test {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kStopTimeout = std::chrono::seconds(5);
constexpr int kStartAttempts = 5;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string MakeTempDirectory() {
  std::random_device random;
  for (;;) {
    const fs::path candidate =
        fs::temp_directory_path() / ("kx48t7-snmpd-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) return candidate.string();
  }
}

// A single-quoted shell word.
std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string FindSnmpd() {
  for (const char* candidate : {"/usr/sbin/snmpd", "/usr/local/sbin/snmpd", "/sbin/snmpd"}) {
    if (access(candidate, X_OK) == 0) return candidate;
  }
  return std::string();
}

// A UDP socket bound to 127.0.0.1 on a port the system chose.
int BindLoopbackUdp(uint16_t* port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(fd);
    return -1;
  }
  *port = ntohs(address.sin_port);
  return fd;
}

uint16_t FreeLoopbackPort() {
  uint16_t port = 0;
  const int fd = BindLoopbackUdp(&port);
  if (fd < 0) return 0;
  close(fd);
  return port;
}

sockaddr_in LoopbackAddress(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

// Waits for a datagram for at most `milliseconds`; false when none came.
bool WaitReadable(int fd, int milliseconds) {
  pollfd entry{fd, POLLIN, 0};
  return poll(&entry, 1, milliseconds) > 0 && (entry.revents & POLLIN) != 0;
}

std::string LoopbackText(uint16_t port) { return "127.0.0.1:" + std::to_string(port); }

}  // namespace

SnmpAgent::SnmpAgent(const std::vector<AgentObject>& objects, const std::string& community)
    : directory_(MakeTempDirectory()) {
  const fs::path directory(directory_);
  // The script that serves the objects and logs each GET before answering it, so the
  // log is complete by the time the answer arrives.
  std::ostringstream script;
  script << "#!/bin/sh\n"
         << "log=" << ShellQuote((directory / "requests.log").string()) << "\n"
         << "while read -r command; do\n"
         << "  case \"$command\" in\n"
         << "    PING) echo PONG ;;\n"
         << "    get)\n"
         << "      read -r oid\n"
         << "      echo \"$oid\" >> \"$log\"\n"
         << "      case \"$oid\" in\n";
  for (const AgentObject& object : objects) {
    script << "        " << ShellQuote(object.objectId) << ") printf '%s\\n%s\\n%s\\n' \"$oid\" "
           << ShellQuote(object.type) << " " << ShellQuote(object.value) << " ;;\n";
  }
  script << "        *) echo NONE ;;\n"
         << "      esac ;;\n"
         << "    getnext) read -r oid; echo NONE ;;\n"
         << "    set) read -r oid; read -r value; echo not-writable ;;\n"
         << "    *) echo NONE ;;\n"
         << "  esac\n"
         << "done\n";
  const fs::path scriptPath = directory / "objects.sh";
  std::ofstream(scriptPath) << script.str();
  fs::permissions(scriptPath, fs::perms::owner_all);
  std::ofstream(directory / "requests.log");

  std::ofstream(directory / "snmpd.conf")
      << "rocommunity " << community << " 127.0.0.1\n"
      << "pass_persist .1.3.6.1.2.1 " << scriptPath.string() << "\n"
      << "pass_persist .1.3.6.1.4.1 " << scriptPath.string() << "\n";
  fs::create_directory(directory / "persist");

  if (!Start()) {
    ADD_FAILURE() << "snmpd did not start; its log:\n" << ReadFile(directory / "snmpd.log");
  }
}

SnmpAgent::~SnmpAgent() {
  Stop();
  std::error_code error;
  fs::remove_all(directory_, error);
}

bool SnmpAgent::Start() {
  const std::string snmpd = FindSnmpd();
  if (snmpd.empty()) {
    ADD_FAILURE() << "snmpd is not installed (scripts/install-deps installs it)";
    return false;
  }
  const fs::path directory(directory_);
  const std::string logPath = (directory / "snmpd.log").string();
  const std::string confPath = (directory / "snmpd.conf").string();
  // Nothing from the user's home or the system's configuration, no MIB files, state
  // kept in the test's directory.
  std::vector<std::string> environment = {
      "PATH=/usr/bin:/bin",
      "HOME=" + directory_,
      "SNMP_PERSISTENT_DIR=" + (directory / "persist").string(),
      "SNMPCONFPATH=" + directory_,
      "MIBS=",
      "MIBDIRS=" + directory_,
  };
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    port_ = FreeLoopbackPort();
    if (port_ == 0) continue;
    std::vector<std::string> arguments = {
        snmpd, "-f", "-Lf", logPath, "-C", "-c", confPath,
        // Only what serves the objects and the community.
        "-I", "pass_persist,vacm_conf",
        "udp:" + LoopbackText(port_)};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::ofstream(logPath, std::ios::trunc);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, snmpd.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    pid_ = pid;

    // Ready once it has opened its port and logged its version.
    const auto deadline = Clock::now() + kStartTimeout;
    bool exited = false;
    while (Clock::now() < deadline) {
      const std::string log = ReadFile(logPath);
      if (log.find("NET-SNMP version") != std::string::npos) return true;
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!exited) Stop();
    pid_ = -1;
    // The port may have been taken between choosing and binding it: try another one.
  }
  return false;
}

void SnmpAgent::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = Clock::now() + kStopTimeout;
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (Clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
}

std::string SnmpAgent::address() const { return LoopbackText(port_); }

std::vector<std::string> SnmpAgent::Requests() const {
  std::vector<std::string> requests;
  std::istringstream log(ReadFile(fs::path(directory_) / "requests.log"));
  std::string line;
  while (std::getline(log, line)) requests.push_back(line);
  return requests;
}

size_t SnmpAgent::RequestCount(const std::string& objectId) const {
  const std::vector<std::string> requests = Requests();
  return static_cast<size_t>(std::count(requests.begin(), requests.end(), objectId));
}

SilentUdpPort::SilentUdpPort() {
  socket_ = BindLoopbackUdp(&port_);
  if (socket_ < 0) {
    ADD_FAILURE() << "cannot bind a loopback UDP socket";
    return;
  }
  reader_ = std::thread([this] {
    char buffer[65536];
    while (!stop_.load()) {
      if (!WaitReadable(socket_, 20)) continue;
      if (recv(socket_, buffer, sizeof buffer, 0) >= 0) ++datagrams_;
    }
  });
}

SilentUdpPort::~SilentUdpPort() {
  stop_ = true;
  if (reader_.joinable()) reader_.join();
  if (socket_ >= 0) close(socket_);
}

std::string SilentUdpPort::address() const { return LoopbackText(port_); }

MisbehavingRelay::MisbehavingRelay(uint16_t agentPort, Mode mode) : mode_(mode) {
  uint16_t unused = 0;
  socket_ = BindLoopbackUdp(&port_);
  upstream_ = BindLoopbackUdp(&unused);
  if (socket_ < 0 || upstream_ < 0) {
    ADD_FAILURE() << "cannot bind loopback UDP sockets";
    return;
  }
  worker_ = std::thread([this, agentPort] { Run(agentPort); });
}

MisbehavingRelay::~MisbehavingRelay() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
  if (socket_ >= 0) close(socket_);
  if (upstream_ >= 0) close(upstream_);
}

std::string MisbehavingRelay::address() const { return LoopbackText(port_); }

void MisbehavingRelay::Run(uint16_t agentPort) {
  const sockaddr_in agent = LoopbackAddress(agentPort);
  std::vector<uint8_t> previousAnswer;
  std::vector<uint8_t> request(65536);
  std::vector<uint8_t> answer(65536);
  while (!stop_.load()) {
    if (!WaitReadable(socket_, 20)) continue;
    sockaddr_in client{};
    socklen_t clientLength = sizeof client;
    const ssize_t requestSize = recvfrom(socket_, request.data(), request.size(), 0,
                                         reinterpret_cast<sockaddr*>(&client), &clientLength);
    if (requestSize <= 0) continue;
    sendto(upstream_, request.data(), static_cast<size_t>(requestSize), 0,
           reinterpret_cast<const sockaddr*>(&agent), sizeof agent);
    if (!WaitReadable(upstream_, 1500)) continue;
    const ssize_t answerSize = recv(upstream_, answer.data(), answer.size(), 0);
    if (answerSize <= 0) continue;
    std::vector<uint8_t> reply(answer.begin(), answer.begin() + answerSize);
    auto send = [&](const std::vector<uint8_t>& datagram) {
      sendto(socket_, datagram.data(), datagram.size(), 0,
             reinterpret_cast<const sockaddr*>(&client), clientLength);
    };
    if (mode_ == Mode::kNoiseFirst) {
      if (!previousAnswer.empty()) send(previousAnswer);
      send(std::vector<uint8_t>(reply.begin(), reply.begin() + answerSize / 2));
      send(std::vector<uint8_t>(300, 0xFF));
      send(std::vector<uint8_t>(request.begin(), request.begin() + requestSize));
      previousAnswer = reply;
    } else {
      // The request ends with its one binding: the object id, then NULL (05 00). The same
      // object id's encoding in the answer gets another last number.
      const std::vector<uint8_t> asked(request.begin(), request.begin() + requestSize);
      for (size_t start = asked.size() >= 4 ? asked.size() - 4 : 0; start-- > 0;) {
        if (asked[start] == 0x06 && start + 2 + asked[start + 1] == asked.size() - 2) {
          const auto found = std::search(reply.begin(), reply.end(), asked.begin() + start,
                                         asked.end() - 2);
          if (found != reply.end()) {
            const size_t last = static_cast<size_t>(found - reply.begin()) + asked[start + 1] + 1;
            reply[last] = static_cast<uint8_t>(reply[last] ^ 0x01);
          }
          break;
        }
      }
    }
    // Counted before it goes out: the client may read the count as soon as it has the
    // answer.
    ++answers_;
    send(reply);
  }
}

}  // namespace kx::test
