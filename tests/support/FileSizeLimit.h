#pragma once
// Runs a piece of a test in a forked child whose files may not grow beyond a limit, as on a
// full disk: SIGXFSZ is ignored, so a write past the limit fails with EFBIG instead of ending
// the process. The limit applies even to root, which file permissions do not stop.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <functional>

namespace nv::test {

struct ChildResult {
    bool exitedNormally = false;
    QByteArray output;  // what the child's work returned
};

inline ChildResult runWithFileSizeLimit(rlim_t limit, const std::function<QByteArray()>& work) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const rlimit r{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &r);
        ::signal(SIGXFSZ, SIG_IGN);
        const QByteArray out = work();
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = ::write(fds[1], out.constData() + done, out.size() - done);
            if (n <= 0) break;
            done += n;
        }
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    ChildResult result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitedNormally = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

}  // namespace nv::test
