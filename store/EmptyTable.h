#pragma once
// A result without rows that can still be asked for its counts: what a query
// answers when it cannot or must not run. A default-constructed table would
// raise "Null Results pointer" on its first use instead.
#include "store/CppSQLite3.h"

CppSQLite3Table EmptyTable();
