#include "AudioTestEnv.h"

namespace audiotest {

void useNoSoundDevice()
{
    BASS_DEVICEINFO info{};
    if (BASS_GetDeviceInfo(0, &info) && (info.flags & BASS_DEVICE_INIT))
        return;
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
}

double playedSeconds(DWORD channel)
{
    return BASS_ChannelBytes2Seconds(channel, BASS_ChannelGetPosition(channel, BASS_POS_BYTE));
}

std::vector<float> decodeAll(DWORD stream)
{
    BASS_CHANNELINFO info{};
    BASS_ChannelGetInfo(stream, &info);
    std::vector<float> all;
    std::vector<float> chunk(4096 * info.chans);
    for (;;) {
        const DWORD got = BASS_ChannelGetData(stream, chunk.data(), DWORD(chunk.size() * sizeof(float)) | BASS_DATA_FLOAT);
        if (got == DWORD(-1) || got == 0)
            break;
        all.insert(all.end(), chunk.begin(), chunk.begin() + got / sizeof(float));
    }
    return all;
}

std::vector<float> decodeFrames(DWORD stream, int frames, int channels)
{
    std::vector<float> out(size_t(frames) * size_t(channels));
    size_t have = 0;
    while (have < out.size()) {
        const DWORD got = BASS_ChannelGetData(stream, out.data() + have,
                                              DWORD((out.size() - have) * sizeof(float)) | BASS_DATA_FLOAT);
        if (got == DWORD(-1) || got == 0)
            break;
        have += got / sizeof(float);
    }
    out.resize(have);
    return out;
}

} // namespace audiotest
