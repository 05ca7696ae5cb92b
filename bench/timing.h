#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

// Wall time of one piece of work, and the median of repeated samples: the
// benchmarks report medians, as the machine is shared.
inline double Milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

inline double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}
