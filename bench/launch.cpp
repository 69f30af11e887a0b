// Starts two or more programs in turn, RUNS rounds after one unrecorded
// warm-up run of each, every round running each program once in the order
// given, and prints for each the median, minimum and maximum of its time to
// first painted frame (which the program itself reports on its standard
// output, counted from just before it was started here) and of its peak
// resident memory (ru_maxrss of the ended child).
//
//   bench_launch RUNS NAME=PROGRAM NAME=PROGRAM [NAME=PROGRAM...]
//
// Output lines: NAME METRIC MEDIAN MIN MAX, with METRIC first_frame_ms,
// maxrss_mib or exit_ms (start to the process's end).

#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Program {
    std::string name;
    std::string path;
    std::vector<double> firstFrameMs, maxRssMiB, exitMs;
};

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool runOnce(Program &p, bool record)
{
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        return false;
    }
    const long long t0 = nowNs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return false;
    }
    if (pid == 0) {
        setenv("TARVO_BENCH_T0_NS", std::to_string(t0).c_str(), 1);
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(p.path.c_str(), p.path.c_str(), static_cast<char *>(nullptr));
        std::perror("exec");
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(out[0], buf, sizeof buf)) > 0)
        text.append(buf, std::size_t(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const long long t1 = nowNs();

    const auto at = text.find("first_frame_ms=");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at == std::string::npos) {
        std::fprintf(stderr, "%s: failed (status %d): %s\n", p.name.c_str(), status, text.c_str());
        return false;
    }
    const double ms = std::atof(text.c_str() + at + std::strlen("first_frame_ms="));
    const double rss = double(usage.ru_maxrss) / 1024.0; // KiB on Linux
    std::fprintf(stderr, "  %-6s %8.1f ms  %7.1f MiB  (exit after %.1f ms)%s\n", p.name.c_str(), ms, rss,
                 double(t1 - t0) / 1e6, record ? "" : "  warm-up");
    if (record) {
        p.firstFrameMs.push_back(ms);
        p.maxRssMiB.push_back(rss);
        p.exitMs.push_back(double(t1 - t0) / 1e6);
    }
    return true;
}

void print(const Program &p, const char *metric, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double med = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    std::printf("%s %s %.3f %.3f %.3f\n", p.name.c_str(), metric, med, v.front(), v.back());
}

} // namespace

int main(int argc, char *argv[])
{
    const auto usage = [&] {
        std::fprintf(stderr, "usage: %s RUNS NAME=PROGRAM NAME=PROGRAM [NAME=PROGRAM...]\n", argv[0]);
        return 2;
    };
    if (argc < 4)
        return usage();
    const int runs = std::atoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const char *eq = std::strchr(argv[i], '=');
        if (!eq || eq == argv[i] || runs < 1)
            return usage();
        programs.push_back(Program{std::string(argv[i], std::size_t(eq - argv[i])), std::string(eq + 1), {}, {}, {}});
    }

    for (Program &p : programs) {
        if (!runOnce(p, false))
            return 1;
    }
    for (int i = 0; i < runs; ++i) {
        for (Program &p : programs) {
            if (!runOnce(p, true))
                return 1;
        }
    }
    for (const Program &p : programs) {
        print(p, "first_frame_ms", p.firstFrameMs);
        print(p, "maxrss_mib", p.maxRssMiB);
        print(p, "exit_ms", p.exitMs);
    }
    return 0;
}
