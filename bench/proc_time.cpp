// Times whole processes, interleaved: each round runs every command once, in
// turn, so that a noisy neighbour slows them alike. Standard output goes to
// /dev/null, standard error is kept.
//
//   proc_time ROUNDS COMMAND... [-- COMMAND...]...
//
// Prints one line per command: the median wall time and the median CPU time
// (user and system) in milliseconds, the largest peak resident size in KiB
// over its runs, and the command. On a busy machine the CPU time is the
// steadier of the two. A
// command that fails stops the measurement (exit status 1).
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Command {
  std::vector<char*> argv;  // ends with nullptr
  std::vector<double> ms;
  std::vector<double> cpuMs;
  long peakKiB = 0;
};

// Runs the command once; returns false when it could not run or failed.
bool RunOnce(Command& command) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, command.argv[0], &actions, nullptr, command.argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    std::fprintf(stderr, "proc_time: %s: %s\n", command.argv[0], std::strerror(error));
    return false;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto end = std::chrono::steady_clock::now();
  command.ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  const auto cpu = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
  command.cpuMs.push_back(cpu(usage.ru_utime) + cpu(usage.ru_stime));
  command.peakKiB = std::max(command.peakKiB, usage.ru_maxrss);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "proc_time: %s failed (status %d)\n", command.argv[0], status);
    return false;
  }
  return true;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 2 ? std::atoi(argv[1]) : 0;
  if (rounds <= 0) {
    std::fprintf(stderr, "usage: proc_time ROUNDS COMMAND... [-- COMMAND...]...\n");
    return 2;
  }
  std::vector<Command> commands(1);
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      commands.emplace_back();
    } else {
      commands.back().argv.push_back(argv[i]);
    }
  }
  for (Command& c : commands) {
    if (c.argv.empty()) {
      std::fprintf(stderr, "proc_time: an empty command\n");
      return 2;
    }
    c.argv.push_back(nullptr);
  }
  for (int round = 0; round < rounds; ++round) {
    for (Command& c : commands) {
      if (!RunOnce(c)) return 1;
    }
  }
  for (const Command& c : commands) {
    std::printf("%.3f %.3f %ld", Median(c.ms), Median(c.cpuMs), c.peakKiB);
    for (std::size_t i = 0; c.argv[i] != nullptr; ++i) std::printf(" %s", c.argv[i]);
    std::printf("\n");
  }
  return 0;
}
