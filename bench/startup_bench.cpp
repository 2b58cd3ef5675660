// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Start-up of the window against a bare Qt window that shows one caption,
// measured in the same run.
//
// The driver starts this program again as a probe, in turn showing a
// QWidget of the window's size with one caption and the program's window
// Form1 started as main starts it; an empty QWidget is measured too, for
// reference. For each probe it
// measures the wall time from starting the process until the window has
// been shown and painted, and the probe's peak resident memory. It prints
// the medians and fails when Form1 needs more than 1.15 times the captioned
// window's time or memory.
//
// The captioned window is the yardstick: the first text a window shows pays
// for reading the font configuration, which an empty window never does.
//
//   startup_bench [rounds]          (default 31 rounds)
//
// Meant for a display (scripts/bench starts Xvfb when there is none). It also
// runs with QT_QPA_PLATFORM=offscreen, where no window connects to a display.

#include "ui/application_setup.h"
#include "ui/form1.h"

#include <QApplication>
#include <QLabel>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double AllowedRatio = 1.15;

// Writes "shown" once the window's first paint has reached the screen, then quits.
class ShownReporter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !reported) {
            reported = true;
            // After the paint pass and its flush.
            QTimer::singleShot(0, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported = false;
};

enum Probe { Bare, Caption, Form, ProbeCount };
constexpr const char *ProbeNames[ProbeCount] = {"bare", "caption", "form1"};
constexpr const char *ProbeTitles[ProbeCount] = {"bare QWidget", "QWidget with a caption", "Form1"};

// The same steps as the program's main.
int runForm1(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ShownReporter reporter;
    vintrelle::ui::setUpApplication();
    vintrelle::ui::Form1 window;
    window.installEventFilter(&reporter);
    window.show();
    return application.exec();
}

int runProbe(int argc, char *argv[], Probe probe)
{
    if (probe == Form)
        return runForm1(argc, argv);
    QApplication application(argc, argv);
    ShownReporter reporter;
    QWidget window;
    window.setFixedSize(366, 342);
    if (probe == Caption)
        new QLabel(QStringLiteral("Sistema Reinizializzato"), &window);
    window.installEventFilter(&reporter);
    window.show();
    return application.exec();
}

struct Sample
{
    double milliseconds = 0;
    long peakKilobytes = 0;
};

bool measure(const char *self, const char *kind, Sample &sample)
{
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        dup2(channel[1], STDOUT_FILENO);
        close(channel[0]);
        close(channel[1]);
        execl(self, self, "--probe", kind, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(channel[1]);
    std::string output;
    char buffer[64];
    ssize_t got = 0;
    while (output.find('\n') == std::string::npos && (got = read(channel[0], buffer, sizeof buffer)) > 0)
        output.append(buffer, static_cast<std::size_t>(got));
    const auto shown = std::chrono::steady_clock::now();
    while (read(channel[0], buffer, sizeof buffer) > 0) {
    }
    close(channel[0]);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0
        || output != "shown\n") {
        std::fprintf(stderr, "probe %s failed (status %d, output \"%s\")\n", kind, status, output.c_str());
        return false;
    }
    sample.milliseconds = std::chrono::duration<double, std::milli>(shown - start).count();
    sample.peakKilobytes = usage.ru_maxrss;
    return true;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    for (int probe = 0; probe < ProbeCount; ++probe)
        if (argc == 3 && std::strcmp(argv[1], "--probe") == 0 && std::strcmp(argv[2], ProbeNames[probe]) == 0)
            return runProbe(argc, argv, static_cast<Probe>(probe));

    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const char *self = "/proc/self/exe";
    std::vector<double> times[ProbeCount];
    std::vector<long> memory[ProbeCount];

    // One of each first, not counted: file and font caches warm up.
    for (const char *name : ProbeNames) {
        Sample warmUp;
        if (!measure(self, name, warmUp))
            return 2;
    }

    for (int round = 0; round < rounds; ++round) {
        // Rotate which goes first, so none always finds the warmest caches.
        for (int turn = 0; turn < ProbeCount; ++turn) {
            const int probe = (round + turn) % ProbeCount;
            Sample sample;
            if (!measure(self, ProbeNames[probe], sample))
                return 2;
            times[probe].push_back(sample.milliseconds);
            memory[probe].push_back(sample.peakKilobytes);
        }
    }

    double medianTime[ProbeCount];
    long medianMemory[ProbeCount];
    std::printf("start-up to window shown, median of %d runs each\n", rounds);
    for (int probe = 0; probe < ProbeCount; ++probe) {
        medianTime[probe] = median(times[probe]);
        medianMemory[probe] = median(memory[probe]);
        std::printf("  %-30s: %8.1f ms  %8ld kB peak\n", ProbeTitles[probe], medianTime[probe], medianMemory[probe]);
    }
    const auto timeRatio = [&](int probe, int base) { return medianTime[probe] / medianTime[base]; };
    const auto memoryRatio = [&](int probe, int base) {
        return static_cast<double>(medianMemory[probe]) / static_cast<double>(medianMemory[base]);
    };
    std::printf("  Form1 / with caption          : %8.2f     %8.2f      (allowed %.2f)\n", timeRatio(Form, Caption),
                memoryRatio(Form, Caption), AllowedRatio);
    std::printf("  Form1 / bare                  : %8.2f     %8.2f      (reference)\n", timeRatio(Form, Bare),
                memoryRatio(Form, Bare));
    const bool within = timeRatio(Form, Caption) <= AllowedRatio && memoryRatio(Form, Caption) <= AllowedRatio;
    std::printf("%s\n", within ? "within the limit" : "OVER THE LIMIT");
    return within ? 0 : 1;
}
