#include "app/ToolWindow.h"

#include "platform/win/WidgetAccess.h"

#include <vector>

namespace toolwin {
namespace {

std::vector<CWnd*>& pending()
{
    static std::vector<CWnd*> objects;
    return objects;
}

} // namespace

int& LiveCounter()
{
    static int count = 0;
    return count;
}

int LiveCount() { return LiveCounter(); }

void FreeLater(CWnd* object)
{
    auto& objects = pending();
    objects.push_back(object);
    // The window may have gone inside one of its own handlers: free it once the event is over.
    if (objects.size() == 1)
        win::CallSoon([] { FreePending(); });
}

void FreePending()
{
    // Freeing one may end windows of its own, which land here again.
    while (!pending().empty()) {
        std::vector<CWnd*> objects;
        objects.swap(pending());
        for (CWnd* o : objects)
            delete o;
    }
}

} // namespace toolwin
