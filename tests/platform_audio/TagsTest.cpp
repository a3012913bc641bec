// Tags written into the test's own files, read back through the template of
// the tags window; the template language on its own.
#include "AudioFixtures.h"
#include "AudioTestEnv.h"

#include "platform/audio/BassFx.h"
#include "platform/audio/TagTemplate.h"
#include "platform/audio/Tags.h"

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

#include <map>

using namespace audiotest;

namespace {

// The tags window's template: nine parts joined by " -- ".
const std::string kWindowTemplate =
    "%IFV2(%ITRM(%TITL),%ICAP(%ITRM(%TITL)),no title) -- "
    "%IFV2(%ITRM(%ARTI),%ICAP(%ITRM(%ARTI)),no artist) -- "
    "%IFV2(%ITRM(%ALBM),%ICAP(%ITRM(%ALBM)),no album) -- "
    "%IFV2(%ITRM(%GNRE),%ICAP(%ITRM(%GNRE)),no genre) -- "
    "%IFV2(%ITRM(%YEAR),%ICAP(%ITRM(%YEAR)),no year) -- "
    "%IFV2(%ITRM(%CMNT),%ICAP(%ITRM(%CMNT)),no comment) -- "
    "%IFV2(%ITRM(%TRCK),%ICAP(%ITRM(%TRCK)),no track) -- "
    "%IFV2(%ITRM(%COMP),%ICAP(%ITRM(%COMP)),no composer) -- "
    "%IFV2(%ITRM(%COPY),%ICAP(%ITRM(%COPY)),no copyright)";

struct Format {
    const char* ext;
    bool (*make)(const std::string& path, const Pcm& pcm, std::string* why);
};

const Format kFormats[] = {
    {"mp3", [](const std::string& p, const Pcm& pcm, std::string*) { return encodeMp3(p, pcm); }},
    {"m4a", [](const std::string& p, const Pcm& pcm, std::string* why) {
         return ffmpegEncode(p, pcm, "aac", "ipod", 128000, nullptr, why);
     }},
    {"wma", [](const std::string& p, const Pcm& pcm, std::string* why) {
         return ffmpegEncode(p, pcm, "wmav2", "asf", 128000, nullptr, why);
     }},
    {"flac", [](const std::string& p, const Pcm& pcm, std::string*) {
         writeFlac(p, pcm);
         return true;
     }},
};

class TagsTest : public AudioTest {
protected:
    std::string make(const Format& f, const std::string& name)
    {
        const std::string path = m_dir.file(name + "." + f.ext);
        std::string why;
        EXPECT_TRUE(f.make(path, sine(0.5, 440, 0.3), &why)) << why;
        return path;
    }
    // Reads the way the tags window does: a decoding stream in a tempo stream.
    std::string read(const std::string& path, const std::string& fmt = kWindowTemplate)
    {
        const HSTREAM decode = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        EXPECT_NE(decode, 0u) << BASS_ErrorGetCode();
        const HSTREAM tempo = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE | BASS_STREAM_DECODE);
        EXPECT_NE(tempo, 0u);
        const std::string text = TAGS_Read(tempo, fmt.c_str());
        BASS_StreamFree(tempo);
        return text;
    }
};

TEST_F(TagsTest, WrittenTagsComeBackThroughTheWindowTemplate)
{
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.ext);
        const std::string path = make(f, "tagged");
        {
            TagLib::FileRef file(path.c_str());
            ASSERT_FALSE(file.isNull());
            TagLib::PropertyMap props;
            props["TITLE"] = TagLib::String("  dancing QUEEN ", TagLib::String::UTF8);
            props["ARTIST"] = TagLib::String("ABBA", TagLib::String::UTF8);
            props["ALBUM"] = TagLib::String("arrival", TagLib::String::UTF8);
            props["GENRE"] = TagLib::String("pop", TagLib::String::UTF8);
            props["DATE"] = TagLib::String("1976", TagLib::String::UTF8);
            props["COMMENT"] = TagLib::String("called at the club", TagLib::String::UTF8);
            props["TRACKNUMBER"] = TagLib::String("3", TagLib::String::UTF8);
            props["COMPOSER"] = TagLib::String("benny andersson", TagLib::String::UTF8);
            props["COPYRIGHT"] = TagLib::String("polar music", TagLib::String::UTF8);
            file.file()->setProperties(props);
            ASSERT_TRUE(file.save());
        }
        EXPECT_EQ(read(path), "Dancing Queen -- Abba -- Arrival -- Pop -- 1976 -- Called At The Club -- 3 -- "
                              "Benny Andersson -- Polar Music");
    }
}

TEST_F(TagsTest, EmptyTagsGiveTheNoTexts)
{
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.ext);
        const std::string path = make(f, "bare");
        if (std::string(f.ext) != "mp3") {
            // The encoders name themselves in a tag; take it out.
            TagLib::FileRef file(path.c_str());
            ASSERT_FALSE(file.isNull());
            file.file()->setProperties(TagLib::PropertyMap());
            ASSERT_TRUE(file.save());
        }
        EXPECT_EQ(read(path), "no title -- no artist -- no album -- no genre -- no year -- no comment -- "
                              "no track -- no composer -- no copyright");
    }
}

TEST_F(TagsTest, ABadHandleGivesAnEmptyText)
{
    EXPECT_STREQ(TAGS_Read(0, kWindowTemplate.c_str()), "");
    EXPECT_STREQ(TAGS_Read(123456, "%TITL"), "");
}

TEST(TagTemplate, Language)
{
    const std::map<std::string, std::string> known = {{"TITL", "T"}, {"ARTI", ""}};
    const auto tags = [&](const std::string& code, std::string& value) {
        auto it = known.find(code);
        if (it == known.end())
            return false;
        value = it->second;
        return true;
    };
    struct Case {
        const char* fmt;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{
             {"%TITL by %ARTI.", "T by ."},
             {"%%TITL %( %) %, %", "%TITL ( ) , %"},
             {"%XXXX and %TIT", "%XXXX and %TIT"},
             {"%IFV1(%TITL,[%TITL])%IFV1(%ARTI,[%ARTI])", "[T]"},
             {"%IFV2(%ARTI,yes,no %(none%))", "no (none)"},
             {"%IFV2(%TITL,a%,b,c)", "a,b"},
             {"%ITRM(  two  words \t)|", "two  words|"},
             {"%ITRM(%TITL", "T"},
             {"%IFV2()", ""},
             {"%ICAP(o'neil's 4th waltz-time %(live%)/AC DC)", "O'neil's 4th Waltz-Time (Live)/Ac Dc"},
             {"%ICAP(ÉCOLE ÅSA ŁÓDŹ über)", "École Åsa Łódź Über"},
         }) {
        EXPECT_EQ(audio::TagTemplate::expand(c.fmt, tags), c.text) << c.fmt;
    }
}

} // namespace
