#pragma once
// A standard MIDI file (also KAR, and the RIFF "RMID" wrapper) read into one
// time-ordered list of events, with every tempo change already applied, so
// that each event has its time in seconds.
#include <cstdint>
#include <string>
#include <vector>

namespace audio {

struct MidiEvent {
    double seconds = 0;
    std::uint8_t status = 0;  // 0x80 to 0xEF, or 0xF0 / 0xF7 for system exclusive
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::string sysex;        // system exclusive bytes after the status byte
};

class MidiFile {
public:
    // No song lasts longer; a file whose events reach beyond is taken as damaged.
    static constexpr double kMaxSeconds = 4 * 3600;

    // Reads the bytes of a file; false when they are not a MIDI file (or a
    // damaged one, longer than kMaxSeconds). A track cut short keeps the
    // events before the cut.
    bool parse(const std::string& bytes);

    // Channel and system exclusive events, in time order (events of one time
    // in track order).
    const std::vector<MidiEvent>& events() const { return m_events; }
    // The time of the last event of any track, end-of-track marks included.
    double lengthSeconds() const { return m_length; }

private:
    std::vector<MidiEvent> m_events;
    double m_length = 0;
};

} // namespace audio
