// Fuzz entry for the RTF reader: any bytes are read, written back and read
// again; the second reading must give the same text. Built with libFuzzer by
// tests/platform_win/build-rtf-fuzzer.sh; the seed corpus also runs in test_platform_win.
#include "platform/win/Rtf.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    const win::rtf::Document doc = win::rtf::Read(in);
    const win::rtf::Document again = win::rtf::Read(win::rtf::Write(doc));
    if (again.PlainText() != doc.PlainText())
        std::abort();
    return 0;
}
