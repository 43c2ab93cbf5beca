// Coverage for clang's libFuzzer in a GCC build (fuzz/libfuzzer-gcc.sh). GCC's
// -fsanitize-coverage=trace-pc calls __sanitizer_cov_trace_pc at every basic block; this counts
// each (previous block, block) pair in a table that libFuzzer reads as its extra counters, so a
// GCC-only target can be fuzzed in process, with the sanitizers, as clang's own coverage would
// let it. libFuzzer's own handlers of -fsanitize-coverage=trace-cmp take the comparisons; the weak
// ones here only let the build's other programs (which libFuzzer is not linked into) link.
#include <cstdint>

extern "C" {

__attribute__((section("__libfuzzer_extra_counters"), used)) std::uint8_t lexiv_edge_counters[1 << 16];

namespace {
thread_local std::uintptr_t previousBlock = 0;
}

__attribute__((no_sanitize_coverage, no_sanitize_address, no_sanitize_undefined)) void __sanitizer_cov_trace_pc() {
  auto block = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
  std::uintptr_t edge = (block ^ previousBlock) & 0xFFFF;
  previousBlock = block >> 1;  // so that A->B and B->A, and A->A, count apart
  ++lexiv_edge_counters[edge];
}

#define LEXIV_WEAK_CMP(name, type) \
  __attribute__((weak, no_sanitize_coverage)) void name(type, type) {}
LEXIV_WEAK_CMP(__sanitizer_cov_trace_cmp1, std::uint8_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_cmp2, std::uint16_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_cmp4, std::uint32_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_cmp8, std::uint64_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_const_cmp1, std::uint8_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_const_cmp2, std::uint16_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_const_cmp4, std::uint32_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_const_cmp8, std::uint64_t)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_cmpf, float)
LEXIV_WEAK_CMP(__sanitizer_cov_trace_cmpd, double)
#undef LEXIV_WEAK_CMP
__attribute__((weak, no_sanitize_coverage)) void __sanitizer_cov_trace_switch(std::uint64_t, std::uint64_t*) {}

}  // extern "C"
