// Decoding, loading and overlay costs of the shared store, each beside the
// floor it cannot beat (copying the bytes, the bare system calls, the bare parse).

#include "widget/store/PendingQueue.h"
#include "widget/store/SnapshotCodec.h"
#include "widget/timeline/SnapshotLoader.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <simdjson.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandry {
namespace {

std::string snapshotDocument(int taskCount) {
    std::string tasks;
    for (int i = 0; i < taskCount; ++i) {
        auto id = uuidText(Uuid::random());
        auto due = i % 2 == 0 ? fmt::format(R"("dueDate":"2026-12-{:02}T17:00:00Z",)", 1 + i % 28)
                              : std::string();
        tasks += fmt::format(
            R"({}{{"id":"{}","title":"Task number {} with a title of usual length","flowName":"Flow {}",{}"isOverdue":{},"isToday":{},"priorityRaw":"none"}})",
            i == 0 ? "" : ",", id, i, i % 7, due, i % 3 == 0 ? "true" : "false",
            i % 5 == 0 ? "true" : "false");
    }
    return fmt::format(
        R"({{"validUntil":"2026-12-05T18:00:00Z","total":{},"tasks":[{}],"paletteRaw":"green"}})",
        taskCount, tasks);
}

void decodeSnapshotOf(benchmark::State& state) {
    simdjson::padded_string bytes(snapshotDocument(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        auto snapshot = decodeSnapshot(bytes);
        benchmark::DoNotOptimize(snapshot);
        if (!snapshot) {
            state.SkipWithError(snapshot.error().message.c_str());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(decodeSnapshotOf)->Name("Decode/tasks")->Arg(2)->Arg(100)->Arg(1000)->Arg(10000);

// The streaming writer over a decoded snapshot, beside copying its text.
void encodeSnapshotOf(benchmark::State& state) {
    const auto snapshot = decodeSnapshot(snapshotDocument(static_cast<int>(state.range(0))));
    if (!snapshot) {
        state.SkipWithError(snapshot.error().message.c_str());
        return;
    }
    std::size_t written = 0;
    for (auto _ : state) {
        auto text = encodeSnapshot(*snapshot);
        written = text ? text->size() : 0;
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
}
BENCHMARK(encodeSnapshotOf)->Name("Encode/tasks")->Arg(2)->Arg(100)->Arg(1000)->Arg(10000);

void copyBytesOf(benchmark::State& state) {
    auto text = snapshotDocument(static_cast<int>(state.range(0)));
    std::string target(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), text.data(), text.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(copyBytesOf)->Name("Floor/CopyBytes/tasks")->Arg(2)->Arg(100)->Arg(1000)->Arg(10000);

void bareParseOf(benchmark::State& state) {
    simdjson::padded_string text(snapshotDocument(static_cast<int>(state.range(0))));
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        benchmark::DoNotOptimize(parser.parse(text).get(root));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(bareParseOf)->Name("Floor/BareParse/tasks")->Arg(2)->Arg(100)->Arg(1000)->Arg(10000);

constexpr const char* workedExample =
    R"({"validUntil":"2026-12-05T18:00:00Z","total":5,"tasks":[{"id":"0D5A2C64-7E1B-4F3A-9C11-2B6E8D4F7A90","title":"Send the invoice","flowName":"Finance","dueDate":"2026-12-04T17:00:00Z","isOverdue":true,"isToday":false,"priorityRaw":"none"},{"id":"9B3E7F21-C8D4-4A6B-8E05-71F2A3C9D6E4","title":"Water the plants","flowName":"Home","isOverdue":false,"isToday":true,"priorityRaw":"none"}],"paletteRaw":"green"})";

// A container with the worked example and `records` parked ticks.
class ContainerFixture {
public:
    explicit ContainerFixture(int records) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tandry-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        std::ofstream(path_ / "ready-snapshot.json") << workedExample;
        for (int i = 0; i < records; ++i) {
            PendingCompletion completion{Uuid::random(), Uuid::random(),
                                         *parseDateText("2026-12-05T09:15:42Z")};
            if (!parkPendingCompletion(completion, path_)) {
                std::abort();
            }
        }
    }
    ~ContainerFixture() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& path() const { return path_; }

    std::vector<std::filesystem::path> files() const {
        std::vector<std::filesystem::path> result{path_ / "ready-snapshot.json"};
        if (std::filesystem::exists(path_ / "pending-completions")) {
            for (const auto& entry :
                 std::filesystem::directory_iterator(path_ / "pending-completions")) {
                result.push_back(entry.path());
            }
        }
        return result;
    }

private:
    std::filesystem::path path_;
};

void loadEntryWith(benchmark::State& state) {
    ContainerFixture container(static_cast<int>(state.range(0)));
    auto now = *parseDateText("2026-12-05T09:00:00Z");
    for (auto _ : state) {
        auto entry = loadEntry(now, container.path());
        benchmark::DoNotOptimize(entry);
    }
    state.counters["files"] = static_cast<double>(container.files().size());
}
BENCHMARK(loadEntryWith)
    ->Name("LoadEntry/queued")
    ->Arg(0)
    ->Arg(10)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

// The queue read again by a long-running reader that remembers what it
// decoded, with no record changed since its first read.
void loadQueueRemembering(benchmark::State& state) {
    ContainerFixture container(static_cast<int>(state.range(0)));
    DecodedRecords decoded;
    loadPendingCompletions(container.path(), &decoded);
    for (auto _ : state) {
        auto queue = loadPendingCompletions(container.path(), &decoded);
        benchmark::DoNotOptimize(queue);
    }
}
BENCHMARK(loadQueueRemembering)
    ->Name("LoadQueue/remembering/queued")
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

void loadQueue(benchmark::State& state) {
    ContainerFixture container(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto queue = loadPendingCompletions(container.path(), nullptr);
        benchmark::DoNotOptimize(queue);
    }
}
BENCHMARK(loadQueue)->Name("LoadQueue/queued")->Arg(1000)->Unit(benchmark::kMicrosecond);

// What no loader can avoid: open, fstat, read and close each file, and parse its bytes.
void systemCallFloor(benchmark::State& state) {
    ContainerFixture container(static_cast<int>(state.range(0)));
    auto files = container.files();
    simdjson::ondemand::parser parser;
    char buffer[4096 + simdjson::SIMDJSON_PADDING];
    for (auto _ : state) {
        for (const auto& file : files) {
            int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat status {};
            ::fstat(descriptor, &status);
            ssize_t got = ::read(descriptor, buffer, sizeof buffer - simdjson::SIMDJSON_PADDING);
            ::close(descriptor);
            if (state.range(1) == 1) {
                simdjson::dom::parser domParser;
                simdjson::ondemand::document document;
                benchmark::DoNotOptimize(
                    parser.iterate(buffer, static_cast<std::size_t>(got), sizeof buffer)
                        .get(document));
                std::string_view raw;
                benchmark::DoNotOptimize(document.raw_json().get(raw));
            }
            benchmark::DoNotOptimize(got);
        }
    }
}
BENCHMARK(systemCallFloor)
    ->Name("Floor/OpenFstatReadClose+Parse/queued")
    ->Args({0, 1})
    ->Args({10, 1})
    ->Args({1000, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(systemCallFloor)
    ->Name("Floor/OpenFstatReadClose/queued")
    ->Args({10, 0})
    ->Args({1000, 0})
    ->Unit(benchmark::kMicrosecond);

void applyingPendingOver(benchmark::State& state) {
    auto snapshot = *decodeSnapshot(snapshotDocument(static_cast<int>(state.range(0))));
    std::vector<PendingCompletion> pending;
    for (int i = 0; i < state.range(1); ++i) {
        // Every second record matches an item; the others name tasks long gone.
        Uuid task = i % 2 == 0
                        ? snapshot.tasks[static_cast<std::size_t>(i * 7) % snapshot.tasks.size()].id
                        : Uuid::random();
        pending.push_back({Uuid::random(), task, Instant{}});
    }
    for (auto _ : state) {
        auto applied = snapshot.applyingPending(pending);
        benchmark::DoNotOptimize(applied);
    }
}
BENCHMARK(applyingPendingOver)
    ->Name("ApplyingPending/items/records")
    ->Args({10000, 1000})
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tandry

BENCHMARK_MAIN();
