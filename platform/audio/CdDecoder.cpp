#include "platform/audio/CdDecoder.h"

#include "platform/audio/BassCd.h"
#include "platform/audio/FileProbe.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <mutex>

namespace audio {

namespace {

// libcdio reports through error codes here, not on the terminal.
void quietenCdio()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler([](cdio_log_level_t, const char*) {}); });
}

bool isImage(driver_id_t driver)
{
    return driver == DRIVER_BINCUE || driver == DRIVER_CDRDAO || driver == DRIVER_NRG;
}

} // namespace

bool CdDecoder::parseTrackPath(const std::string& path, std::string& disc, int& track)
{
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos || slash == 0)
        return false;
    std::string name = path.substr(slash + 1);
    for (char& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (name.size() < 10 || name.compare(0, 5, "track") != 0 || name.compare(name.size() - 4, 4, ".cda") != 0)
        return false;
    const std::string digits = name.substr(5, name.size() - 9);
    if (digits.empty() || digits.size() > 3
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return false;
    disc = path.substr(0, slash);
    track = std::stoi(digits);
    return true;
}

std::unique_ptr<Decoder> CdDecoder::open(const std::string& path, int& error)
{
    std::string disc;
    int track = 0;
    if (!parseTrackPath(path, disc, track)) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    std::error_code ec;
    if (!std::filesystem::exists(disc, ec) || std::filesystem::is_directory(disc, ec)) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    quietenCdio();
    std::unique_ptr<CdDecoder> d(new CdDecoder);
    d->m_cdio = cdio_open(disc.c_str(), DRIVER_UNKNOWN);
    if (!d->m_cdio) {
        error = BASS_ERROR_NOCD;
        return nullptr;
    }
    const track_t first = cdio_get_first_track_num(d->m_cdio);
    const track_t count = cdio_get_num_tracks(d->m_cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        error = BASS_ERROR_NOCD;
        return nullptr;
    }
    if (track < int(first) || track >= int(first) + int(count)) {
        error = BASS_ERROR_CDTRACK;
        return nullptr;
    }
    const auto t = track_t(track);
    if (cdio_get_track_format(d->m_cdio, t) != TRACK_FORMAT_AUDIO) {
        error = BASS_ERROR_NOTAUDIO;
        return nullptr;
    }
    const lsn_t from = cdio_get_track_lsn(d->m_cdio, t);
    const lsn_t last = cdio_get_track_last_lsn(d->m_cdio, t);
    if (from == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || last < from) {
        error = BASS_ERROR_NOCD;
        return nullptr;
    }
    d->m_first = from;
    d->m_sectors = last - from + 1;

    if (isImage(cdio_get_driver_id(d->m_cdio))) {
        // An image whose data file is missing, empty or cut short claims the
        // sheet's tracks all the same: a track without its data is an error,
        // and one cut short ends where its data does.
        auto readable = [&](lsn_t lsn) {
            std::uint8_t raw[CDIO_CD_FRAMESIZE_RAW];
            return cdio_read_audio_sectors(d->m_cdio, raw, lsn, 1) == DRIVER_OP_SUCCESS;
        };
        if (!readable(from)) {
            error = BASS_ERROR_FILEFORM;
            return nullptr;
        }
        if (!readable(last)) {
            lsn_t good = from;
            lsn_t bad = last;
            while (bad - good > 1) {
                const lsn_t mid = good + (bad - good) / 2;
                (readable(mid) ? good : bad) = mid;
            }
            d->m_sectors = good - from + 1;
        }
    } else {
        // A real drive: paranoia verifies what it reads and retries scratched sectors.
        d->m_drive = cdio_cddap_identify_cdio(d->m_cdio, CDDA_MESSAGE_FORGETIT, nullptr);
        if (!d->m_drive || cdio_cddap_open(d->m_drive) != 0) {
            error = BASS_ERROR_NOCD;
            return nullptr;
        }
        d->m_paranoia = cdio_paranoia_init(d->m_drive);
        if (!d->m_paranoia) {
            error = BASS_ERROR_NOCD;
            return nullptr;
        }
        cdio_paranoia_modeset(d->m_paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    }
    error = BASS_OK;
    return d;
}

CdDecoder::~CdDecoder()
{
    if (m_paranoia)
        cdio_paranoia_free(m_paranoia);
    if (m_drive)
        cdio_cddap_close_no_free_cdio(m_drive);
    if (m_cdio)
        cdio_destroy(m_cdio);
}

std::uint32_t CdDecoder::channelType() const
{
    return BASS_CTYPE_STREAM_CD;
}

bool CdDecoder::readSector()
{
    if (m_next >= m_sectors)
        return false;
    const lsn_t lsn = m_first + m_next;
    if (m_paranoia) {
        if (m_seekPending) {
            cdio_paranoia_seek(m_paranoia, lsn, SEEK_SET);
            m_seekPending = false;
        }
        const std::int16_t* data = cdio_paranoia_read(m_paranoia, nullptr);
        if (!data)
            return false;
        std::copy(data, data + kFramesPerSector * 2, m_sector);
    } else {
        std::uint8_t raw[CDIO_CD_FRAMESIZE_RAW];
        if (cdio_read_audio_sectors(m_cdio, raw, lsn, 1) != DRIVER_OP_SUCCESS)
            return false;
        // CD audio is little-endian whatever the machine.
        for (int i = 0; i < kFramesPerSector * 2; ++i)
            m_sector[i] = std::int16_t(std::uint16_t(raw[2 * i] | (raw[2 * i + 1] << 8)));
    }
    ++m_next;
    m_used = 0;
    return true;
}

bool CdDecoder::seek(std::uint64_t frame)
{
    if (frame > lengthFrames())
        return false;
    m_next = std::int32_t(frame / kFramesPerSector);
    m_seekPending = true;
    m_used = kFramesPerSector;
    const int within = int(frame % kFramesPerSector);
    if (within) {
        if (!readSector())
            return false;
        m_used = within;
    }
    return true;
}

int CdDecoder::read(float* out, int frames)
{
    int done = 0;
    while (done < frames) {
        if (m_used == kFramesPerSector && !readSector())
            break;
        const int n = std::min(frames - done, kFramesPerSector - m_used);
        const std::int16_t* src = m_sector + m_used * 2;
        for (int i = 0; i < n * 2; ++i)
            out[size_t(done) * 2 + size_t(i)] = float(src[i]) / 32768.0f;
        m_used += n;
        done += n;
    }
    return done;
}

} // namespace audio
