#pragma once
// Reading one section of the install profile: every key in file order with
// its value (at most 254 characters), through the system's private-profile
// functions.

#include <functional>
#include <string>

// Calls onEntry(key, value) for each key of the section. A missing profile or
// section calls nothing. Returns the number of keys listed.
size_t
ReadProfileSection(const char* profilePath, const char* section,
                   const std::function<void(const std::string& key, const char* value)>& onEntry);
