#pragma once
// The record of what the main window asks of stand-ins (windows whose real
// body is still to come, marked with CALLREC in app/CallRecorder.h). A test
// switches the record on, runs a command and reads which stand-in operations
// ran with which arguments:
//
//     callrec::Scope rec;                          // on, and empty
//     dlg->SendMessage(WM_KEYDOWN, 600, 0);
//     EXPECT_EQ(rec.Calls(), callrec::List{"CDlgMp3::MusicAction(9)"});
//
// Windows with real bodies report nothing: their tests check what they do.
#include "app/CallRecorder.h"

#include <string>
#include <string_view>
#include <vector>

namespace callrec {

using List = std::vector<std::string>;

inline List& calls()
{
    static List c;
    return c;
}

inline const List& Calls() { return calls(); }
inline void Clear() { calls().clear(); }

// Counts the records that begin with the prefix ("CDlgMp3::Play(" or "CEqualizer::").
inline int Count(std::string_view prefix)
{
    int n = 0;
    for (const std::string& c : calls())
        if (c.compare(0, prefix.size(), prefix) == 0)
            ++n;
    return n;
}

// Switches the record on for its lifetime, starting empty.
class Scope {
public:
    Scope()
    {
        calls().clear();
        listener() = [](std::string&& call) { calls().push_back(std::move(call)); };
    }
    ~Scope()
    {
        listener() = nullptr;
        calls().clear();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    const List& Calls() const { return calls(); }
    void Clear() { calls().clear(); }
    int Count(std::string_view prefix) const { return callrec::Count(prefix); }
};

} // namespace callrec
