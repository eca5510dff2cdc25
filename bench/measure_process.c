/* Runs one command and prints its wall time and processor time (user and
 * system) in milliseconds and its peak resident memory in kilobytes,
 * "12.345 10.002 6789", on standard output; the
 * command's own standard output goes to /dev/null.
 *
 *     measure_process COMMAND [ARGUMENT]...
 *
 * Written in C and started anew for every run because the kernel counts into
 * a child's peak the memory of the process it was started from: from this
 * small program that is about a megabyte, from a Python runner fifteen. */
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 2) {
        fputs("usage: measure_process COMMAND [ARGUMENT]...\n", stderr);
        return 2;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    struct timespec start;
    struct timespec end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[1], &actions, NULL, argv + 1, environ) != 0) {
        perror(argv[1]);
        return 127;
    }
    int status = 0;
    struct rusage usage;
    if (wait4(child, &status, 0, &usage) < 0) {
        perror("wait4");
        return 127;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double milliseconds =
        (double)(end.tv_sec - start.tv_sec) * 1e3 + (double)(end.tv_nsec - start.tv_nsec) / 1e6;
    const double processorMilliseconds =
        (double)(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
        (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    printf("%.3f %.3f %ld\n", milliseconds, processorMilliseconds, usage.ru_maxrss);
    if (!WIFEXITED(status)) {
        return 128;
    }
    return WEXITSTATUS(status);
}
