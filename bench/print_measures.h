#pragma once

// What the print-to-PDF benchmarks measure besides wall time, shared by the
// report's program and its hand-written Qt counterpart: this process's
// processor time and peak memory, the processor time of the print server's
// filters (the children the private cupsd has reaped), the end of the queue's
// jobs and the size of the file they wrote.

#include <cups/cups.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

namespace print_measures {

inline double Seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// Processor time of this process so far.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

inline double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The private print server's process: the one whose command line names the
// directory of CUPS_SERVER's socket. 0 when there is none.
inline long PrintServerPid()
{
    const char *server = std::getenv("CUPS_SERVER");
    if (!server || !*server)
        return 0;
    std::string dir = server;
    dir = dir.substr(0, dir.rfind('/'));
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream cmdline(entry.path() / "cmdline");
        std::string text((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
        if (text.rfind("cupsd", 0) == 0 && text.find(dir) != std::string::npos)
            return std::atol(name.c_str());
    }
    return 0;
}

// Processor seconds of the print server's children that it has reaped (its
// filters and backends).
inline double ServerChildrenCpuSeconds(long pid)
{
    if (pid <= 0)
        return 0;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long long cutime = 0;
    long long cstime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 16)
            cutime = std::atoll(field.c_str());
        if (index == 17) {
            cstime = std::atoll(field.c_str());
            break;
        }
    }
    return double(cutime + cstime) / double(sysconf(_SC_CLK_TCK));
}

// Waits until the queue has no job that is not finished; false when that
// takes longer than a minute.
inline bool WaitForQueueIdle(const char *queue)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < end) {
        cups_job_t *jobs = nullptr;
        const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue, 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active, jobs);
        if (active == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

inline long long FileBytes(const std::string &path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

// The file the private server's PDF queue writes (see scripts/test-services.sh).
inline std::string QueueOutputFile(const char *queue)
{
    const char *dir = std::getenv("VALDORA_TEST_PRINT_OUT");
    return dir ? std::string(dir) + "/" + queue + ".pdf" : std::string();
}

struct Figures {
    int pages = 0;
    double acceptedSeconds = 0; // to the job taken by the spooler (or the file written)
    double finishedSeconds = 0; // to the queue's file complete
    double cpuSeconds = 0;      // this process, over the whole road
    double serverCpuSeconds = 0;
    long long pdfBytes = 0;
};

inline void PrintFigures(const char *who, const char *words, const Figures &f)
{
    std::printf("%-14s %-8s N %5d  accepted %7.3f s %7.1f pages/s  finished %7.3f s %7.1f pages/s"
                "  cpu %6.3f s  server cpu %6.3f s  peak %6.1f MB  pdf %10lld bytes\n",
                who, words, f.pages, f.acceptedSeconds, f.pages / f.acceptedSeconds, f.finishedSeconds,
                f.pages / f.finishedSeconds, f.cpuSeconds, f.serverCpuSeconds, PeakMegabytes(), f.pdfBytes);
}

} // namespace print_measures
