// TAGS_Read: the tags of a stream's file through TagLib, into a template.
#include "platform/audio/Tags.h"

#include "platform/audio/Channel.h"
#include "platform/audio/Engine.h"
#include "platform/audio/FileProbe.h"
#include "platform/audio/TagTemplate.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include <map>

namespace {

using TagMap = std::map<std::string, std::string>;

std::string utf8(const TagLib::String& s)
{
    return s.to8Bit(true);
}

TagMap readTags(const std::string& path)
{
    TagMap tags;
    if (path.empty() || !audio::isReadableFile(path))
        return tags;
    const TagLib::FileRef file(path.c_str(), false);
    if (file.isNull() || !file.tag())
        return tags;
    const TagLib::Tag* tag = file.tag();
    tags["TITL"] = utf8(tag->title());
    tags["ARTI"] = utf8(tag->artist());
    tags["ALBM"] = utf8(tag->album());
    tags["GNRE"] = utf8(tag->genre());
    tags["CMNT"] = utf8(tag->comment());
    if (tag->year())
        tags["YEAR"] = std::to_string(tag->year());
    if (tag->track())
        tags["TRCK"] = std::to_string(tag->track());
    const TagLib::PropertyMap props = file.file()->properties();
    auto joined = [&](const char* key) {
        auto it = props.find(key);
        return it == props.end() ? std::string() : utf8(it->second.toString(", "));
    };
    tags["COMP"] = joined("COMPOSER");
    tags["COPY"] = joined("COPYRIGHT");
    return tags;
}

const char* const kCodes[] = {"TITL", "ARTI", "ALBM", "GNRE", "YEAR", "CMNT", "TRCK", "COMP", "COPY"};

} // namespace

extern "C" {

const char* TAGS_Read(DWORD handle, const char* fmt)
{
    thread_local std::string result;
    result.clear();
    auto channel = audio::Engine::instance().channel(handle);
    if (!channel || !fmt)
        return result.c_str();
    const char* file = channel->fileName();
    const TagMap tags = readTags(file ? file : "");
    result = audio::TagTemplate::expand(fmt, [&](const std::string& code, std::string& value) {
        for (const char* known : kCodes)
            if (code == known) {
                auto it = tags.find(code);
                value = it == tags.end() ? std::string() : it->second;
                return true;
            }
        return false;
    });
    return result.c_str();
}

}  // extern "C"
