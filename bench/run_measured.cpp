// Runs one program as a whole process and prints its wall-clock seconds, its
// peak resident memory in kilobytes and its exit status, on one line:
//     run_measured OUTPUT PROGRAM [ARGUMENT...]
// Standard input is /dev/null, standard output goes to the file OUTPUT,
// standard error stays. OUTPUT is opened, and what an earlier run left in it
// dropped, before the clock starts: freeing the pages of a few megabytes of
// old output takes milliseconds that belong to neither program. The peak
// the kernel reports for a child counts the memory of the process it was
// started from, so the child is started from this small process rather than
// from the Python script that compares.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

extern char** environ;

namespace {

double Seconds(const timespec& time) { return static_cast<double>(time.tv_sec) + time.tv_nsec * 1e-9; }

int StatusOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: run_measured OUTPUT PROGRAM [ARGUMENT...]\n", stderr);
        return 64;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    const int output = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (output < 0) {
        std::perror(argv[1]);
        return 1;
    }
    posix_spawn_file_actions_adddup2(&actions, output, 1);
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[2], &actions, nullptr, argv + 2, environ) != 0) {
        std::perror(argv[2]);
        return 127;
    }
    close(output);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return 1;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    std::printf("%.6f %ld %d\n", Seconds(end) - Seconds(start), usage.ru_maxrss, StatusOf(status));
    return 0;
}
