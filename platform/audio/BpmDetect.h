#pragma once
// Beats per minute of a range of a decoding channel, by SoundTouch's beat
// detection, folded into a BPM range.
#include "platform/audio/BassFx.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace audio {

class Channel;

struct BpmRequest {
    double startSec = 0;
    double endSec = 0;
    DWORD minMaxBpm = 0;  // low word lowest, high word highest; 0 = the defaults
    DWORD flags = 0;
    BPMPROC progress = nullptr;
    void* user = nullptr;
    const std::atomic<bool>* cancel = nullptr;  // set: stop early, the result is 0
};

// The BPM, or 0; `error` gets a BASS_ERROR_... code (BASS_OK also when nothing was found).
float detectBpm(Channel& channel, const BpmRequest& request, int& error);

// Folds a detected BPM into [low, high]: by doubling and halving with
// BASS_FX_BPM_MULT2, otherwise a value outside is dropped (0).
float foldBpm(float bpm, DWORD minMaxBpm, DWORD flags);

// Detections handed to worker threads (BASS_FX_BPM_BKGRND), by the handle of
// the stream they measure. The stream belongs to its detection, which ends
// it; the result waits under the handle until it is asked for or freed.
class BpmJobs {
public:
    static BpmJobs& instance();
    ~BpmJobs();

    void start(DWORD handle, std::shared_ptr<Channel> channel, const BpmRequest& request);
    // The result of the handle's detection, waiting for it to end; false when
    // the handle has none. The detection is forgotten once it has answered.
    bool take(DWORD handle, float& bpm, int& error);
    // Stops the handle's detection and forgets it; false when it has none.
    bool cancel(DWORD handle);

private:
    struct Job {
        std::thread thread;
        std::atomic<bool> cancel{false};
        bool finished = false;
        float bpm = 0;
        int error = 0;
    };
    BpmJobs() = default;
    // Joins the threads of jobs that have been forgotten. Unlocked.
    void reap();

    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::map<DWORD, std::shared_ptr<Job>> m_jobs;
    std::vector<std::shared_ptr<Job>> m_forgotten;
};

} // namespace audio
