#pragma once
// Helpers of the pages that edit row lists: selections and column headings.
#include "platform/win/ListCtrl.h"
#include "store/MusicDb.h"

#include <string>

#include <vector>

namespace managers {

// Deselects every row.
inline void ClearSelection(CListCtrl& list) { list.SetItemState(-1, 0, LVIS_SELECTED); }

// Selects exactly these rows.
inline void SelectOnly(CListCtrl& list, const std::vector<int>& rows)
{
    ClearSelection(list);
    for (int r : rows)
        list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
}

// A column heading from its setting, in the batch; the seed's text while none is stored.
inline std::string Heading(CMusicDb& db, const char* key, const char* fallback)
{
    const std::string text = db.GetSetting(key, 0);
    return text.empty() ? fallback : text;
}

} // namespace managers
