// Sealing and unsealing throughput: each codec path, the dispatching entry
// points that sealing uses, memcpy of the same bytes (what the memory allows)
// and the literal C library codec (what a byte-by-byte snprintf/sscanf costs).
// After the run a summary gives each figure as a multiple of memcpy and of
// the literal codec.
//
// The codec writes into buffers that are allocated and touched once, before
// any timing: the first touch of a fresh page costs far more than encoding
// the page, and would hide the codec. sealText/unsealText are measured too,
// with their fresh allocations, for what a whole seal costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "hex.h"
#include "literal_codec.h"
#include "seal.h"

using namespace txtseal;

namespace {

constexpr std::uint8_t kSealMask = lowByte(kByteMask);

struct Size {
  const char* name;   // as in benchmark names
  const char* label;  // as in the summary
  std::size_t plainBytes;
};
constexpr Size kSizes[] = {
    {"1KiB", "1 KiB", std::size_t{1} << 10},
    {"1MiB", "1 MiB", std::size_t{1} << 20},
    {"64MiB", "64 MiB", std::size_t{64} << 20},
};
// One byte-by-byte C library call per byte takes seconds at 64 MiB; its rate
// per byte at 1 MiB stands in for it there.
constexpr std::size_t kLiteralUpTo = std::size_t{1} << 20;

// The data of one size: a plain text with no byte that is zero or seals to a
// zero pair, so that unsealing with stopAtZero runs to the end; its hex
// body; and output buffers, all touched before timing starts.
struct Data {
  std::vector<std::uint8_t> plain;
  std::vector<char> hex;
  std::vector<char> hexOut;
  std::vector<std::uint8_t> plainOut;
  std::vector<char> copyOut;
};

Data& dataFor(std::size_t plainBytes) {
  static std::map<std::size_t, std::unique_ptr<Data>> cache;
  auto& slot = cache[plainBytes];
  if (!slot) {
    slot = std::make_unique<Data>();
    Data& d = *slot;
    std::mt19937 rng(7);
    d.plain.resize(plainBytes);
    for (auto& b : d.plain) {
      do b = static_cast<std::uint8_t>(rng());
      while (b == 0);
    }
    d.hex.resize(2 * plainBytes);
    hex::encode(d.plain.data(), plainBytes, kSealMask, d.hex.data());
    // vector's value-initialisation writes every byte: the pages are faulted in.
    d.hexOut.assign(2 * plainBytes, '\0');
    d.plainOut.assign(plainBytes, 0);
    d.copyOut.assign(2 * plainBytes, '\0');
  }
  return *slot;
}

void countBytes(benchmark::State& state, std::size_t perIteration) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(perIteration));
}

void sealWith(benchmark::State& state, hex::EncodeFn encode, std::size_t n) {
  Data& d = dataFor(n);
  for (auto _ : state) {
    encode(d.plain.data(), n, kSealMask, d.hexOut.data());
    benchmark::DoNotOptimize(d.hexOut.data());
    benchmark::ClobberMemory();
  }
  if (std::memcmp(d.hexOut.data(), d.hex.data(), 2 * n) != 0) state.SkipWithError("wrong hex body");
  countBytes(state, n);
}

void unsealWith(benchmark::State& state, hex::DecodeFn decode, std::size_t n) {
  Data& d = dataFor(n);
  std::size_t written = 0;
  for (auto _ : state) {
    written = decode(d.hex.data(), 2 * n, kSealMask, /*stopAtZero=*/true, d.plainOut.data());
    benchmark::DoNotOptimize(written);
    benchmark::ClobberMemory();
  }
  if (written != n || d.plainOut != d.plain) state.SkipWithError("wrong plain bytes");
  countBytes(state, 2 * n);
}

// Copies the bytes that sealing reads (n) or unsealing reads (2 n).
void copyBytes(benchmark::State& state, std::size_t n, std::size_t bytes) {
  Data& d = dataFor(n);
  for (auto _ : state) {
    std::memcpy(d.copyOut.data(), d.hex.data(), bytes);
    benchmark::DoNotOptimize(d.copyOut.data());
    benchmark::ClobberMemory();
  }
  countBytes(state, bytes);
}

void sealWholeText(benchmark::State& state, std::size_t n) {
  const Data& d = dataFor(n);
  const Text plain{std::string_view(reinterpret_cast<const char*>(d.plain.data()), n)};
  const Text key{kDefaultKey};
  for (auto _ : state) {
    Text sealed = sealText(plain, key);
    benchmark::DoNotOptimize(sealed);
  }
  countBytes(state, n);
}

void unsealWholeText(benchmark::State& state, std::size_t n) {
  const Data& d = dataFor(n);
  const Text key{kDefaultKey};
  const Text sealed =
      sealText(Text{std::string_view(reinterpret_cast<const char*>(d.plain.data()), n)}, key);
  std::size_t size = 0;
  for (auto _ : state) {
    Text plain = unsealText(sealed, key);
    size = plain.size();
    benchmark::DoNotOptimize(plain);
  }
  if (size != n) state.SkipWithError("wrong plain text");
  countBytes(state, sealed.size());
}

