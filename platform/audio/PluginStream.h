#pragma once
// Streams fed by a stream procedure: a plug-in's streams (with its
// callbacks) and BASS_StreamCreate. The procedure is read like a decoder
// whose end shows when it is reached, through the same read-ahead as files.
#include "platform/audio/BassPlugin.h"
#include "platform/audio/FileStream.h"

namespace audio {

class ProcSource : public Decoder {
public:
    ProcSource(int rate, int channels, DWORD flags, STREAMPROC* proc, void* inst, const ADDON_FUNCTIONS* funcs);
    // Gives the plug-in its Free: the only place it is called.
    ~ProcSource() override;

    void setHandle(DWORD handle) { m_handle = handle; }
    // For a creation that failed: the plug-in has released its own state.
    void skipFree() { m_skipFree = true; }

    int sampleRate() const override { return m_rate; }
    int channels() const override { return m_channels; }
    std::uint64_t lengthFrames() const override { return kOpenEnded; }
    bool seek(std::uint64_t frame) override;
    int read(float* out, int frames) override;
    std::uint32_t channelType() const override { return BASS_CTYPE_STREAM; }

private:
    const int m_rate;
    const int m_channels;
    const bool m_float;
    STREAMPROC* const m_proc;
    void* const m_inst;
    const ADDON_FUNCTIONS* const m_funcs;
    DWORD m_handle = 0;
    bool m_ended = false;
    bool m_skipFree = false;
    std::vector<std::uint8_t> m_buffer;
};

class PluginStream : public FileStream {
public:
    // Takes ownership of the source.
    PluginStream(ProcSource* source, const std::string& path, DWORD flags,
                 std::shared_ptr<Mixer> mixer, int bufferMs, DWORD ctype, HPLUGIN plugin, void* inst,
                 const ADDON_FUNCTIONS* funcs);

    DWORD channelType() const override { return m_ctype; }
    int bitsPerSample() const override { return (flags() & BASS_SAMPLE_FLOAT) ? 32 : 16; }
    const char* fileName() const override { return m_hasFile ? FileStream::fileName() : nullptr; }
    int lengthBytes(std::uint64_t& bytes) override;
    void completeInfo(BASS_CHANNELINFO& info) override;
    void released() override;

    // Frees the handle without the plug-in's Free (a creation that failed).
    void dropWithoutFree();

private:
    ProcSource* m_proc;  // owned by the read-ahead until released
    const DWORD m_ctype;
    const HPLUGIN m_plugin;
    void* const m_inst;
    const ADDON_FUNCTIONS* const m_funcs;
    const bool m_hasFile;
    bool m_released = false;
};

// Makes and registers a procedure stream: the handle, or 0 with a BASS_ERROR_... code.
DWORD createProcStream(DWORD freq, DWORD chans, DWORD flags, STREAMPROC* proc, void* inst,
                       const ADDON_FUNCTIONS* funcs, const std::string& path, DWORD ctype, HPLUGIN plugin, int& error);

} // namespace audio
