#pragma once
// A record of the operations that the main window calls on pages and tool
// windows whose own work is still to come. Their bodies report here, and a
// test switches the record on, runs a command and reads which operations ran
// with which arguments:
//
//     callrec::Scope rec;                          // on, and empty
//     dlg->SendMessage(WM_KEYDOWN, 600, 0);
//     EXPECT_EQ(rec.Calls(), callrec::List{"CDlgMp3::MusicAction(9)"});
//
// A body reports with CALLREC("CDlgMp3::MusicAction", action) or
// callrec::Record("CEqualizer::RefreshControls"). While no test has switched
// the record on a report costs one test of a flag. When a stand-in gets its
// real body, its report line stays first in it, so the tests of its callers
// keep reading it. User-interface thread only.
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace callrec {

using List = std::vector<std::string>;

struct State {
    bool on = false;
    List calls;
};

inline State& state()
{
    static State s;
    return s;
}

inline bool IsOn() { return state().on; }

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

// Records "Name(arg1, arg2)"; texts appear in double quotes, flags as 0 and 1.
template <class... A>
void Record(std::string_view name, const A&... args)
{
    if (!state().on)
        return;
    std::ostringstream os;
    os << name << '(';
    int i = 0;
    ((os << (i++ ? ", " : ""), detail::put(os, args)), ...);
    os << ')';
    state().calls.push_back(os.str());
}

inline const List& Calls() { return state().calls; }
inline void Clear() { state().calls.clear(); }

// Counts the records that begin with the prefix ("CDlgMp3::Play(" or "CEqualizer::").
inline int Count(std::string_view prefix)
{
    int n = 0;
    for (const std::string& c : state().calls)
        if (c.compare(0, prefix.size(), prefix) == 0)
            ++n;
    return n;
}

// Switches the record on for its lifetime, starting empty.
class Scope {
public:
    Scope()
    {
        state().calls.clear();
        state().on = true;
    }
    ~Scope()
    {
        state().on = false;
        state().calls.clear();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    const List& Calls() const { return state().calls; }
    void Clear() { state().calls.clear(); }
    int Count(std::string_view prefix) const { return callrec::Count(prefix); }
};

} // namespace callrec

#define CALLREC(name, ...) ::callrec::Record(name __VA_OPT__(, ) __VA_ARGS__)
