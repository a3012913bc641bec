#pragma once
// Reading a date, a time of day or both from a cell text, for sorting lists
// by time: "2024-03-05", "3/5/2024" (month first), "5.3.2024" (day first),
// "Mar 5, 2024", "5 March 2024", "14:30", "2:30:15 PM", "00:15", and a date
// followed by a time. Two-digit years are 1930 to 2029.
#include <string>

// The moment as days since 30 December 1899 with the time of day as the
// fraction (a time alone lies on that day); false for any other text.
bool ParseDateTimeText(const std::string& text, double& serial);
