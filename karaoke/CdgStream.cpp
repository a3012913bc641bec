#include "karaoke/CdgStream.h"

#include "platform/ddraw/Dib.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

std::atomic<bool> g_noDraw{false};
std::atomic<HWND> g_defaultVideoWindow{nullptr};

namespace {

CdgStream* g_cdgStreams[kCdgSlots] = {};
std::mutex g_tableMutex;

const ADDON_FUNCTIONS kCdgFunctions = {0,       CdgFree,           CdgGetLength,  nullptr, nullptr,
                                       CdgGetInfo, CdgCanSetPosition, CdgSetPosition};

// A free slot, taken for the record at once so that two creations on two
// threads never share one; -1 when the table is full.
int takeSlot(CdgStream* record)
{
    std::lock_guard lock(g_tableMutex);
    for (int i = 0; i < kCdgSlots; ++i) {
        if (!g_cdgStreams[i]) {
            g_cdgStreams[i] = record;
            record->slot = i;
            return i;
        }
    }
    return -1;
}

void freeSlot(CdgStream* record)
{
    std::lock_guard lock(g_tableMutex);
    if (record->slot >= 0 && g_cdgStreams[record->slot] == record)
        g_cdgStreams[record->slot] = nullptr;
    record->slot = -1;
}

// Gives up everything a record holds, then the record.
void destroy(CdgStream* record)
{
    if (record->decodeStream)
        BASS_StreamFree(record->decodeStream);
    if (record->renderer)
        record->renderer->Release();
    record->renderer.reset();
    // The decoder clears the record's surface as it goes.
    record->decoder.reset();
    delete record;
}

bool isReadableFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// A file beside `stem` named stem + ext in any case (as on the file systems
// the songs come from), the first by name when there are several.
std::optional<std::string> findIgnoringCase(const std::string& stem, const std::string& ext)
{
    namespace fs = std::filesystem;
    const size_t sep = stem.find_last_of('/');
    const std::string folder = sep == std::string::npos ? "." : stem.substr(0, sep + 1);
    const std::string wanted = stem.substr(sep == std::string::npos ? 0 : sep + 1) + ext;
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (equalIgnoringCase(name, wanted))
            found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) {
        const std::string path = (sep == std::string::npos ? std::string() : folder) + name;
        if (isReadableFile(path))
            return path;
    }
    return std::nullopt;
}

} // namespace

std::mutex& CdgTableMutex() { return g_tableMutex; }
CdgStream** CdgTable() { return g_cdgStreams; }

int CdgStreamCount()
{
    std::lock_guard lock(g_tableMutex);
    return int(std::count_if(std::begin(g_cdgStreams), std::end(g_cdgStreams), [](CdgStream* r) { return r; }));
}

int32_t MillisecondsOf(double seconds)
{
    const double ms = std::trunc(seconds * 1000.0);
    if (!(ms == ms))
        return 0;
    return int32_t(std::clamp(ms, double(INT32_MIN), double(INT32_MAX)));
}

