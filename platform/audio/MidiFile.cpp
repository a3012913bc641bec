#include "platform/audio/MidiFile.h"

#include <algorithm>

namespace audio {

namespace {

// A byte reader that never reads past its end.
class Reader {
public:
    Reader(const std::string& bytes, size_t from, size_t to) : m_s(bytes), m_pos(from), m_end(std::min(to, bytes.size())) {}

    bool atEnd() const { return m_pos >= m_end; }
    size_t left() const { return m_end - m_pos; }
    size_t pos() const { return m_pos; }

    bool byte(std::uint8_t& v)
    {
        if (m_pos >= m_end)
            return false;
        v = std::uint8_t(m_s[m_pos++]);
        return true;
    }
    bool peek(std::uint8_t& v) const
    {
        if (m_pos >= m_end)
            return false;
        v = std::uint8_t(m_s[m_pos]);
        return true;
    }
    bool be(int bytes, std::uint32_t& v)
    {
        v = 0;
        for (int i = 0; i < bytes; ++i) {
            std::uint8_t b = 0;
            if (!byte(b))
                return false;
            v = (v << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool vlq(std::uint32_t& v)
    {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = 0;
            if (!byte(b))
                return false;
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool take(size_t n, std::string& out)
    {
        if (n > left())
            return false;
        out.assign(m_s, m_pos, n);
        m_pos += n;
        return true;
    }
    bool skip(size_t n)
    {
        if (n > left())
            return false;
        m_pos += n;
        return true;
    }

private:
    const std::string& m_s;
    size_t m_pos;
    size_t m_end;
};

struct RawEvent {
    std::uint64_t tick;
    int track;
    size_t order;
    std::uint32_t tempo;  // microseconds per quarter note; 0 for anything else
    bool isEndMark;
    MidiEvent event;
};

std::uint32_t le32(const std::string& s, size_t at)
{
    return std::uint32_t(std::uint8_t(s[at])) | std::uint32_t(std::uint8_t(s[at + 1])) << 8
         | std::uint32_t(std::uint8_t(s[at + 2])) << 16 | std::uint32_t(std::uint8_t(s[at + 3])) << 24;
}

// Where the MIDI data of an "RMID" RIFF file starts; npos when the bytes are no such file.
size_t rmidData(const std::string& s, size_t& end)
{
    if (s.size() < 12 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "RMID") != 0)
        return std::string::npos;
    size_t at = 12;
    while (at + 8 <= s.size()) {
        const size_t size = le32(s, at + 4);
        if (s.compare(at, 4, "data") == 0) {
            end = std::min(s.size(), at + 8 + size);
            return at + 8;
        }
        at += 8 + size + (size & 1);
    }
    return std::string::npos;
}

void readTrack(Reader r, int track, std::vector<RawEvent>& out)
{
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    size_t order = 0;
    auto add = [&](RawEvent e) {
        e.tick = tick;
        e.track = track;
        e.order = order++;
        out.push_back(std::move(e));
    };
    while (!r.atEnd()) {
        std::uint32_t delta = 0;
        if (!r.vlq(delta))
            return;
        tick += delta;
        std::uint8_t status = 0;
        if (!r.peek(status))
            return;
        if (status & 0x80)
            r.byte(status);
        else if (running)
            status = running;
        else
            return;  // data without a status byte: the rest cannot be read

        if (status == 0xFF) {
            std::uint8_t type = 0;
            std::uint32_t len = 0;
            if (!r.byte(type) || !r.vlq(len))
                return;
            std::string data;
            if (!r.take(len, data))
                return;
            if (type == 0x51 && len == 3) {
                const std::uint32_t us = std::uint32_t(std::uint8_t(data[0])) << 16
                                       | std::uint32_t(std::uint8_t(data[1])) << 8 | std::uint8_t(data[2]);
                if (us > 0)
                    add(RawEvent{0, 0, 0, us, false, {}});
            } else if (type == 0x2F) {
                add(RawEvent{0, 0, 0, 0, true, {}});
                return;
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            std::uint32_t len = 0;
            RawEvent e{0, 0, 0, 0, false, {}};
            if (!r.vlq(len) || !r.take(len, e.event.sysex))
                return;
            e.event.status = status;
            add(std::move(e));
            continue;
        }
        if (status >= 0xF0)
            return;  // system common or real-time bytes do not belong in a file
        running = status;
        RawEvent e{0, 0, 0, 0, false, {}};
        e.event.status = status;
        const std::uint8_t kind = status & 0xF0;
        if (!r.byte(e.event.data1))
            return;
        if (kind != 0xC0 && kind != 0xD0 && !r.byte(e.event.data2))
            return;
        e.event.data1 &= 0x7F;
        e.event.data2 &= 0x7F;
        add(std::move(e));
    }
}

} // namespace

bool MidiFile::parse(const std::string& bytes)
{
    m_events.clear();
    m_length = 0;
    size_t end = bytes.size();
    size_t at = rmidData(bytes, end);
    if (at == std::string::npos)
        at = 0;
    Reader r(bytes, at, end);
    std::string id;
    std::uint32_t headerLen = 0;
    if (!r.take(4, id) || id != "MThd" || !r.be(4, headerLen) || headerLen < 6)
        return false;
    std::uint32_t format = 0, tracks = 0, division = 0;
    if (!r.be(2, format) || !r.be(2, tracks) || !r.be(2, division) || !r.skip(headerLen - 6))
        return false;
    if (format > 2 || division == 0)
        return false;

    double secondsPerTickSmpte = 0;
    if (division & 0x8000) {
        const int fps = -int(std::int8_t(division >> 8));
        const int perFrame = int(division & 0xFF);
        if (fps <= 0 || perFrame == 0)
            return false;
        secondsPerTickSmpte = 1.0 / ((fps == 29 ? 29.97 : double(fps)) * perFrame);
    }

    std::vector<RawEvent> raw;
    int track = 0;
    while (r.left() >= 8 && track < int(tracks)) {
        std::uint32_t len = 0;
        r.take(4, id);
        r.be(4, len);
        const size_t from = r.pos();
        const size_t to = from + std::min<size_t>(len, r.left());
        if (id == "MTrk")
            readTrack(Reader(bytes, from, to), track++, raw);
        r.skip(to - from);
    }
    if (track == 0)
        return false;

    std::stable_sort(raw.begin(), raw.end(), [](const RawEvent& a, const RawEvent& b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        if (a.track != b.track)
            return a.track < b.track;
        return a.order < b.order;
    });

    std::uint32_t usPerQuarter = 500000;  // 120 beats per minute until a tempo says otherwise
    std::uint64_t lastTick = 0;
    double seconds = 0;
    for (RawEvent& e : raw) {
        const double ticks = double(e.tick - lastTick);
        seconds += secondsPerTickSmpte > 0 ? ticks * secondsPerTickSmpte
                                           : ticks * double(usPerQuarter) / (1e6 * double(division));
        lastTick = e.tick;
        // Huge delta times at the slowest tempo reach centuries: such a file is damaged.
        if (!(seconds <= kMaxSeconds)) {
            m_events.clear();
            m_length = 0;
            return false;
        }
        m_length = seconds;
        if (e.tempo) {
            usPerQuarter = e.tempo;
            continue;
        }
        if (e.isEndMark)
            continue;
        e.event.seconds = seconds;
        m_events.push_back(std::move(e.event));
    }
    return true;
}

} // namespace audio
