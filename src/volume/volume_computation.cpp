#include "volume/volume_computation.h"

#include <algorithm>
#include <thread>
#include <utility>
#include <vector>

#include "platform/assertion.h"

namespace kalvora {

TVolumeComputation::TVolumeComputation(platform::MainThread& mainThread, ColumnsHandler onColumns)
    : mainThread_(mainThread),
      onColumns_(std::move(onColumns)),
      channelsInParallel_(std::thread::hardware_concurrency() > 1) {}

TVolumeComputation::~TVolumeComputation() {
    Stop();
}

std::optional<std::string> TVolumeComputation::Restart(const Sound& sound,
                                                       const TVoldViewProps& settings) {
    KALVORA_ASSERT(!inHandler_);
    Stop();
    const std::int32_t n = sound.GetValues();
    if (n == 0) return std::nullopt;
    // The old arrays go only now, after their worker has ended.
    single_.reset();
    left_.reset();
    right_.reset();
    moSt_ = sound.MoSt;
    if (auto problem = VolumeResolutionProblem(settings.XResolution, settings.YResolution)) {
        return problem;
    }
    std::vector<TThreadVolumeWriter::Channel> channels;
    const auto make = [&](std::unique_ptr<TVolumeArray>& array, const Wave& wave) {
        array = TVolumeArray::Create(settings.XResolution, settings.YResolution);
        channels.push_back({wave.wave, wave.values, array.get()});
        return array != nullptr;
    };
    const bool allocated =
        sound.MoSt == 1 ? make(single_, sound.GetLeftWave())
                        : make(left_, sound.GetLeftWave()) && make(right_, sound.GetRightWave());
    if (!allocated) {
        single_.reset();
        left_.reset();
        right_.reset();
        return std::string("Not enough memory for the volume diagram.");
    }
    const std::uint64_t serial = ++serial_;
    TThreadVolumeWriter::Handlers handlers;
    handlers.progress = [this] { DrawNewColumns(); };
    handlers.ended = [this, serial] { WorkerEnded(serial); };
    worker_ = std::make_unique<TThreadVolumeWriter>(
        mainThread_, TResonatorTuning::From(settings, sound.Freq), std::move(channels),
        channelsInParallel_, std::move(handlers));
    worker_->Start();
    return std::nullopt;
}

void TVolumeComputation::Stop() {
    KALVORA_ASSERT(!inHandler_);
    if (worker_) {
        worker_->Stop();
        worker_.reset();
    }
}

TVolumeArrays TVolumeComputation::Arrays() const {
    return TVolumeArrays{moSt_, single_.get(), left_.get(), right_.get()};
}

void TVolumeComputation::DrawNewColumns() {
    DrawNewColumns(single_.get(), 0);
    DrawNewColumns(left_.get(), 0);
    DrawNewColumns(right_.get(), 1);
}

void TVolumeComputation::DrawNewColumns(TVolumeArray* array, int channel) {
    if (array == nullptr) return;
    const std::int32_t filled = array->GetFilled();
    std::int32_t from = array->GetDrawn();
    std::int32_t to = filled;
    if (to <= from) return;
    const std::int32_t width = array->GetWidth();
    if (to > width) {
        // The last column was written once more, onto the last column: draw that again.
        from = std::min(from, width - 1);
        to = width;
    }
    array->SetDrawn(filled);
    if (!onColumns_) return;
    inHandler_ = true;
    onColumns_(channel, from, to);
    inHandler_ = false;
}

void TVolumeComputation::WorkerEnded(std::uint64_t serial) {
    if (serial != serial_ || !worker_) return;
    worker_->Stop();  // joins a thread that has already finished its work
    worker_.reset();
    if (!onEnded_) return;
    inHandler_ = true;
    onEnded_();
    inHandler_ = false;
}

}  // namespace kalvora
