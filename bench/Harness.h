#pragma once
// Timing helpers: medians of repeated runs, plain-SQL floors, the result table.

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

struct BenchResult {
    QString name;
    double medianMs = 0;
    std::optional<double> floorMs;
    double targetMs = 30;
    QString note;
};

/// The message of the last operation that threw; empty when none did.
QString& lastFailure();

/// Milliseconds one call of f takes.
inline double einmalMs(const std::function<void()>& f) {
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

/// Median of the timings in t (sorted in place); t holds at least one.
inline double median(std::vector<double>& t) {
    std::sort(t.begin(), t.end());
    return t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
}

/// Median of runs timings of op; setup (and teardown) run outside the timed region.
/// An operation that throws ends the measurement with -1 and sets lastFailure().
inline double medianMs(int runs, const std::function<void()>& setup,
                       const std::function<void()>& op,
                       const std::function<void()>& teardown = {}) {
    std::vector<double> t;
    t.reserve(runs);
    try {
        for (int i = 0; i < runs; ++i) {
            if (setup) setup();
            t.push_back(einmalMs(op));
            if (teardown) teardown();
        }
    } catch (const std::exception& e) {
        lastFailure() = QString::fromUtf8(e.what());
        return -1;
    }
    return median(t);
}

/// Medians of an operation and of its floor, timed in turns (the order
/// swapped every round): a short operation measured in one block and its
/// floor in a later one see different moments of a shared machine, and
/// their ratio then says more about the machine than about the code.
/// A throw ends the measurement with -1 for both.
struct Gepaart {
    double medianMs = -1;
    double floorMs = -1;
};
inline Gepaart gepaartMs(int runs, const std::function<void()>& op,
                         const std::function<void()>& floor) {
    std::vector<double> a, b;
    a.reserve(runs);
    b.reserve(runs);
    try {
        for (int i = 0; i < runs; ++i) {
            if (i % 2 == 0) {
                a.push_back(einmalMs(op));
                b.push_back(einmalMs(floor));
            } else {
                b.push_back(einmalMs(floor));
                a.push_back(einmalMs(op));
            }
        }
    } catch (const std::exception& e) {
        lastFailure() = QString::fromUtf8(e.what());
        return {};
    }
    return {median(a), median(b)};
}

/// Peak resident set size of this process in MB.
double peakRssMb();

void printTable(const QList<BenchResult>& results, double rssMb, double rssTargetMb);
void printJson(const QList<BenchResult>& results, double rssMb);
