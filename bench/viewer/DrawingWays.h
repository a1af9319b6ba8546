// What the drawing benchmarks share: the four ways of drawing they compare in one run (the old path,
// model corner by corner and text through the glyph lists, or the new one from vertex arrays, each
// with back-face culling off or on), their clocks and their medians.
#pragma once

#include "models/MD2Model.h"
#include "text/Font.h"

#include <algorithm>
#include <ctime>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define KORVEL_CALLGRIND 1
#endif

namespace bench {

struct Way {
    const char* name;
    bool old;
    bool cull;
};

inline const Way kWays[] = {
    {"old", true, false}, {"new", false, false}, {"old+cull", true, true}, {"new+cull", false, true}};
inline const int kWayCount = 4;

// Milliseconds per frame: wall-clock time, and the CPU time of all the process's threads (the
// rasterizer's included), which other programs on the machine disturb less.
struct Samples {
    std::vector<double> wall;
    std::vector<double> cpu;
};

inline double NowMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Switches the engine's drawing paths to the way's; culling is the models' own switch.
inline void UseDrawing(const Way& way) {
    CMD2Model::SetImmediateMode(way.old);
    CFont::SetListPrinting(way.old);
}

// Runs draw, which draws `frames` frames, and adds its milliseconds per frame to the samples.
template <typename Draw> void Measure(int frames, Samples& samples, Draw draw) {
    const double wall = NowMs(CLOCK_MONOTONIC);
    const double cpu = NowMs(CLOCK_PROCESS_CPUTIME_ID);
    draw();
    samples.wall.push_back((NowMs(CLOCK_MONOTONIC) - wall) / frames);
    samples.cpu.push_back((NowMs(CLOCK_PROCESS_CPUTIME_ID) - cpu) / frames);
}

// Under valgrind's callgrind, ends a cost dump named label: the instructions every thread ran since
// the last mark, a count the other programs on the machine cannot disturb. Nothing otherwise.
inline void MarkInstructions(const char* label) {
#ifdef KORVEL_CALLGRIND
    if (RUNNING_ON_VALGRIND) {
        CALLGRIND_DUMP_STATS_AT(label);
    }
#else
    (void)label;
#endif
}

} // namespace bench
