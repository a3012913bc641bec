#include "store/MusicDb.h"

CMusicDb::CMusicDb() : CDbAccess("mirtal.db", {"PRAGMA auto_vacuum = 2", "PRAGMA synchronous = 1"}) {}

CMusicDb::~CMusicDb() = default;
