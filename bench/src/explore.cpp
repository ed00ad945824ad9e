#include "explore.h"

#include <cstdio>

#include "clock.h"
#include "control_floor.h"
#include "control_probe.h"

namespace bench {
namespace {

struct Named {
    const char* name;
    LoadVariant variant;
};

const Named kVariants[] = {
    {"one EM_STREAMIN, file bytes, URL detection on", {true, false, false, false}},
    {"the same, URL detection off", {false, false, false, false}},
    {"the same, URL detection on, single CR breaks", {true, true, false, false}},
    {"URL detection on, WM_SETREDRAW FALSE", {true, false, true, false}},
    {"URL detection on, EM_SETUNDOLIMIT 0", {true, false, false, true}},
    {"URL detection on, single CR, no redraw, no undo (Quillet's load)", {true, true, true, true}},
    {"URL detection on, single CR, no undo, redraw left on", {true, true, false, true}},
    {"Quillet's load, but scroll bars that come and go with the text", {true, true, true, true, false}},
};

}  // namespace

int Explore(const std::vector<Input>& inputs, const std::string& key, int runs, bool variations) {
    const Input* input = nullptr;
    for (const Input& candidate : inputs) {
        if (candidate.key == key) input = &candidate;
    }
    if (!input) {
        std::fprintf(stderr, "bench: no input named %s\n", key.c_str());
        return 2;
    }
    if (!variations) {
        ProbeTyping(key, input->bytes, 100);
        return 0;
    }
    std::printf("| %s (%zu bytes, %ld lines): load variation | median s | of which after EM_STREAMIN | "
                "lines in the control |\n|---|---|---|---|\n",
                key.c_str(), input->bytes.size(), input->lines);
    for (const Named& named : kVariants) {
        std::vector<double> seconds;
        long lines = 0;
        std::vector<double> after;
        for (int r = 0; r < runs; ++r) {
            const LoadResult result = StreamIntoFreshControl(input->bytes, named.variant);
            seconds.push_back(result.seconds);
            lines = result.lineCount;
            after.push_back(result.afterSeconds);
        }
        std::printf("| %s | %.3f | %.3f | %ld |\n", named.name, Median(seconds), Median(after), lines);
        std::fflush(stdout);
    }
    std::printf("\n");
    ProbeTyping(key, input->bytes, 100);
    return 0;
}

}  // namespace bench
