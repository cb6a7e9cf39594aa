// The real program, started as a shell with `ulimit -f` starts it: a quote printed to the
// "PDF file" printer over an earlier file does not fit under the limit. The program must say
// so and go on, keep the earlier file whole and leave no temporary beside it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

struct ProgramRun {
  bool exited = false;  // ended by itself, not by a signal
  int status = -1;
  std::string output;
};

// Runs the program in its smoke mode, printing a quote into pdf; limit 0 sets no limit.
ProgramRun RunProgram(const std::string& pdf, rlim_t limit) {
  int out[2];
  if (::pipe(out) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(out[1], STDERR_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    // As from a shell: the signal at its default, the limit on every file the program writes.
    std::signal(SIGXFSZ, SIG_DFL);
    if (limit > 0) {
      struct rlimit r;
      ::getrlimit(RLIMIT_FSIZE, &r);
      r.rlim_cur = limit;
      if (::setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(126);
    }
    ::alarm(120);  // a program that hangs ends the test instead of holding it
    if (::chdir(FRELANE_INSTALL_DIR) != 0) _exit(125);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("FRELANE_SMOKE_TEST", "1", 1);
    ::setenv("FRELANE_SMOKE_PRINT", pdf.c_str(), 1);
    ::unsetenv("FRELANE_SMOKE_SHOTS");
    ::execl(FRELANE_PROGRAM, FRELANE_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  ::close(out[1]);
  ProgramRun run;
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    run.output.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(out[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return run;
  run.exited = WIFEXITED(status);
  run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
  return run;
}

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename());
  return names;
}

TEST(ProgramFileLimitTest, APrintOverTheLimitIsReportedAndTheEarlierPdfKept) {
  testkit::TempDir dir;
  const std::string pdf = dir.File("quote.pdf");
  const ProgramRun free_run = RunProgram(pdf, 0);
  ASSERT_TRUE(free_run.exited && free_run.status == 0) << free_run.output;
  ASSERT_NE(free_run.output.find("smoke: message box: Information Printed"), std::string::npos)
      << free_run.output;
  const auto whole = std::filesystem::file_size(pdf);

  dir.Write("quote.pdf", "an earlier quote");
  const ProgramRun limited = RunProgram(pdf, static_cast<rlim_t>(whole / 2));
  EXPECT_TRUE(limited.exited) << "ended by signal " << limited.status << "\n" << limited.output;
  EXPECT_EQ(limited.status, 0) << limited.output;
  EXPECT_NE(limited.output.find("The PDF file could not be written: " + pdf +
                                " ("),
            std::string::npos)
      << limited.output;
  EXPECT_NE(limited.output.find("File too large"), std::string::npos) << limited.output;
  EXPECT_NE(limited.output.find("smoke: quote printed, shipment on the screen: 30301 60601 100 1500"),
            std::string::npos)
      << limited.output;
  EXPECT_NE(limited.output.find("smoke: program ended"), std::string::npos) << limited.output;
  EXPECT_EQ(testkit::ReadFile(pdf), "an earlier quote");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"quote.pdf"}) << "no temporary is left";
}

}  // namespace
}  // namespace frelane
