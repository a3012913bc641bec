#include "platform/audio/PluginStream.h"

#include "platform/audio/Engine.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/Plugins.h"

#include <algorithm>
#include <cstring>

namespace audio {

ProcSource::ProcSource(int rate, int channels, DWORD flags, STREAMPROC* proc, void* inst, const ADDON_FUNCTIONS* funcs)
    : m_rate(rate), m_channels(channels), m_float((flags & BASS_SAMPLE_FLOAT) != 0), m_proc(proc), m_inst(inst),
      m_funcs(funcs)
{
}

ProcSource::~ProcSource()
{
    if (m_funcs && m_funcs->Free && !m_skipFree)
        m_funcs->Free(m_inst);
}

bool ProcSource::seek(std::uint64_t frame)
{
    if (!m_funcs || !m_funcs->SetPosition)
        return false;
    const QWORD pos = frame * 2 * QWORD(m_channels);
    if (m_funcs->CanSetPosition && !m_funcs->CanSetPosition(m_inst, pos, BASS_POS_BYTE))
        return false;
    if (m_funcs->SetPosition(m_inst, pos, BASS_POS_BYTE) == QWORD(-1))
        return false;
    m_ended = false;
    return true;
}

int ProcSource::read(float* out, int frames)
{
    if (m_ended || frames <= 0)
        return 0;
    if (!m_proc) {
        m_ended = true;
        return 0;
    }
    const size_t sampleBytes = m_float ? sizeof(float) : sizeof(std::int16_t);
    const size_t frameBytes = sampleBytes * size_t(m_channels);
    const size_t asked = size_t(frames) * frameBytes;
    m_buffer.resize(asked);
    const DWORD got = m_proc(m_handle, m_buffer.data(), DWORD(asked), m_inst);
    if (got == DWORD(-1)) {
        m_ended = true;
        return 0;
    }
    // More than asked for cannot be true; a torn frame at the end is dropped.
    const size_t bytes = std::min<size_t>(got & ~BASS_STREAMPROC_END, asked);
    const int n = int(bytes / frameBytes);
    const size_t samples = size_t(n) * size_t(m_channels);
    if (m_float) {
        std::memcpy(out, m_buffer.data(), samples * sizeof(float));
    } else {
        for (size_t i = 0; i < samples; ++i) {
            std::int16_t s = 0;
            std::memcpy(&s, m_buffer.data() + i * 2, 2);
            out[i] = float(s) / 32768.0f;
        }
    }
    if ((got & BASS_STREAMPROC_END) || n == 0)
        m_ended = true;
    return n;
}

PluginStream::PluginStream(ProcSource* source, const std::string& path, DWORD flags, std::shared_ptr<Mixer> mixer,
                           int bufferMs, DWORD ctype, HPLUGIN plugin, void* inst, const ADDON_FUNCTIONS* funcs)
    : FileStream(std::unique_ptr<Decoder>(source), path, flags, std::move(mixer), bufferMs),
      m_proc(source),
      m_ctype(ctype),
      m_plugin(plugin),
      m_inst(inst),
      m_funcs(funcs),
      m_hasFile(!path.empty())
{
}

int PluginStream::lengthBytes(std::uint64_t& bytes)
{
    bytes = 0;
    std::lock_guard lock(m_mutex);
    if (m_released)
        return BASS_ERROR_HANDLE;
    if (!m_funcs || !m_funcs->GetLength)
        return BASS_ERROR_NOTAVAIL;
    PluginErrorScope scope;
    bytes = m_funcs->GetLength(m_inst, BASS_POS_BYTE);
    return scope.code(bytes == QWORD(-1) ? BASS_ERROR_NOTAVAIL : BASS_OK);
}

void PluginStream::completeInfo(BASS_CHANNELINFO& info)
{
    info.plugin = m_plugin;
    std::lock_guard lock(m_mutex);
    if (!m_released && m_funcs && m_funcs->GetInfo)
        m_funcs->GetInfo(m_inst, &info);
}

void PluginStream::released()
{
    std::lock_guard lock(m_mutex);
    if (m_released)
        return;
    m_released = true;
    m_proc = nullptr;
    source().close();
}

void PluginStream::dropWithoutFree()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_proc)
            m_proc->skipFree();
    }
    Engine::instance().freeChannel(handle());
}

DWORD createProcStream(DWORD freq, DWORD chans, DWORD flags, STREAMPROC* proc, void* inst,
                       const ADDON_FUNCTIONS* funcs, const std::string& path, DWORD ctype, HPLUGIN plugin, int& error)
{
    if (!isStreamFormat(freq, chans)) {
        error = BASS_ERROR_FORMAT;
        return 0;
    }
    std::shared_ptr<Mixer> mixer;
    if (error = Engine::instance().currentMixer(mixer); error != BASS_OK)
        return 0;
    auto* raw = new ProcSource(int(freq), int(chans), flags, proc, inst, funcs);
    const bool decoding = (flags & BASS_STREAM_DECODE) != 0;
    auto stream = std::make_shared<PluginStream>(raw, path, flags, decoding ? nullptr : mixer,
                                                 Engine::instance().bufferMs(), ctype, plugin, inst, funcs);
    const DWORD h = Engine::instance().add(stream);
    if (!h) {
        raw->skipFree();  // the creator still owns its state when it gets 0
        error = BASS_ERROR_INIT;
        return 0;
    }
    raw->setHandle(h);
    error = BASS_OK;
    return h;
}

} // namespace audio
