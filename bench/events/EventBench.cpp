// Cost of delivering one event through the bus to 10 consumers, against the floor of a
// plain loop calling the same 10 handlers from a std::vector; and the cost of building
// and destroying a consumer (ID, hash table entry, bus unsubscription) against a plain
// object of the same shape. Ratios are printed at the end of the run.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "bench/support/RatioReporter.h"

namespace {

constexpr int kConsumers = 10;
constexpr int kBenchType = 6;

class CountingConsumer : public EVT::I_EventConsumer {
public:
    void handleEvent(EVT::I_Event* event) override {
        total += static_cast<EVT::Event_Update*>(event)->elapsed;
    }
    float total = 0.0f;
};

// The same handler without the consumer base, for the floor of the construction test.
class PlainHandler {
public:
    virtual ~PlainHandler() = default;
    virtual void handleEvent(EVT::I_Event* event) {
        total += static_cast<EVT::Event_Update*>(event)->elapsed;
    }
    float total = 0.0f;
};

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

void BM_PlainLoopOverHandlers(benchmark::State& state) {
    std::vector<std::unique_ptr<CountingConsumer>> owned;
    std::vector<EVT::I_EventConsumer*> handlers;
    for (int i = 0; i < kConsumers; ++i) {
        owned.push_back(std::make_unique<CountingConsumer>());
        handlers.push_back(owned.back().get());
    }
    EVT::Event_Update event(16.0f);
    for (auto _ : state) {
        for (EVT::I_EventConsumer* handler : handlers) {
            handler->handleEvent(&event);
        }
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(owned.front()->total);
}
BENCHMARK(BM_PlainLoopOverHandlers);

void BM_BusRaiseToTenConsumers(benchmark::State& state) {
    std::vector<std::unique_ptr<CountingConsumer>> consumers;
    for (int i = 0; i < kConsumers; ++i) {
        consumers.push_back(std::make_unique<CountingConsumer>());
        bus().addConsumer(kBenchType, consumers.back().get());
    }
    EVT::Event_Update event(16.0f);
    for (auto _ : state) {
        bus().raiseEvent(&event, false);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(consumers.front()->total);
}
BENCHMARK(BM_BusRaiseToTenConsumers);

// A handler that queues a copy of the event for one of the ten: the clone, the queue
// swap and the second delivery.
void BM_BusRaiseWithOneQueuedFollowUp(benchmark::State& state) {
    constexpr int kFollowUpType = 1000;
    struct Forwarder : EVT::I_EventConsumer {
        void handleEvent(EVT::I_Event* event) override {
            if (event->type == kBenchType) {
                EVT::Event_Update followUp(static_cast<EVT::Event_Update*>(event)->elapsed);
                followUp.type = kFollowUpType;
                Util::Singleton<EVT::EventBus>::instance().raiseEvent(&followUp, true);
            }
        }
    } forwarder;
    std::vector<std::unique_ptr<CountingConsumer>> consumers;
    bus().addConsumer(kBenchType, &forwarder);
    for (int i = 1; i < kConsumers; ++i) {
        consumers.push_back(std::make_unique<CountingConsumer>());
        bus().addConsumer(kBenchType, consumers.back().get());
    }
    bus().addConsumer(kFollowUpType, consumers.front().get());
    EVT::Event_Update event(16.0f);
    for (auto _ : state) {
        bus().raiseEvent(&event, false);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(consumers.front()->total);
}
BENCHMARK(BM_BusRaiseWithOneQueuedFollowUp);

void BM_PlainObjectNewDelete(benchmark::State& state) {
    for (auto _ : state) {
        auto* handler = new PlainHandler;
        benchmark::DoNotOptimize(handler);
        delete handler;
    }
}
BENCHMARK(BM_PlainObjectNewDelete);

// With ten live consumers subscribed to one type, as in the raise benchmarks.
void BM_ConsumerBuildSubscribeDestroy(benchmark::State& state) {
    std::vector<std::unique_ptr<CountingConsumer>> others;
    for (int i = 0; i < kConsumers; ++i) {
        others.push_back(std::make_unique<CountingConsumer>());
        bus().addConsumer(kBenchType, others.back().get());
    }
    for (auto _ : state) {
        auto* consumer = new CountingConsumer;
        bus().addConsumer(kBenchType, consumer);
        delete consumer;
    }
}
BENCHMARK(BM_ConsumerBuildSubscribeDestroy);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Bench::RatioReporter reporter(Bench::RatioReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // CPU time, since wall time on a shared machine is noise.
    const auto cpu = Bench::RatioReporter::kCpuTime;
    reporter.printRatio("bus raise to 10 consumers vs plain loop", cpu, "BM_BusRaiseToTenConsumers",
                        "BM_PlainLoopOverHandlers");
    reporter.printRatio("raise with a queued follow-up vs plain loop", cpu,
                        "BM_BusRaiseWithOneQueuedFollowUp", "BM_PlainLoopOverHandlers");
    reporter.printRatio("consumer build+subscribe+destroy vs new/delete", cpu,
                        "BM_ConsumerBuildSubscribeDestroy", "BM_PlainObjectNewDelete");
    benchmark::Shutdown();
    return 0;
}