std::optional<std::string> FindCompanionAudio(const std::string& name)
{
    // The extension is what follows the last dot of the file's own name; a dot
    // in a folder name is no extension.
    const size_t dot = name.rfind('.');
    const size_t sep = name.find_last_of("/\\");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep))
        return std::nullopt;
    const std::string stem = name.substr(0, dot + 1);
    static const char* const kFamilies[][3] = {
        {"mp3", "MP3", "Mp3"}, {"ogg", "OGG", "Ogg"}, {"flac", "FLAC", "Flac"}};
    for (const auto& family : kFamilies) {
        for (const char* ext : family) {
            std::string path = stem + ext;
            if (isReadableFile(path))
                return path;
        }
        if (auto path = findIgnoringCase(stem, family[0]))
            return path;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> MakeBottomUpBgr(const std::uint8_t* rgb, int width, int height)
{
    if (!rgb || width <= 0 || height <= 0)
        return {};
    const size_t rowIn = size_t(width) * 3;
    const size_t rowOut = (rowIn + 3) & ~size_t(3);
    std::vector<std::uint8_t> out(rowOut * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = rgb + size_t(height - 1 - y) * rowIn;
        std::uint8_t* to = out.data() + size_t(y) * rowOut;
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return out;
}

bool CdgStream::Open(const std::string& name)
{
    decoder = std::make_unique<CDGFile>();
    decoder->SetSurface(&surface);
    // A ".cdg" file that does not open still gives a stream (of the music,
    // with a black frame); one that holds no whole millisecond does not.
    if (decoder->Open(name) && decoder->GetLength() < 1)
        return false;
    noDraw = g_noDraw.load();

    if (const auto companion = FindCompanionAudio(name))
        decodeStream = BASS_StreamCreateFile(FALSE, companion->c_str(), 0, 0, flags | BASS_STREAM_DECODE);
    if (!decodeStream)
        decodeStream = BASS_StreamCreate(44100, 2, 0, nullptr, nullptr);
    BASS_CHANNELINFO info{};
    BASS_ChannelGetInfo(decodeStream, &info);

    // Made before the output stream, whose procedure may start at once.
    renderer = std::make_unique<VideoWindowRenderer>();
    renderer->Init(g_defaultVideoWindow.load(), ISurface::kWidth, ISurface::kHeight);

    outputStream = BASS_PluginStreamCreate(info.freq, info.chans, flags, CdgStreamProc, this, &kCdgFunctions);
    return outputStream.load() != 0;
}

void CdgStream::DrawFrame()
{
    const QWORD pos = BASS_ChannelGetPosition(decodeStream, BASS_POS_BYTE);
    if (pos == QWORD(-1))
        return;
    const int32_t time = MillisecondsOf(BASS_ChannelBytes2Seconds(decodeStream, pos) - bufferOffset / 1000.0);
    std::lock_guard lock(renderMutex);
    decoder->RenderTo(time);
    std::uint8_t* to = frame.data();
    for (std::uint32_t pixel : surface.pixels) {
        *to++ = std::uint8_t(pixel);
        *to++ = std::uint8_t(pixel >> 8);
        *to++ = std::uint8_t(pixel >> 16);
    }
    if (renderer)
        renderer->Present(frame.data());
}

HBITMAP CdgStream::MakeBitmap(int32_t time)
{
    std::lock_guard lock(renderMutex);
    if (!decoder)
        return nullptr;
    decoder->RenderTo(time);
    std::vector<std::uint8_t> rgb(kFrameBytes);
    std::uint8_t* to = rgb.data();
    for (std::uint32_t pixel : surface.pixels) {
        *to++ = std::uint8_t(pixel >> 16);
        *to++ = std::uint8_t(pixel >> 8);
        *to++ = std::uint8_t(pixel);
    }
    const std::vector<std::uint8_t> bgr = MakeBottomUpBgr(rgb.data(), ISurface::kWidth, ISurface::kHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = ISurface::kWidth;
    info.bmiHeader.biHeight = ISurface::kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = CreateDIBSection(&info, DIB_RGB_COLORS, nullptr);
    if (bitmap)
        SetBitmapBits(bitmap, DWORD(bgr.size()), bgr.data());
    return bitmap;
}

HSTREAM CreateCdgStream(BASSFILE file, DWORD flags)
{
    auto* record = new CdgStream;
    if (takeSlot(record) < 0) {
        // Forty streams are open: the table has no room for another.
        delete record;
        BASS_PluginSetError(BASS_ERROR_MEM);
        return 0;
    }
    record->bufferOffset = BASS_GetConfig(BASS_CONFIG_BUFFER);
    record->flags = flags;
    const char* name = BASS_PluginFileName(file);
    if (!name || !record->Open(name)) {
        freeSlot(record);
        destroy(record);
        return 0;
    }
    BASS_PluginFileClose(file);
    return record->outputStream.load();
}

DWORD CdgStreamProc(HSTREAM, void* buffer, DWORD length, void* user)
{
    auto* record = static_cast<CdgStream*>(user);
    const DWORD n = BASS_ChannelGetData(record->decodeStream, buffer, length);
    if (!record->noDraw)
        record->DrawFrame();
    // The companion's end (or an error) ends the stream: no error value is
    // ever handed on as a length.
    if (n == DWORD(-1) || n == 0)
        return BASS_STREAMPROC_END;
    return n;
}

void CdgFree(void* user)
{
    auto* record = static_cast<CdgStream*>(user);
    if (!record)
        return;
    // Waits for a bitmap being made from the record on another thread.
    freeSlot(record);
    destroy(record);
}

namespace {

// The bytes of the decoder's length in whole seconds.
QWORD lengthLimit(const CdgStream& record)
{
    const HSTREAM stream = record.outputStream.load() ? record.outputStream.load() : record.decodeStream;
    return BASS_ChannelSeconds2Bytes(stream, double(record.decoder ? record.decoder->GetLength() / 1000 : 0));
}

} // namespace

QWORD CdgGetLength(void* user, DWORD mode)
{
    if (mode != BASS_POS_BYTE) {
        BASS_PluginSetError(BASS_ERROR_NOTAVAIL);
        return QWORD(-1);
    }
    BASS_PluginSetError(BASS_OK);
    return lengthLimit(*static_cast<CdgStream*>(user));
}

void CdgGetInfo(void*, BASS_CHANNELINFO*) {}

BOOL CdgCanSetPosition(void* user, QWORD position, DWORD mode)
{
    if (mode != BASS_POS_BYTE) {
        BASS_PluginSetError(BASS_ERROR_NOTAVAIL);
        return FALSE;
    }
    if (position < lengthLimit(*static_cast<CdgStream*>(user)))
        return TRUE;
    BASS_PluginSetError(BASS_ERROR_POSITION);
    return FALSE;
}

QWORD CdgSetPosition(void* user, QWORD position, DWORD mode)
{
    if (mode != BASS_POS_BYTE) {
        BASS_PluginSetError(BASS_ERROR_NOTAVAIL);
        return QWORD(-1);
    }
    // The decoder follows at its next rendering, replaying from the start
    // when the new time is earlier.
    BASS_ChannelSetPosition(static_cast<CdgStream*>(user)->decodeStream, position, BASS_POS_BYTE);
    return position;
}
