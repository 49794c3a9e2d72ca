#include "volume/thread_volume_writer.h"

#include <system_error>
#include <utility>

#include "platform/assertion.h"
#include "volume/volume_analysis.h"

namespace kalvora {

TThreadVolumeWriter::TThreadVolumeWriter(platform::MainThread& mainThread,
                                         const TResonatorTuning& tuning,
                                         std::vector<Channel> channels, bool channelsInParallel,
                                         Handlers handlers)
    : mainThread_(mainThread),
      tuning_(tuning),
      channels_(std::move(channels)),
      channelsInParallel_(channelsInParallel && channels_.size() > 1),
      link_(std::make_shared<Link>()) {
    link_->handlers = std::move(handlers);
    for (const Channel& channel : channels_) {
        KALVORA_ASSERT(channel.samples != nullptr && channel.count >= 1 &&
                       channel.array != nullptr);
    }
}

TThreadVolumeWriter::~TThreadVolumeWriter() {
    Stop();
}

void TThreadVolumeWriter::Start() {
    KALVORA_ASSERT(threads_.empty());
    const std::size_t threads = channelsInParallel_ ? channels_.size() : 1;
    link_->runningThreads = static_cast<int>(threads);
    for (std::size_t t = 0; t < threads; ++t) {
        const std::size_t first = channelsInParallel_ ? t : 0;
        const std::size_t end = channelsInParallel_ ? t + 1 : channels_.size();
        try {
            threads_.emplace_back([this, first, end] { Body(first, end); });
        } catch (const std::system_error&) {
            // No thread to be had: this share of the diagram stays empty, and the end is
            // reported as if the thread had run.
            NotifyEnd();
        }
    }
}

void TThreadVolumeWriter::Stop() {
    stopRequested_ = true;
    for (std::thread& thread : threads_) {
        if (thread.joinable()) thread.join();
    }
    link_->detached = true;
}

void TThreadVolumeWriter::Body(std::size_t firstChannel, std::size_t endChannel) {
    for (std::size_t c = firstChannel; c < endChannel; ++c) {
        try {
            Analyse(channels_[c]);
        } catch (...) {
            // The diagram stays as far as it was filled; nobody is told.
            break;
        }
    }
    NotifyEnd();
}

void TThreadVolumeWriter::Analyse(const Channel& channel) {
    if (stopRequested_) return;
    TVolumeAnalysis analysis(tuning_, channel.samples, channel.count, *channel.array);
    while (!analysis.Finished() && !stopRequested_) {
        analysis.ProcessChunk();
        NotifyProgress();
    }
}

void TThreadVolumeWriter::NotifyProgress() {
    // One notification at a time: the main thread draws everything complete when it comes
    // to it. Cleared before the handler runs, so that no column is left out.
    if (link_->progressPending.exchange(true)) return;
    mainThread_.Post([link = link_] {
        link->progressPending = false;
        if (!link->detached && link->handlers.progress) link->handlers.progress();
    });
}

void TThreadVolumeWriter::NotifyEnd() {
    if (--link_->runningThreads > 0) return;
    mainThread_.Post([link = link_] {
        if (link->detached) return;
        if (link->handlers.progress) link->handlers.progress();
        if (link->handlers.ended) link->handlers.ended();
    });
}

}  // namespace kalvora
