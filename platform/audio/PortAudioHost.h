#pragma once
// PortAudio itself, shared by the outputs and the recordings: started on
// first use, ended at library shutdown once no stream is open.
#include <mutex>
#include <string>
#include <vector>

namespace audio {

// One device of PortAudio, as the library numbers them (1 and up).
struct PortAudioDeviceInfo {
    int paIndex;
    std::string name;
    std::string driver;
    bool isDefault;
};

class PortAudioHost {
public:
    // Held while PortAudio is called to open or close a stream.
    static std::mutex& mutex();
    // Starts PortAudio and lists its devices; false when it cannot start. Needs mutex().
    static bool startLocked();
    // The devices with outputs and the devices with inputs, in PortAudio's order.
    static const std::vector<PortAudioDeviceInfo>& outputs();
    static const std::vector<PortAudioDeviceInfo>& inputs();
    // Counts the streams open; shutdown() leaves PortAudio running while any is. Need mutex().
    static void streamOpenedLocked();
    static void streamClosedLocked();
    static void shutdown();
};

} // namespace audio
