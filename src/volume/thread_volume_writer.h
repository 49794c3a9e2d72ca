// TThreadVolumeWriter: the background worker that computes a volume diagram, one channel
// after the other or both at once, while the window stays usable. Standard C++ threads and
// the platform's MainThread only.
//
// The worker never waits for the main thread: after each chunk of samples it publishes the
// columns completed (see TVolumeArray) and posts a progress notification unless one is
// still pending; when it ends by itself it posts its end notification. So the main thread
// may always stop it and wait for it (Stop) without a deadlock, and after Stop returns none
// of its notifications runs any more: an old worker can never touch a newer one's state.
//
// Start, Stop and destruction belong to the main thread; the handlers run there.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/main_thread.h"
#include "volume/resonator_bank.h"
#include "volume/volume_array.h"

namespace kalvora {

class TThreadVolumeWriter {
  public:
    // One channel to analyse: its samples (at least one) and the array to fill. Both must
    // stay unchanged and alive until the worker has ended or has been stopped.
    struct Channel {
        const std::int16_t* samples = nullptr;
        std::int32_t count = 0;
        TVolumeArray* array = nullptr;
    };
    struct Handlers {
        std::function<void()> progress;  // new columns may be complete
        std::function<void()> ended;     // the worker has finished by itself
    };

    // Created suspended: nothing runs before Start. tuning is the worker's own copy of the
    // settings. With channelsInParallel each channel has its own thread (the results are
    // the same); otherwise the channels are analysed one after the other.
    TThreadVolumeWriter(platform::MainThread& mainThread, const TResonatorTuning& tuning,
                        std::vector<Channel> channels, bool channelsInParallel, Handlers handlers);
    // Stops and waits.
    ~TThreadVolumeWriter();
    TThreadVolumeWriter(const TThreadVolumeWriter&) = delete;
    TThreadVolumeWriter& operator=(const TThreadVolumeWriter&) = delete;

    void Start();
    // Asks the worker to stop (noticed within one chunk of samples) and waits until it has
    // ended. Afterwards no handler of this worker runs.
    void Stop();

  private:
    // What the worker shares with the notifications it posts; outlives the worker object.
    struct Link {
        Handlers handlers;
        bool detached = false;  // main thread only: set by Stop
        std::atomic<bool> progressPending{false};
        std::atomic<int> runningThreads{0};
    };

    void Body(std::size_t firstChannel, std::size_t endChannel);
    void Analyse(const Channel& channel);
    void NotifyProgress();
    void NotifyEnd();

    platform::MainThread& mainThread_;
    TResonatorTuning tuning_;
    std::vector<Channel> channels_;
    bool channelsInParallel_;
    std::shared_ptr<Link> link_;
    std::atomic<bool> stopRequested_{false};
    std::vector<std::thread> threads_;
};

}  // namespace kalvora
