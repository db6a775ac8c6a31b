// A real CUPS scheduler, started by the test on a loopback port with a configuration of its
// own, prints a job with lp on a queue made from our PPD: the job goes through
// kx48t7-filter into a file device and must equal what kx48t7-render writes.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "filter_fixture.h"
#include "filter_process.h"

namespace kx::test {
namespace {

namespace fs = std::filesystem;

constexpr char kCupsd[] = "/usr/sbin/cupsd";
constexpr char kSystemServerBin[] = "/usr/lib/cups";
constexpr auto kStartTimeout = std::chrono::seconds(20);
constexpr auto kJobTimeout = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(200);

// A port of the loopback interface that nothing listens on now.
int FreeLoopbackPort() {
  const int socketFd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socketFd < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  int port = 0;
  if (::bind(socketFd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
      ::getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(socketFd);
  return port;
}

// The system's filters, backends and helpers, each folder copied as links to its files,
// with our filter added: the scheduler's ServerBin.
void PrepareServerBin(const fs::path& serverBin) {
  for (const auto& folder : fs::directory_iterator(kSystemServerBin)) {
    if (!folder.is_directory()) continue;
    const fs::path target = serverBin / folder.path().filename();
    fs::create_directories(target);
    for (const auto& program : fs::directory_iterator(folder.path())) {
      fs::create_symlink(program.path(), target / program.path().filename());
    }
  }
  fs::create_directories(serverBin / "filter");
  fs::create_symlink(KX48T7_FILTER_PATH, serverBin / "filter" / "kx48t7-filter");
}

// One scheduler process with everything in one folder; stopped when the object goes.
class CupsServer {
 public:
  CupsServer(const fs::path& root, const std::string& store) : root_(root) {
    port_ = FreeLoopbackPort();
    for (const char* folder : {"conf", "spool", "tmp", "cache", "state", "log", "out"}) {
      fs::create_directories(root_ / folder);
    }
    PrepareServerBin(root_ / "serverbin");
    std::ofstream(root_ / "conf" / "cupsd.conf")
        << "Listen 127.0.0.1:" << port_ << "\nLogLevel info\nMaxLogSize 0\nBrowsing No\n"
        << "WebInterface No\nDefaultAuthType None\n"
        << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    std::ofstream(root_ / "conf" / "cups-files.conf")
        << "FileDevice Yes\nServerRoot " << (root_ / "conf").string() << "\nServerBin "
        << (root_ / "serverbin").string() << "\nDataDir /usr/share/cups\nRequestRoot "
        << (root_ / "spool").string() << "\nTempDir " << (root_ / "tmp").string()
        << "\nCacheDir " << (root_ / "cache").string() << "\nStateDir "
        << (root_ / "state").string() << "\nAccessLog " << (root_ / "log/access_log").string()
        << "\nErrorLog " << (root_ / "log/error_log").string() << "\nPageLog "
        << (root_ / "log/page_log").string() << "\nPrintcap " << (root_ / "printcap").string()
        << "\nSetEnv KX48T7_STORE " << store << "\n";
    // The scheduler runs filters as an unprivileged user: they read this folder and the
    // store, and write the job's file and the store's journal.
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (!entry.is_symlink()) {
        fs::permissions(entry.path(), fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec);
      }
    }
    fs::permissions(root_ / "out", fs::perms::all);
  }

  ~CupsServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  // Empty when the scheduler runs and answers; else why it does not.
  std::string Start() {
    if (port_ == 0) return "no free loopback port";
    const std::string conf = (root_ / "conf" / "cupsd.conf").string();
    const std::string files = (root_ / "conf" / "cups-files.conf").string();
    std::vector<char*> argv = {const_cast<char*>(kCupsd), const_cast<char*>("-f"),
                               const_cast<char*>("-c"), const_cast<char*>(conf.c_str()),
                               const_cast<char*>("-s"), const_cast<char*>(files.c_str()),
                               nullptr};
    char* envp[] = {const_cast<char*>("PATH=/usr/sbin:/usr/bin:/bin"), nullptr};
    if (::posix_spawn(&pid_, kCupsd, nullptr, nullptr, argv.data(), envp) != 0) {
      pid_ = 0;
      return "cannot start cupsd";
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return "cupsd exited at start: " + ReadTextFile((root_ / "log/error_log").string());
      }
      if (Client("lpstat", {"-r"}).out.find("scheduler is running") != std::string::npos) {
        return "";
      }
      std::this_thread::sleep_for(kPoll);
    }
    return "cupsd did not answer on port " + std::to_string(port_);
  }

  // A CUPS client command against this scheduler.
  ProcessRun Client(const std::string& command, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {command, "-h", "127.0.0.1:" + std::to_string(port_)});
    const std::string program = command == "lpadmin" ? "/usr/sbin/lpadmin" : "/usr/bin/" + command;
    return RunProcess(program, arguments, {"PATH=/usr/bin:/bin", "LANG=C"}, "",
                      (root_ / "tmp").string());
  }

