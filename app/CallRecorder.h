#pragma once
// The marker of a stand-in: each operation of a window whose real body is
// still to come begins with
//
//     CALLREC("CDlgMp3::MusicAction", action);
//
// and reports "CDlgMp3::MusicAction(9)" to whoever listens. Only the tests
// listen (their record is tests/common/CallRecord.h), to see that a command
// reached a stand-in; in the program nobody does and a report costs one test
// of a pointer. The real body drops the line when it lands, and the tests of
// its callers then check what the body does instead. User-interface thread only.
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>

namespace callrec {

// Takes each report; none in the program.
using Listener = void (*)(std::string&& call);

inline Listener& listener()
{
    static Listener l = nullptr;
    return l;
}

namespace detail {
template <class T>
void put(std::ostringstream& os, const T& v)
{
    if constexpr (std::is_same_v<T, bool>)
        os << (v ? 1 : 0);
    else if constexpr (std::is_convertible_v<const T&, std::string_view>)
        os << '"' << std::string_view(v) << '"';
    else
        os << v;
}
} // namespace detail

// Reports "Name(arg1, arg2)"; texts appear in double quotes, flags as 0 and 1.
template <class... A>
void Record(std::string_view name, const A&... args)
{
    Listener l = listener();
    if (!l)
        return;
    std::ostringstream os;
    os << name << '(';
    int i = 0;
    ((os << (i++ ? ", " : ""), detail::put(os, args)), ...);
    os << ')';
    l(os.str());
}

} // namespace callrec

#define CALLREC(name, ...) ::callrec::Record(name __VA_OPT__(, ) __VA_ARGS__)
