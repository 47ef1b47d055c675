#pragma once
// The finished profile read back with the setup program's own reader (the
// load operations of its collections, then the destinations resolved under a
// chosen main directory, as the destination page does), refusing what would
// stop the program: no destinations, a destination that cannot be derived, an
// item or archive member sent to a destination the profile lacks. Each fault
// is a CInputError naming the description's line.

#include <string>

class CProductDescription;

void CheckWithReader(const std::string& profilePath, const CProductDescription& description);