  // Waits until the scheduler holds no unfinished job; false at once when a filter
  // failed (the scheduler then stops the queue).
  bool WaitForJobs() {
    const auto deadline = std::chrono::steady_clock::now() + kJobTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
      const ProcessRun run = Client("lpstat", {"-o"});
      if (run.status == 0 && run.out.empty()) return true;
      if (Client("lpstat", {"-p"}).out.find("disabled") != std::string::npos) return false;
      std::this_thread::sleep_for(kPoll);
    }
    return false;
  }

  fs::path OutputFile() const { return root_ / "out" / "job.prn"; }
  std::string ErrorLog() const { return ReadTextFile((root_ / "log/error_log").string()); }

 private:
  fs::path root_;
  int port_ = 0;
  pid_t pid_ = 0;
};

class CupsdTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kCupsd) || !fs::exists("/usr/bin/lp") || !fs::exists("/usr/sbin/lpadmin")) {
      GTEST_SKIP() << "CUPS is not installed here (package cups): no cupsd to print through";
    }
    // The filter, as the scheduler's user, reads and writes the printer's store.
    for (const auto& entry : fs::recursive_directory_iterator(printer_.store())) {
      fs::permissions(entry.path(), fs::perms::all);
    }
    fs::permissions(printer_.store(), fs::perms::all);
    server_ = std::make_unique<CupsServer>(fs::path(printer_.store()) / "cups", printer_.store());
    if (const std::string why = server_->Start(); !why.empty()) {
      GTEST_SKIP() << "cupsd cannot start here: " << why;
    }
  }

  FilterPrinter printer_;
  std::string document_ = printer_.WriteDocument();
  std::unique_ptr<CupsServer> server_;
};

TEST_F(CupsdTest, AQueueWithOurPpdPrintsTheJobTheRenderToolWrites) {
  const std::string device = "file://" + server_->OutputFile().string();
  ProcessRun run = server_->Client(
      "lpadmin", {"-p", kQueue, "-E", "-v", device, "-P", KX48T7_CUPS_PPD});
  ASSERT_EQ(run.status, 0) << run.err;
  fs::permissions(document_, fs::perms::all);
  run = server_->Client("lp", {"-d", kQueue, "-t", "Quarterly report", "-o",
                               "kx48t7-watermark='Draft Plan'", "-o", "HeaderPage=True",
                               document_});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_NE(run.out.find("request id is"), std::string::npos) << run.out;
  ASSERT_TRUE(server_->WaitForJobs()) << server_->ErrorLog();

  const std::string printed = ReadTextFile(server_->OutputFile().string());
  const ProcessRun rendered = RunProcess(
      KX48T7_RENDER_PATH,
      {"kx48t7-render", "--printer", kQueue, "--ppd", KX48T7_CUPS_PPD, "--document-name",
       "Quarterly report", "--watermark", kStoredWatermark, "--set", "headerPage=1", document_},
      {"KX48T7_STORE=" + printer_.store()}, "", printer_.store());
  ASSERT_EQ(rendered.status, 0) << rendered.err;
  ASSERT_FALSE(printed.empty()) << server_->ErrorLog();
  EXPECT_EQ(printed, rendered.out) << server_->ErrorLog();
  EXPECT_NE(printed.find("do_HeaderPage"), std::string::npos);
}

}  // namespace
}  // namespace kx::test