// Keeps each benchmark's rate for the summary while the console reporter
// prints the usual table. With repetitions, the median stands.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const auto rate = run.counters.find("bytes_per_second");
      if (rate == run.counters.end()) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string name = run.run_name.function_name;
      if (median || !medians_.count(name)) rates_[name] = rate->second.value;
      if (median) medians_[name] = true;
    }
  }

  // Bytes per second of the named benchmark, or 0 when it did not run.
  double rate(const std::string& name) const {
    const auto it = rates_.find(name);
    return it == rates_.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> rates_;
  std::map<std::string, bool> medians_;
};

void printSummary(const SummaryReporter& r) {
  std::printf(
      "\nMB/s are 10^6 bytes per second: plain bytes for seal, hex characters for"
      " unseal.\n");
  std::printf("memcpy copies the same bytes; literal is one snprintf/sscanf per byte or pair.\n");
  std::printf("With repetitions, each figure is the median.\n");
  for (const char* op : {"seal", "unseal"}) {
    for (const Size& size : kSizes) {
      const std::string at = std::string("/") + size.name;
      const double memcpyRate = r.rate(std::string(op) + "/memcpy" + at);
      // Per byte the literal codec runs at one speed at any size that
      // outgrows the cache; 1 MiB stands in for larger sizes.
      const bool literalMeasured = size.plainBytes <= kLiteralUpTo;
      const double literalRate =
          r.rate(std::string(op) + "/literal/" + (literalMeasured ? size.name : "1MiB"));
      const auto reference = [&](const char* name, double rate) {
        if (rate > 0.0)
          std::printf("%-6s %-6s %-8s: %8.0f MB/s\n", op, size.label, name, rate / 1e6);
      };
      reference("memcpy", memcpyRate);
      if (literalMeasured) reference("literal", literalRate);
      std::vector<std::string> variants;
      for (const hex::Path& path : hex::availablePaths()) variants.emplace_back(path.name);
      variants.emplace_back("dispatch");
      for (const std::string& variant : variants) {
        const double rate = r.rate(std::string(op) + "/" + variant + at);
        if (rate == 0.0) continue;
        std::printf("%-6s %-6s %-8s: %8.0f MB/s", op, size.label, variant.c_str(), rate / 1e6);
        if (memcpyRate > 0.0) std::printf(" = %5.2f x memcpy", rate / memcpyRate);
        if (literalRate > 0.0) {
          std::printf(", %6.0f x literal%s", rate / literalRate,
                      literalMeasured ? "" : " (literal's rate at 1 MiB)");
        }
        std::printf("\n");
      }
    }
  }
  for (const char* op : {"sealText", "unsealText"}) {
    const Size& size = kSizes[2];
    const double rate = r.rate(std::string(op) + "/" + size.name);
    const std::string copied = std::string(op) == "sealText" ? "seal" : "unseal";
    const double memcpyRate = r.rate(copied + "/memcpy/" + size.name);
    if (rate == 0.0) continue;
    std::printf("%-10s %s (fresh allocation): %8.0f MB/s", op, size.label, rate / 1e6);
    if (memcpyRate > 0.0) std::printf(" = %5.2f x memcpy into a touched buffer", rate / memcpyRate);
    std::printf("\n");
  }
}

void registerBenchmarks() {
  for (const Size& size : kSizes) {
    const std::size_t n = size.plainBytes;
    const std::string at = std::string("/") + size.name;
    benchmark::RegisterBenchmark(("seal/memcpy" + at).c_str(), copyBytes, n, n)->UseRealTime();
    if (n <= kLiteralUpTo) {
      benchmark::RegisterBenchmark(("seal/literal" + at).c_str(), sealWith, literal::literalEncode,
                                   n)
          ->UseRealTime();
    }
    for (const hex::Path& path : hex::availablePaths()) {
      benchmark::RegisterBenchmark(("seal/" + std::string(path.name) + at).c_str(), sealWith,
                                   path.encode, n)
          ->UseRealTime();
    }
    benchmark::RegisterBenchmark(("seal/dispatch" + at).c_str(), sealWith, hex::encode, n)
        ->UseRealTime();
  }
  for (const Size& size : kSizes) {
    const std::size_t n = size.plainBytes;
    const std::string at = std::string("/") + size.name;
    benchmark::RegisterBenchmark(("unseal/memcpy" + at).c_str(), copyBytes, n, 2 * n)
        ->UseRealTime();
    if (n <= kLiteralUpTo) {
      benchmark::RegisterBenchmark(("unseal/literal" + at).c_str(), unsealWith,
                                   literal::literalDecode, n)
          ->UseRealTime();
    }
    for (const hex::Path& path : hex::availablePaths()) {
      benchmark::RegisterBenchmark(("unseal/" + std::string(path.name) + at).c_str(), unsealWith,
                                   path.decode, n)
          ->UseRealTime();
    }
    benchmark::RegisterBenchmark(("unseal/dispatch" + at).c_str(), unsealWith, hex::decode, n)
        ->UseRealTime();
  }
  const Size& largest = kSizes[2];
  benchmark::RegisterBenchmark((std::string("sealText/") + largest.name).c_str(), sealWholeText,
                               largest.plainBytes)
      ->UseRealTime();
  benchmark::RegisterBenchmark((std::string("unsealText/") + largest.name).c_str(), unsealWholeText,
                               largest.plainBytes)
      ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  registerBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
