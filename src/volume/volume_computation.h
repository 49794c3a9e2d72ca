// TVolumeComputation: what a wave window's view group keeps for its volume diagram: the
// result arrays (one for a mono sound, left and right for a stereo sound) and the worker
// that fills them. It restarts and stops the worker in the safe order (stop and wait, then
// replace the arrays, then start anew) and turns the worker's progress into "these columns
// of this channel are new" for the views to repaint. Standard C++ and the platform only;
// everything here runs on the main thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/main_thread.h"
#include "sound/sound.h"
#include "volume/thread_volume_writer.h"
#include "volume/vold_view_props.h"
#include "volume/volume_array.h"
#include "volume/volume_painter.h"

namespace kalvora {

class TVolumeComputation {
  public:
    // channel: 0 for the mono or the left array, 1 for the right array; the columns
    // [from, to) of that array are complete and not yet drawn. The handler repaints them;
    // it must not restart or stop the computation.
    using ColumnsHandler = std::function<void(int channel, std::int32_t from, std::int32_t to)>;

    TVolumeComputation(platform::MainThread& mainThread, ColumnsHandler onColumns);
    // Stops the worker and waits for it.
    ~TVolumeComputation();
    TVolumeComputation(const TVolumeComputation&) = delete;
    TVolumeComputation& operator=(const TVolumeComputation&) = delete;

    // Computes the diagram of sound anew with settings: stops a running worker and waits
    // for it, replaces the arrays by new ones of the settings' resolution and starts a new
    // worker. The sound must stay unchanged and alive until Stop or the next Restart. A
    // sound without samples only stops the worker (the arrays stay). When the resolution
    // cannot be computed, or the arrays cannot be allocated, the arrays are dropped and the
    // result is the problem in words.
    std::optional<std::string> Restart(const Sound& sound, const TVoldViewProps& settings);
    // Stops a running worker and waits for it: before the sound changes or is destroyed,
    // and before the window closes. The arrays stay as far as they were filled.
    void Stop();
    bool Running() const { return worker_ != nullptr; }

    // Called on the main thread when a worker has filled its arrays and ended by itself (not
    // when it was stopped). The handler must not restart or stop the computation.
    void SetEndedHandler(std::function<void()> onEnded) { onEnded_ = std::move(onEnded); }

    // Stereo channels on two threads at once (the default where there are two cores).
    void SetChannelsInParallel(bool parallel) { channelsInParallel_ = parallel; }

    const TVolumeArray* VolumeArraySingle() const { return single_.get(); }
    const TVolumeArray* VolumeArrayLeft() const { return left_.get(); }
    const TVolumeArray* VolumeArrayRight() const { return right_.get(); }
    // The arrays as DrawVolume takes them.
    TVolumeArrays Arrays() const;

  private:
    void DrawNewColumns();
    void DrawNewColumns(TVolumeArray* array, int channel);
    void WorkerEnded(std::uint64_t serial);

    platform::MainThread& mainThread_;
    ColumnsHandler onColumns_;
    std::function<void()> onEnded_;
    bool channelsInParallel_;
    std::int16_t moSt_ = 1;
    std::unique_ptr<TVolumeArray> single_, left_, right_;
    std::unique_ptr<TThreadVolumeWriter> worker_;
    std::uint64_t serial_ = 0;  // of the current worker; an older one's end is ignored
    bool inHandler_ = false;
};

}  // namespace kalvora
