#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {

namespace {

ProgramHandle Pack(int pid, int pidfd) {
  return (static_cast<int64_t>(pid) << 32) | static_cast<uint32_t>(pidfd + 1);
}

int PidfdOf(ProgramHandle handle) {
  return static_cast<int>(handle & 0xFFFFFFFF) - 1;
}

int PidfdOpen(pid_t pid) {
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int PidfdSendSignal(int pidfd, int signal) {
  return static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

// Reaps the program if it has ended; true when it has (or cannot be waited for any more).
bool ReapIfEnded(int pidfd) {
  siginfo_t info{};
  if (waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(pidfd), &info, WEXITED | WNOHANG) !=
      0) {
    return true;  // already reaped elsewhere, or not ours
  }
  return info.si_pid != 0;
}

}  // namespace

ProgramHandle StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingFolder) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingFolder.empty())
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  pid_t pid = 0;
  const bool searchPath = program.find('/') == std::string::npos;
  const int error =
      searchPath ? posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ)
                 : posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0)
    return 0;
  // A child that already ended is still a zombie of ours, so the pidfd names it safely.
  const int pidfd = PidfdOpen(pid);
  if (pidfd < 0) {
    waitpid(pid, nullptr, 0);
    return 0;
  }
  fcntl(pidfd, F_SETFD, FD_CLOEXEC);
  return Pack(pid, pidfd);
}

bool IsProgramRunning(ProgramHandle handle) {
  if (handle == 0)
    return false;
  return !ReapIfEnded(PidfdOf(handle));
}

void TerminateProgram(ProgramHandle handle, int graceMs) {
  if (handle == 0)
    return;
  const int pidfd = PidfdOf(handle);
  PidfdSendSignal(pidfd, SIGTERM);
  pollfd ended{pidfd, POLLIN, 0};
  if (poll(&ended, 1, graceMs) <= 0)
    PidfdSendSignal(pidfd, SIGKILL);
  siginfo_t info{};
  waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(pidfd), &info, WEXITED);
}

void ReleaseProgram(ProgramHandle handle) {
  if (handle != 0)
    close(PidfdOf(handle));
}

int ProgramProcessId(ProgramHandle handle) {
  return static_cast<int>(handle >> 32);
}

}  // namespace platform
