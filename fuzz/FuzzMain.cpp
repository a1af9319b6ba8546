// One libFuzzer program per loader; KORVEL_FUZZ_TARGET names which.
#include "support/FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

namespace {

korvel::fuzz::Feed feed = nullptr;

} // namespace

// An allocation no allocator can serve (SDL asks calloc for a negative int's worth of bytes for a BMP
// header of absurd dimensions) returns null, as it does in a plain build, where SDL and the loaders
// report it; by default AddressSanitizer would abort instead.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const korvel::fuzz::Target* target = korvel::fuzz::FindTarget(KORVEL_FUZZ_TARGET);
    if (!target) {
        std::fprintf(stderr, "no fuzz target named %s\n", KORVEL_FUZZ_TARGET);
        std::exit(1);
    }
    feed = target->feed;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    feed(data, size);
    return 0;
}
