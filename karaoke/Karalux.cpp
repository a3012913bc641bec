#include "karaoke/Karalux.h"

#include "karaoke/CdgStream.h"

namespace {

const BASS_PLUGINFORM kFormat = {kCdgCtype, "CDG Karaoke", "*.cdg"};
const BASS_PLUGININFO kInfo = {BASSPLUGIN_VERSION, 1, &kFormat};

} // namespace

extern "C" {

const void* BASSplugin(DWORD face)
{
    switch (face) {
    case BASSPLUGIN_INFO: return &kInfo;
    case BASSPLUGIN_CREATE: return reinterpret_cast<const void*>(&CreateCdgStream);
    default: return nullptr;
    }
}

int KARALUX_SetConfig(int option, std::uintptr_t value)
{
    switch (option) {
    case KARALUX_CONFIG_NODRAW: g_noDraw = value != 0; return 0;
    case KARALUX_CONFIG_VIDEOWINDOW: g_defaultVideoWindow = reinterpret_cast<HWND>(value); return 0;
    default: return option - 1003;
    }
}

void KARALUX_SetVideoWindow(HSTREAM stream, HWND window)
{
    WithCdgStream(stream, [window](CdgStream& record) {
        if (record.renderer)
            record.renderer->SetWindow(window);
    });
}

HBITMAP KARALUX_GetCurrentBitmap(HSTREAM stream)
{
    if (!stream)
        return nullptr;
    // The play position is read before the table is locked: the audio layer
    // may be freeing the stream on another thread, which needs the table.
    const QWORD pos = BASS_ChannelGetPosition(stream, BASS_POS_BYTE);
    const int32_t time = pos == QWORD(-1) ? 0 : MillisecondsOf(BASS_ChannelBytes2Seconds(stream, pos));
    HBITMAP bitmap = nullptr;
    WithCdgStream(stream, [&](CdgStream& record) { bitmap = record.MakeBitmap(time); });
    return bitmap;
}

} // extern "C"
