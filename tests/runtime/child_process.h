#pragma once

// Runs a piece of a test in a forked child under conditions that even root cannot bypass: a
// file size limit, or the privileges of the unprivileged "nobody" user. The child's answer
// comes back as text through a pipe. Windows has neither: there these tests are skipped.

#include <functional>
#include <string>
#ifndef _WIN32
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace netedit::testing {

struct ChildLimits {
    long maxFileBytes = -1;    // RLIMIT_FSIZE in the child; -1 leaves it alone
    long maxAddressBytes = -1; // RLIMIT_AS in the child: the memory the system will give
    bool dropPrivileges = false;
    unsigned memberOf = 0; // with dropPrivileges: a group the child belongs to besides its own
};

inline constexpr const char* ChildSetupFailed = "<child setup failed>";

#ifdef _WIN32
inline bool CanRunChildren() {
    return false;
}
inline bool CanDropPrivileges() {
    return false;
}
inline std::string RunInChild(const ChildLimits&, const std::function<std::string()>&) {
    return ChildSetupFailed;
}
#else
inline bool CanRunChildren() {
    return true;
}
// Whether the test process can run a child as another user.
inline bool CanDropPrivileges() {
    return ::geteuid() == 0;
}

inline std::string RunInChild(const ChildLimits& limits, const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return ChildSetupFailed;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        bool ready = true;
        if (limits.maxFileBytes >= 0) {
            std::signal(SIGXFSZ, SIG_IGN); // the kernel then refuses bytes instead of killing us
            const rlimit limit{static_cast<rlim_t>(limits.maxFileBytes),
                               static_cast<rlim_t>(limits.maxFileBytes)};
            ready = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
        if (ready && limits.maxAddressBytes >= 0) {
            const rlimit limit{static_cast<rlim_t>(limits.maxAddressBytes),
                               static_cast<rlim_t>(limits.maxAddressBytes)};
            ready = ::setrlimit(RLIMIT_AS, &limit) == 0;
        }
        if (ready && limits.dropPrivileges) {
            const gid_t extra = limits.memberOf;
            ready =
                ::setgroups(extra == 0 ? 0 : 1, &extra) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        }
        std::string answer = ChildSetupFailed;
        try {
            answer = ready ? body() : answer;
        } catch (...) {
            answer = "<exception>";
        }
        [[maybe_unused]] const ssize_t written = ::write(fds[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string answer = pid < 0 ? ChildSetupFailed : "";
    char chunk[256];
    for (ssize_t n; pid > 0 && (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) {
        answer.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    if (pid > 0) {
        ::waitpid(pid, &status, 0);
    }
    return answer;
}
#endif

} // namespace netedit::testing
