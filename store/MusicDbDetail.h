#pragma once
// Helpers shared by the files of CMusicDb; not for other callers.
#include "store/MyFunctions.h"

#include <string>
#include <vector>

namespace musicdbpaths {

// Every setting that SetDefaultPaths writes.
std::vector<std::string> DefaultPathSettings();
// The data folder followed by a part below it ("mp3", "ListAndDef/B_List.pdf").
std::string InDataFolder(const MyFunctions& fn, const std::string& part);

} // namespace musicdbpaths
