#pragma once
// Tags of a stream's file (ID3v1/v2 and APE of MPEG files, MP4, ASF/WMA,
// Ogg, FLAC, WAV) through TagLib, put into a text by a template.
//
// Template: "%TITL", "%ARTI", "%ALBM", "%GNRE", "%YEAR", "%CMNT", "%TRCK",
// "%COMP" (composer) and "%COPY" (copyright) stand for the tags, empty when
// missing. "%IFV1(x,a)" gives a when x is not empty; "%IFV2(x,a,b)" gives a
// when x is not empty, else b; "%ITRM(x)" trims blanks at both ends;
// "%ICAP(x)" capitalises every word (its first letter upper case, the others
// lower case). "%%", "%(", "%)" and "%," stand for the character itself; any
// other text is copied.
#include "platform/audio/Bass.h"

extern "C" {

// The template filled in for the file of a stream (a tempo stream's source
// file); empty for a bad handle. The text stays valid until the next call on
// the same thread.
BASSDEF(const char*) TAGS_Read(DWORD handle, const char* fmt);

}  // extern "C"
