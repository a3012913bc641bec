#pragma once
// The tag template language of TAGS_Read (see Tags.h), apart from any file.
#include <functional>
#include <string>

namespace audio {

class TagTemplate {
public:
    // The value of a four-letter tag code ("TITL"); false for an unknown code.
    using Lookup = std::function<bool(const std::string& code, std::string& value)>;

    static std::string expand(const std::string& fmt, const Lookup& tags);

    // Helpers of the functions, on UTF-8 text.
    static std::string trim(const std::string& s);
    static std::string capitalise(const std::string& s);
};

} // namespace audio
