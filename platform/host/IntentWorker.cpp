#include "platform/host/IntentWorker.h"

#include <glib.h>

namespace tandry {
namespace {

constexpr int workerThreads = 4;

} // namespace

IntentWorker::IntentWorker(IntentServices services)
    : services_(services),
      pool_(g_thread_pool_new(&IntentWorker::run, this, workerThreads, FALSE, nullptr)) {}

IntentWorker::~IntentWorker() {
    g_thread_pool_free(pool_, FALSE, TRUE);
}

void IntentWorker::perform(TickReadyTaskIntent intent) {
    g_thread_pool_push(pool_, new TickReadyTaskIntent(std::move(intent)), nullptr);
}

void IntentWorker::run(void* intent, void* worker) {
    const auto* tick = static_cast<TickReadyTaskIntent*>(intent);
    tick->perform(static_cast<IntentWorker*>(worker)->services_);
    delete tick;
}

} // namespace tandry
